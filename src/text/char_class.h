// Character classes of the command line, the same on every platform.
#pragma once

#include <array>
#include <cstdint>

namespace char_class_detail {

enum : std::uint8_t { WHITE = 1, ALNUM = 2 };

// Classes of the units 0 to 255: white space is 9 to 13, 32 and 160;
// letters and digits are the ASCII ones, 178, 179, 185, and 192 to 255
// except 215 and 247.
constexpr std::array<std::uint8_t, 256> Latin1Classes() {
    std::array<std::uint8_t, 256> bits{};
    for (int unit = 9; unit <= 13; ++unit) bits[unit] = WHITE;
    bits[32] = WHITE;
    bits[160] = WHITE;
    for (int unit = '0'; unit <= '9'; ++unit) bits[unit] = ALNUM;
    for (int unit = 'A'; unit <= 'Z'; ++unit) bits[unit] = ALNUM;
    for (int unit = 'a'; unit <= 'z'; ++unit) bits[unit] = ALNUM;
    bits[178] = ALNUM;
    bits[179] = ALNUM;
    bits[185] = ALNUM;
    for (int unit = 192; unit <= 255; ++unit) {
        if (unit != 215 && unit != 247) bits[unit] = ALNUM;
    }
    return bits;
}

inline constexpr std::array<std::uint8_t, 256> LATIN1 = Latin1Classes();

bool IsWhiteSpaceAbove255(char16_t unit);
bool IsLetterOrDigitAbove255(char16_t unit);

}  // namespace char_class_detail

// White space: the Latin-1 units above, and above 255 the Unicode space
// characters. 0xFFFF is not white space.
constexpr bool IsWhiteSpace(char16_t unit) {
    using namespace char_class_detail;
    return unit < 256 ? (LATIN1[unit] & WHITE) != 0 : IsWhiteSpaceAbove255(unit);
}

// Letters and digits: the Latin-1 units above, and above 255 the Unicode
// letters and digits. 0xFFFF and surrogates are neither.
constexpr bool IsLetterOrDigit(char16_t unit) {
    using namespace char_class_detail;
    return unit < 256 ? (LATIN1[unit] & ALNUM) != 0 : IsLetterOrDigitAbove255(unit);
}
