// The argument boundary scanner against the worked examples of the command
// line's parsing rules.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "edit/argument_scanner.h"
#include "fake_host.h"
#include "fake_os.h"

namespace {

using Positions = std::set<int>;

class ArgumentScannerTest : public ::testing::Test {
protected:
    void SetUp() override { fake_host::Reset(); }
};

int Length(const std::u16string& line) { return static_cast<int>(line.size()); }

// Every position the scan offers in `mode`, recovered from single calls:
// leftward, position q answers a cursor of q + 1; rightward, a cursor of q - 1.
Positions Offered(const std::u16string& line, int mode) {
    Positions offered;
    const bool rightward = (mode & SCAN_RIGHT) != 0;
    for (int from = -1; from <= Length(line) + 1; ++from) {
        std::int32_t cursor = from;
        if (FindArgumentBoundary(line.c_str(), &cursor, mode) == 1) {
            offered.insert(cursor);
            EXPECT_TRUE(rightward ? cursor > from : cursor < from) << "cursor " << from;
        } else {
            EXPECT_EQ(cursor, from);
        }
    }
    return offered;
}

struct OfferedRow {
    std::u16string line;
    Positions plain;        // modes 0 and 1
    Positions stopAtBracket;  // mode 129
};

const OfferedRow OFFERED_ROWS[] = {
    {u"dir /s /b x", {0, 4, 7, 10}, {0, 4, 7, 10}},
    {u"dir/s/b", {0, 3, 5}, {0, 3, 5}},
    {u"echo \"a b\" c", {0, 5, 11}, {0, 5, 11}},
    {u"a \"b c", {0, 2}, {0, 2}},
    {u"copy a^ b c", {0, 5, 10}, {0, 5, 10}},
    {u"ab^ c", {0}, {0}},
    {u"echo ^", {0, 5}, {0, 5}},
    {u"echo %path% x", {0, 5, 12}, {0, 5, 12}},
    {u"echo %1 %2", {0, 5, 8}, {0, 5, 8}},
    {u"echo %@upper[abc def] x", {0, 5, 13, 17, 22}, {0, 5, 13, 17, 20, 22}},
    {u"a,b %@f[x,y]", {0, 4, 8, 10}, {0, 4, 8, 10, 11}},
    {u"%[x]y z", {0, 2, 6}, {0, 2, 3, 6}},
    {u"x %@a[] y", {0, 2, 6, 8}, {0, 2, 6, 8}},
    {u"%@f[\"a]b\" c]d e", {0, 4, 10, 14}, {0, 4, 10, 11, 14}},
    {u"say \"%@f[a b]\" z", {0, 4, 9, 11, 15}, {0, 4, 9, 11, 12, 15}},
    {u"echo %@a[%@b[c d] e] f", {0, 5, 9, 13, 15, 18, 21}, {0, 5, 9, 13, 15, 16, 18, 19, 21}},
    {u"echo %@f[a b", {0, 5, 9, 11}, {0, 5, 9, 11}},
    {u"  abc", {2}, {2}},
    {u"   ", {}, {}},
    {u"echo %1", {0, 5}, {0, 5}},
    // A name ends at its first unit that cannot be part of it; that unit is
    // examined as usual, and only a closing "%" is taken into the reference.
    {u"if \"%1\" == \"\" goto end", {0, 3, 8, 11, 14, 19}, {0, 3, 8, 11, 14, 19}},
    {u"echo %@upper[%1] /s x", {0, 5, 13, 17, 20}, {0, 5, 13, 15, 17, 20}},
    {u"copy %1/s x", {0, 5, 7, 10}, {0, 5, 7, 10}},
    {u"echo %a%b c", {0, 5, 10}, {0, 5, 10}},
    {u"echo %1^ x y", {0, 5, 11}, {0, 5, 11}},
};

TEST_F(ArgumentScannerTest, OffersTheWorkedExamplePositionsInEveryMode) {
    for (const OfferedRow& row : OFFERED_ROWS) {
        SCOPED_TRACE(host_side::Narrow(row.line));
        EXPECT_EQ(Offered(row.line, 0), row.plain);
        EXPECT_EQ(Offered(row.line, SCAN_RIGHT), row.plain);
        EXPECT_EQ(Offered(row.line, SCAN_RIGHT | SCAN_STOP_AT_BRACKET), row.stopAtBracket);
        EXPECT_EQ(Offered(row.line, SCAN_STOP_AT_BRACKET), row.stopAtBracket);
    }
}

TEST_F(ArgumentScannerTest, IgnoresModeBitsOtherThanDirectionAndBracket) {
    const std::u16string line = u"echo %@upper[abc def] x";
    EXPECT_EQ(Offered(line, 0x7E), Offered(line, 0));
    EXPECT_EQ(Offered(line, 0x7F | 0x100), Offered(line, SCAN_RIGHT));
}

struct SingleCallRow {
    std::u16string line;
    int mode;
    int cursorIn;
    int result;
    int cursorOut;
};

const SingleCallRow SINGLE_CALLS[] = {
    {u"dir /s /b x", 0, 6, 1, 4},
    {u"dir /s /b x", 0, 4, 1, 0},
    {u"dir /s /b x", 0, 0, 0, 0},
    {u"dir /s /b x", 1, 4, 1, 7},
    {u"dir /s /b x", 1, 10, 0, 10},
    {u"dir /s /b x", 0, 11, 1, 10},
    {u"echo %@upper[abc def] x", 1, 17, 1, 22},
    {u"echo %@upper[abc def] x", 129, 17, 1, 20},
    {u"echo %@upper[abc def] x", 0, 13, 1, 5},
    {u"echo %1 %2", 1, 5, 1, 8},
    {u"  abc", 0, 2, 0, 2},
    {u"  abc", 1, 0, 1, 2},
    {u"say \"%@f[a b]\" z", 129, 11, 1, 12},
    {u"say \"%@f[a b]\" z", 1, 11, 1, 15},
    {u"say \"%@f[a b]\" z", 0, 12, 1, 11},
    {u"say \"%@f[a b]\" z", 0, 9, 1, 4},
};

TEST_F(ArgumentScannerTest, SingleCallsGiveTheWorkedResults) {
    for (const SingleCallRow& row : SINGLE_CALLS) {
        SCOPED_TRACE(host_side::Narrow(row.line) + " mode " + std::to_string(row.mode) + " from " +
                     std::to_string(row.cursorIn));
        std::int32_t cursor = row.cursorIn;
        EXPECT_EQ(FindArgumentBoundary(row.line.c_str(), &cursor, row.mode), row.result);
        EXPECT_EQ(cursor, row.cursorOut);
    }
}

TEST_F(ArgumentScannerTest, EmptyLineAsksNothingOfTheHost) {
    std::int32_t cursor = 0;
    EXPECT_EQ(FindArgumentBoundary(u"", &cursor, 0), 0);
    EXPECT_EQ(FindArgumentBoundary(u"", &cursor, SCAN_RIGHT), 0);
    EXPECT_EQ(cursor, 0);
    EXPECT_EQ(fake_host::ExpandCalls(), 0);
}

TEST_F(ArgumentScannerTest, AsksForTheEscapeCharacterOncePerScan) {
    std::int32_t cursor = 3;
    FindArgumentBoundary(u"a b", &cursor, 0);
    FindArgumentBoundary(u"a b", &cursor, SCAN_RIGHT);
    EXPECT_EQ(fake_host::ExpandCalls(), 2);
}

TEST_F(ArgumentScannerTest, TheHostsEscapeCharacterTakesEffectAtTheNextScan) {
    fake_host::SetExpansion(u"%@option[escapechar]", u"~");
    EXPECT_EQ(Offered(u"copy a~ b c", 0), (Positions{0, 5, 10}));
    EXPECT_EQ(Offered(u"copy a^ b c", 0), (Positions{0, 5, 8, 10}));
}

TEST_F(ArgumentScannerTest, EscapeCharacterFallsBackToCaret) {
    struct Row {
        std::u16string expansion;
        char16_t expected;
    };
    const Row rows[] = {{u"~", u'~'}, {u"", u'^'}, {u"~~", u'^'}, {u"%@option[escapechar]", u'^'}};
    for (const Row& row : rows) {
        fake_host::SetExpansion(u"%@option[escapechar]", row.expansion.c_str());
        EXPECT_EQ(GetEscapeChar(), row.expected) << host_side::Narrow(row.expansion);
    }
}

TEST_F(ArgumentScannerTest, EscapeCharacterThatIsAlsoSpecial) {
    // White space wins over the escape; a quote used as escape protects the next character.
    fake_host::SetExpansion(u"%@option[escapechar]", u" ");
    EXPECT_EQ(Offered(u"a b", 0), (Positions{0, 2}));
    fake_host::SetExpansion(u"%@option[escapechar]", u"\"");
    EXPECT_EQ(Offered(u"a\" b c", 0), (Positions{0, 5}));
}

TEST_F(ArgumentScannerTest, DepthStopsAt511WithoutOverrunningItsStack) {
    std::u16string line;
    for (int i = 0; i < 600; ++i) line += u"%[";
    line += std::u16string(520, u']');
    line += u" ,y";
    std::int32_t cursor = static_cast<std::int32_t>(line.size());
    ASSERT_EQ(FindArgumentBoundary(line.c_str(), &cursor, 0), 1);
    EXPECT_EQ(cursor, static_cast<std::int32_t>(line.size()) - 2);
}

TEST_F(ArgumentScannerTest, CharacterClassesAboveLatin1) {
    // An ideographic space separates; a letter after "%" continues the name.
    EXPECT_EQ(Offered(u"a\u3000b", 0), (Positions{0, 2}));
    EXPECT_EQ(Offered(u"echo %\u00E9t\u00E9% x", 0), (Positions{0, 5, 11}));
    EXPECT_EQ(Offered(u"echo %\u00E9 x", 0), (Positions{0, 5, 8}));
    EXPECT_EQ(Offered(u"echo %\u00D7 x", 0), (Positions{0, 5, 8}));
}

}  // namespace
