// Character classes of the command line, the same on every platform.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tolvek {

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

inline constexpr std::array<std::uint8_t, 256> Latin1ClassTable = Latin1Classes();

struct CodeUnitRange {
    char16_t low;
    char16_t high;
};

// WhiteSpaceRanges and LetterOrDigitRanges: sorted inclusive ranges
// above 255, generated from the Unicode data. Here in the header so that
// the white-space test can be inlined and the scanner's block pass can
// classify white space from the same ranges.
#include "text/char_class_ranges.inc"

template <std::size_t N>
constexpr bool InRanges(const CodeUnitRange (&ranges)[N], char16_t unit) {
    std::size_t low = 0;
    std::size_t high = N;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (unit < ranges[middle].low) {
            high = middle;
        } else if (unit > ranges[middle].high) {
            low = middle + 1;
        } else {
            return true;
        }
    }
    return false;
}

// The search, and the span of white space below, need the ranges sorted
// and apart.
template <std::size_t N>
constexpr bool SortedAndApart(const CodeUnitRange (&ranges)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (ranges[i].low > ranges[i].high || (i > 0 && ranges[i - 1].high >= ranges[i].low)) return false;
    }
    return true;
}
static_assert(SortedAndApart(WhiteSpaceRanges) && WhiteSpaceRanges[0].low > 255);
static_assert(SortedAndApart(LetterOrDigitRanges) && LetterOrDigitRanges[0].low > 255);

// Letters and digits as one bit per code unit (bit u % 64 of word u / 64),
// built at compile time from LetterOrDigitRanges: a name is read one
// unit at a time, and a look-up here costs less than a search of the ranges.
constexpr int LETTER_OR_DIGIT_WORDS = 65536 / 64;
extern const std::array<std::uint64_t, LETTER_OR_DIGIT_WORDS> LetterOrDigitBits;

}  // namespace char_class_detail

// Every white-space unit above 255 lies from WHITE_SPACE_SPAN_LOW to
// WHITE_SPACE_SPAN_HIGH; most text of other scripts (Cyrillic, Greek, CJK)
// lies outside that span and needs no look at the ranges.
constexpr char16_t WHITE_SPACE_SPAN_LOW = char_class_detail::WhiteSpaceRanges[0].low;
constexpr char16_t WHITE_SPACE_SPAN_HIGH =
    char_class_detail::WhiteSpaceRanges[std::size(char_class_detail::WhiteSpaceRanges) - 1].high;

constexpr bool InWhiteSpaceSpan(char16_t unit) {
    return unit >= WHITE_SPACE_SPAN_LOW && unit <= WHITE_SPACE_SPAN_HIGH;
}

// White space: the Latin-1 units above, and above 255 the Unicode space
// characters. 0xFFFF is not white space.
constexpr bool IsWhiteSpace(char16_t unit) {
    using namespace char_class_detail;
    if (unit < 256) return (Latin1ClassTable[unit] & WHITE) != 0;
    return InWhiteSpaceSpan(unit) && InRanges(WhiteSpaceRanges, unit);
}

// Letters and digits: the Latin-1 units above, and above 255 the Unicode
// letters and digits. 0xFFFF and surrogates are neither.
constexpr bool IsLetterOrDigit(char16_t unit) {
    using namespace char_class_detail;
    if (unit < 256) return (Latin1ClassTable[unit] & ALNUM) != 0;
    return ((LetterOrDigitBits[unit / 64] >> (unit % 64)) & 1u) != 0;
}

}  // namespace tolvek
