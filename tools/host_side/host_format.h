// The formatting of the host's print services, as the plug-in relies on it:
// %s takes UTF-16 text, %d a signed and %u an unsigned 32-bit integer, %%
// is a percent sign; any other character is copied. Output is bounded by
// `capacity` (terminator included) and always terminated.
#pragma once

#include <cstdarg>
#include <cstddef>

std::size_t FormatHostText(char16_t* out, std::size_t capacity, const char16_t* format, va_list values);
