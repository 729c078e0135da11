// The two block classifiers held to one another, and their white space to
// the character classes, so that neither can drift from the rules; and the
// running parity that tells the block pass which units are quoted.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "edit/scan_blocks.h"
#include "text/char_class.h"

using namespace tolvek;

namespace {

// The running parity of every 16-bit mask, against counting the bits one
// by one, and with bits above the block that must change nothing.
TEST(ScanBlocksTest, PrefixParityCountsTheBitsUpToEachUnit) {
    for (unsigned mask = 0; mask <= WHOLE_BLOCK; ++mask) {
        unsigned expected = 0;
        bool odd = false;
        for (int i = 0; i < SCAN_BLOCK_UNITS; ++i) {
            odd ^= ((mask >> i) & 1u) != 0;
            if (odd) expected |= 1u << i;
        }
        ASSERT_EQ(PrefixParity(mask), expected) << "mask " << mask;
        ASSERT_EQ(PrefixParity(mask | ~WHOLE_BLOCK), expected) << "mask " << mask << " with the bits above it set";
    }
}

#if defined(__SSE2__)

std::string Describe(const char16_t* units, char16_t escape, bool nested) {
    std::string text = nested ? "nested, escape " : "top level, escape ";
    text += std::to_string(escape) + ", units";
    for (int i = 0; i < SCAN_BLOCK_UNITS; ++i) text += " " + std::to_string(units[i]);
    return text;
}

void ExpectSameMasks(const char16_t* units, char16_t escape, bool nested) {
    const ScanBlockMasks portable = ClassifyScanBlockPortable(units, escape, nested);
    const ScanBlockMasks sse2 = ClassifyScanBlockSse2(units, escape, nested);
    if (portable == sse2) return;
    ADD_FAILURE() << Describe(units, escape, nested) << "\n  blank " << portable.blank << " / " << sse2.blank
                  << ", quote " << portable.quote << " / " << sse2.quote << ", slash " << portable.slash << " / "
                  << sse2.slash << ", stop " << portable.stop << " / " << sse2.stop;
}

// Every code unit in every lane, once as an ordinary unit and once as the
// escape character among the units that every rule looks at.
TEST(ScanBlocksTest, EveryUnitIsClassifiedAlikeAndItsWhiteSpaceIsTheTables) {
    const char16_t specials[SCAN_BLOCK_UNITS] = {u'a',  u' ',      u'"',      u'/',  u',', u'%',      u']', u'^',
                                                 u'\t', u'\u00A0', u'\u3000', u'\0', u'[', u'\u0436', u'~', u'@'};
    for (int value = 0; value <= 0xFFFF; ++value) {
        const auto unit = static_cast<char16_t>(value);
        char16_t same[SCAN_BLOCK_UNITS];
        for (char16_t& lane : same) lane = unit;
        char16_t mixed[SCAN_BLOCK_UNITS];
        for (int i = 0; i < SCAN_BLOCK_UNITS; ++i) mixed[i] = i % 2 == 0 ? unit : specials[i];
        for (const bool nested : {false, true}) {
            ExpectSameMasks(same, u'^', nested);
            ExpectSameMasks(mixed, unit, nested);
            const unsigned white = IsWhiteSpace(unit) || (nested && unit == u',') ? 0xFFFFu : 0u;
            ASSERT_EQ(ClassifyScanBlockSse2(same, u'^', nested).blank, white) << "unit " << value;
        }
        if (HasFailure()) return;
    }
}

// Random blocks of the units that matter, mixed with any unit at all, for
// every special escape character and a sample of the others.
TEST(ScanBlocksTest, RandomBlocksAreClassifiedAlike) {
    const std::u16string units = u"ab \t\r\"/,%]^[@_\u00A0\u00FF\u0100\u0436\u1680\u2000\u200A\u200B\u2019\u3000\u4E00";
    std::u16string escapes = units;
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> anyUnit(1, 0xFFFF);
    for (int i = 0; i < 200; ++i) escapes += static_cast<char16_t>(anyUnit(random));

    std::uniform_int_distribution<std::size_t> pick(0, units.size() - 1);
    std::bernoulli_distribution fromAnywhere(0.2);
    char16_t block[SCAN_BLOCK_UNITS];
    for (const char16_t escape : escapes) {
        for (int round = 0; round < 40; ++round) {
            for (char16_t& lane : block) {
                lane = fromAnywhere(random) ? static_cast<char16_t>(anyUnit(random)) : units[pick(random)];
            }
            ExpectSameMasks(block, escape, false);
            ExpectSameMasks(block, escape, true);
        }
        if (HasFailure()) return;
    }
}

#else

TEST(ScanBlocksTest, OnlyThePortableClassifierIsBuiltHere) {
    GTEST_SKIP() << "no SSE2 on this target";
}

#endif

}  // namespace
