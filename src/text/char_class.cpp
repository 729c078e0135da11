#include "text/char_class.h"

#include <cstdint>

namespace {

struct CodeUnitRange {
    char16_t low;
    char16_t high;
};

#include "text/char_class_ranges.inc"

enum : std::uint8_t { WHITE = 1, ALNUM = 2 };

// Classes of the units 0 to 255, built once at compile time.
struct Latin1Classes {
    std::uint8_t bits[256] = {};

    constexpr Latin1Classes() {
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
    }
};

constexpr Latin1Classes LATIN1;

template <std::size_t N>
bool InRanges(const CodeUnitRange (&ranges)[N], char16_t unit) {
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

}  // namespace

bool IsWhiteSpace(char16_t unit) {
    if (unit < 256) return (LATIN1.bits[unit] & WHITE) != 0;
    return InRanges(WHITE_SPACE_RANGES, unit);
}

bool IsLetterOrDigit(char16_t unit) {
    if (unit < 256) return (LATIN1.bits[unit] & ALNUM) != 0;
    return InRanges(LETTER_OR_DIGIT_RANGES, unit);
}
