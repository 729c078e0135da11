// The argument boundary scanner against the worked examples of the command
// line's parsing rules.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "edit/argument_scanner.h"
#include "host_text.h"

using namespace tolvek;

namespace {

using Positions = std::set<int>;

int Length(const std::u16string& line) {
    return static_cast<int>(line.size());
}

std::int32_t Find(const std::u16string& line, std::int32_t cursor, int mode, char16_t escape = u'^') {
    return FindArgumentBoundary(line.c_str(), Length(line), cursor, mode, escape);
}

// Every position the scan offers in `mode`, recovered from single calls:
// leftward, position q answers a cursor of q + 1; rightward, a cursor of q - 1.
Positions Offered(const std::u16string& line, int mode, char16_t escape = u'^') {
    Positions offered;
    const bool rightward = (mode & SCAN_RIGHT) != 0;
    for (int from = -1; from <= Length(line) + 1; ++from) {
        const std::int32_t found = Find(line, from, mode, escape);
        if (found == NO_BOUNDARY) continue;
        offered.insert(found);
        EXPECT_TRUE(rightward ? found > from : found < from) << "cursor " << from;
    }
    return offered;
}

struct OfferedRow {
    std::u16string line;
    Positions plain;          // modes 0 and 1
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

TEST(ArgumentScannerTest, OffersTheWorkedExamplePositionsInEveryMode) {
    for (const OfferedRow& row : OFFERED_ROWS) {
        SCOPED_TRACE(host_side::Narrow(row.line));
        EXPECT_EQ(Offered(row.line, 0), row.plain);
        EXPECT_EQ(Offered(row.line, SCAN_RIGHT), row.plain);
        EXPECT_EQ(Offered(row.line, SCAN_RIGHT | SCAN_STOP_AT_BRACKET), row.stopAtBracket);
        EXPECT_EQ(Offered(row.line, SCAN_STOP_AT_BRACKET), row.stopAtBracket);
    }
}

TEST(ArgumentScannerTest, IgnoresModeBitsOtherThanDirectionAndBracket) {
    const std::u16string line = u"echo %@upper[abc def] x";
    EXPECT_EQ(Offered(line, 0x7E), Offered(line, 0));
    EXPECT_EQ(Offered(line, 0x7F | 0x100), Offered(line, SCAN_RIGHT));
}

constexpr std::int32_t NONE = NO_BOUNDARY;

struct SingleCallRow {
    std::u16string line;
    int mode;
    int cursor;
    std::int32_t boundary;
};

const SingleCallRow SINGLE_CALLS[] = {
    {u"dir /s /b x", 0, 6, 4},
    {u"dir /s /b x", 0, 4, 0},
    {u"dir /s /b x", 0, 0, NONE},
    {u"dir /s /b x", 1, 4, 7},
    {u"dir /s /b x", 1, 10, NONE},
    {u"dir /s /b x", 0, 11, 10},
    {u"echo %@upper[abc def] x", 1, 17, 22},
    {u"echo %@upper[abc def] x", 129, 17, 20},
    {u"echo %@upper[abc def] x", 0, 13, 5},
    {u"echo %1 %2", 1, 5, 8},
    {u"  abc", 0, 2, NONE},
    {u"  abc", 1, 0, 2},
    {u"say \"%@f[a b]\" z", 129, 11, 12},
    {u"say \"%@f[a b]\" z", 1, 11, 15},
    {u"say \"%@f[a b]\" z", 0, 12, 11},
    {u"say \"%@f[a b]\" z", 0, 9, 4},
};

TEST(ArgumentScannerTest, SingleCallsGiveTheWorkedResults) {
    for (const SingleCallRow& row : SINGLE_CALLS) {
        SCOPED_TRACE(host_side::Narrow(row.line) + " mode " + std::to_string(row.mode) + " from " +
                     std::to_string(row.cursor));
        EXPECT_EQ(Find(row.line, row.cursor, row.mode), row.boundary);
    }
}

TEST(ArgumentScannerTest, AnEmptyLineHasNoBoundary) {
    EXPECT_EQ(Find(u"", 0, 0), NO_BOUNDARY);
    EXPECT_EQ(Find(u"", 0, SCAN_RIGHT), NO_BOUNDARY);
}

TEST(ArgumentScannerTest, TheEscapeCharacterIsTheOneGiven) {
    EXPECT_EQ(Offered(u"copy a~ b c", 0, u'~'), (Positions{0, 5, 10}));
    EXPECT_EQ(Offered(u"copy a^ b c", 0, u'~'), (Positions{0, 5, 8, 10}));
}

TEST(ArgumentScannerTest, EscapeCharacterThatIsAlsoSpecial) {
    // White space wins over the escape; a quote used as escape protects the next character.
    EXPECT_EQ(Offered(u"a b", 0, u' '), (Positions{0, 2}));
    EXPECT_EQ(Offered(u"a\" b c", 0, u'"'), (Positions{0, 5}));
}

TEST(ArgumentScannerTest, DepthStopsAt511WithoutOverrunningItsStack) {
    std::u16string line;
    for (int i = 0; i < 600; ++i) line += u"%[";
    line += std::u16string(520, u']');
    line += u" ,y";
    EXPECT_EQ(Find(line, Length(line), 0), Length(line) - 2);
}

// The limit is exactly 511 levels: one level less or more moves the depth
// at which the "," is met, and with it whether the "," separates.
TEST(ArgumentScannerTest, NestingFollowsExactly511Levels) {
    const auto nested = [](int opened) {
        std::u16string line;
        for (int i = 0; i < opened; ++i) line += u"%[";
        return line + std::u16string(opened - 1, u']') + u" ,y";
    };
    const std::u16string followed = nested(511);  // one level still open: the "," separates
    EXPECT_EQ(Find(followed, Length(followed), 0), 1534);
    const std::u16string beyond = nested(512);  // the last opening did not deepen: "," starts an argument
    EXPECT_EQ(Find(beyond, Length(beyond), 0), 1536);
}

TEST(ArgumentScannerTest, CharacterClassesAboveLatin1) {
    // An ideographic space separates; a letter after "%" continues the name.
    EXPECT_EQ(Offered(u"a\u3000b", 0), (Positions{0, 2}));
    EXPECT_EQ(Offered(u"echo %\u00E9t\u00E9% x", 0), (Positions{0, 5, 11}));
    EXPECT_EQ(Offered(u"echo %\u00E9 x", 0), (Positions{0, 5, 8}));
    EXPECT_EQ(Offered(u"echo %\u00D7 x", 0), (Positions{0, 5, 8}));
}

}  // namespace
