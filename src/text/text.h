// Small helpers for NUL-terminated UTF-16 text in fixed buffers.
#pragma once

#include <cstddef>

namespace tolvek {

// Number of units before the terminating NUL.
std::size_t TextLength(const char16_t* text);

// The unit with a to z turned into A to Z; every other unit unchanged.
char16_t ToUpperAscii(char16_t unit);

// True when both texts are equal unit for unit.
bool TextEquals(const char16_t* left, const char16_t* right);

// True when both texts are equal, the letters A to Z compared without case
// and every other unit compared exactly.
bool EqualsIgnoringAsciiCase(const char16_t* left, const char16_t* right);

// Copies `source` into `buffer` of `capacity` units (capacity > 0), cutting
// it so that the terminator always fits. Returns the length written.
std::size_t CopyBounded(char16_t* buffer, std::size_t capacity, const char16_t* source);

// Appends `source` to the text already in `buffer`, bounded as CopyBounded.
std::size_t AppendBounded(char16_t* buffer, std::size_t capacity, const char16_t* source);

// Copies `source` as CopyBounded does and fills the rest of the buffer with
// NULs, as the host's expansion buffers expect.
void FillBuffer(char16_t* buffer, std::size_t capacity, const char16_t* source);

}  // namespace tolvek
