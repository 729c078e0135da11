// Small helpers on UTF-16 text for the host's side of the plug-in boundary:
// the stand-ins of the host library, the stand-in host and the tests.
#pragma once

#include <cstddef>
#include <string>

namespace host_side {

// a to z turned into A to Z; every other unit unchanged.
inline char16_t AsciiUpper(char16_t unit) {
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - (u'a' - u'A')) : unit;
}

// Number of units before the terminating NUL.
std::size_t TextUnits(const char16_t* text);

// True when `name` (NUL-terminated) equals the `length` units at `text`,
// the letters A to Z compared without case.
bool SameNameIgnoringAsciiCase(const char16_t* name, const char16_t* text, std::size_t length);

// Copies at most `length` units of `from` (fewer when it ends before) into
// `to` of `capacity` units (capacity > 0), cut so that the terminator fits.
void CopyTextCut(char16_t* to, std::size_t capacity, const char16_t* from, std::size_t length);

// The text as 8-bit characters for messages and test failures: ASCII as it
// is, every other unit as \uXXXX.
std::string Narrow(const std::u16string& text);

}  // namespace host_side
