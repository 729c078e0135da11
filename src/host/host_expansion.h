// Host text expanded into a buffer of the plug-in's: the one way the
// plug-in asks the host for the value of its variables and functions.
#pragma once

#include <cstddef>

namespace tolvek {

// Puts `text` into `buffer` of `capacity` units (capacity > 0; cut to fit,
// the rest filled with NULs, as the host expects), lets the host expand it
// in place, and writes a terminator into the last unit, which the host
// may have filled.
void ExpandHostText(char16_t* buffer, std::size_t capacity, const char16_t* text);

}  // namespace tolvek
