#include "text/char_class.h"

#include <cstddef>

namespace {

struct CodeUnitRange {
    char16_t low;
    char16_t high;
};

#include "text/char_class_ranges.inc"

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

namespace char_class_detail {

bool IsWhiteSpaceAbove255(char16_t unit) { return InRanges(WHITE_SPACE_RANGES, unit); }
bool IsLetterOrDigitAbove255(char16_t unit) { return InRanges(LETTER_OR_DIGIT_RANGES, unit); }

}  // namespace char_class_detail
