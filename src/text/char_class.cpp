#include "text/char_class.h"

namespace tolvek {

namespace char_class_detail {

namespace {

constexpr std::array<std::uint64_t, LETTER_OR_DIGIT_WORDS> BitsOf(const auto& ranges) {
    std::array<std::uint64_t, LETTER_OR_DIGIT_WORDS> bits{};
    for (const CodeUnitRange& range : ranges) {
        for (unsigned unit = range.low; unit <= range.high; ++unit) bits[unit / 64] |= std::uint64_t{1} << (unit % 64);
    }
    return bits;
}

}  // namespace

constinit const std::array<std::uint64_t, LETTER_OR_DIGIT_WORDS> LetterOrDigitBits = BitsOf(LetterOrDigitRanges);

}  // namespace char_class_detail

}  // namespace tolvek
