// The argument boundary rules written as plainly as possible, one unit at
// a time with no shortcuts: the model that the plug-in's faster scanner is
// compared with.
#pragma once

#include <cstdint>

int ReferenceFindArgumentBoundary(const char16_t* line, std::int32_t* cursor, int mode, char16_t escape);
