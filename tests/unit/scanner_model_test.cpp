// The scanner against a plain one-unit-at-a-time model of the same rules,
// over many generated lines: the scanner's shortcuts (the block pass over
// sixteen units at once, stopping once the answer is settled) must never
// change an answer, with the block classifier of this target or with the
// portable one that targets without SSE2 use.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "edit/argument_scanner.h"
#include "edit/boundary_scan.h"
#include "edit/scan_blocks.h"
#include "host_text.h"
#include "reference_scanner.h"

using namespace tolvek;

namespace {

// Units that every rule looks at, mixed with plain ones; and a second set
// of the units the block pass handles itself, for long runs of blocks.
// Both hold units above U+00FF: white space (U+2003, U+3000) and not
// (a Cyrillic letter, a typographic quote inside the span of the spaces).
constexpr std::u16string_view EVERY_RULE =
    u"ab  \t\"\"//%%@@[[]],,^~_$1\u00E9\u00D7\u00A0\u3000\u2003\u2019\u0436\u4E00\U0001F600";
constexpr std::u16string_view BLOCK_RULES = u"abcdefgh   \t\r\u00A0\"/,]\u0436\u4E00\u2019\u2003\u3000";

std::u16string GeneratedLine(std::mt19937& random, std::u16string_view alphabet, std::size_t length) {
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::u16string line;
    for (std::size_t i = 0; i < length; ++i) line += alphabet[pick(random)];
    return line;
}

TEST(ScannerModelTest, GivesTheModelsAnswerForEveryCursorAndMode) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> lengths(0, 90);
    // An odd count, so that every escape meets both sets of units.
    const char16_t escapes[] = {u'^', u'~', u' ', u'"', u'%', u']', u'/', u',', u'\u4E00', u'\u0436', u'\u2003'};
    int compared = 0;
    for (int round = 0; round < 2200; ++round) {
        const char16_t escape = escapes[round % (sizeof escapes / sizeof *escapes)];
        const std::u16string line = GeneratedLine(random, round % 2 ? EVERY_RULE : BLOCK_RULES, lengths(random));
        const auto length = static_cast<std::int32_t>(line.size());
        for (const int mode : {0, SCAN_RIGHT, SCAN_STOP_AT_BRACKET, SCAN_RIGHT | SCAN_STOP_AT_BRACKET}) {
            for (std::int32_t from = -1; from <= length + 1; ++from) {
                std::int32_t model = from;
                const int found = ReferenceFindArgumentBoundary(line.c_str(), &model, mode, escape);
                const std::int32_t expected = found ? model : NO_BOUNDARY;
                ASSERT_EQ(FindArgumentBoundary(line.c_str(), length, from, mode, escape), expected)
                    << host_side::Narrow(line) << " mode " << mode << " from " << from;
                ASSERT_EQ(ScanForBoundary<ClassifyScanBlockPortable>(line.c_str(), length, from, mode, escape),
                          expected)
                    << "portable classifier: " << host_side::Narrow(line) << " mode " << mode << " from " << from;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 100000);
}

}  // namespace
