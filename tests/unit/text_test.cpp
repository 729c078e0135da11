// The text helpers every module copies and compares with: copies are cut to
// the buffer, always terminated, and never written past it; comparisons
// ignore case for A to Z and nothing else.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "text/text.h"

using namespace tolvek;

namespace {

constexpr char16_t GUARD = 0x7E7E;
constexpr std::size_t UNITS = 20;

// A buffer that is larger than the capacity a helper is given: every unit
// from that capacity on must keep what it held before.
struct Guarded {
    char16_t units[UNITS];
    char16_t before[UNITS];

    explicit Guarded(const std::u16string& initial) {
        for (std::size_t i = 0; i < UNITS; ++i) units[i] = i < initial.size() ? initial[i] : GUARD;
        std::copy(units, units + UNITS, before);
    }
    bool GuardsIntact(std::size_t capacity) const {
        return std::equal(units + capacity, units + UNITS, before + capacity);
    }
};

TEST(TextTest, BoundedCopiesCutTheTextAndStayInTheirBuffer) {
    struct Row {
        const char* what;
        std::u16string initial;  // buffer content before, terminator included
        bool append;
        std::size_t capacity;
        std::u16string source;
        std::u16string result;
    };
    const std::u16string NUL(1, u'\0');
    const Row rows[] = {
        {"copy that fits", u"", false, 8, u"abc", u"abc"},
        {"copy of exactly capacity - 1", u"", false, 4, u"abc", u"abc"},
        {"copy cut to capacity - 1", u"", false, 4, u"abcdef", u"abc"},
        {"copy into one unit", u"", false, 1, u"abc", u""},
        {"append that fits", u"ab" + NUL, true, 8, u"cd", u"abcd"},
        {"append cut", u"ab" + NUL, true, 4, u"cdef", u"abc"},
        {"append to a full buffer", u"abc" + NUL, true, 4, u"xyz", u"abc"},
        {"append to text with no terminator inside", u"abcdefgh", true, 4, u"xyz", u"abc"},
        {"append of nothing", u"ab" + NUL, true, 8, u"", u"ab"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Guarded buffer(row.initial);
        const std::size_t length = row.append ? AppendBounded(buffer.units, row.capacity, row.source.c_str())
                                              : CopyBounded(buffer.units, row.capacity, row.source.c_str());
        EXPECT_EQ(std::u16string(buffer.units), row.result);
        EXPECT_EQ(length, row.result.size());
        EXPECT_TRUE(buffer.GuardsIntact(row.capacity));
    }
}

TEST(TextTest, FillBufferClearsEveryUnitAfterTheText) {
    for (const std::size_t capacity : {1u, 4u, 16u}) {
        Guarded buffer(u"zzzzzzzzzzzzzzzz");
        FillBuffer(buffer.units, capacity, u"%_4ver");
        const std::u16string expected = std::u16string(u"%_4ver").substr(0, capacity - 1);
        EXPECT_EQ(std::u16string(buffer.units), expected) << capacity;
        for (std::size_t i = expected.size(); i < capacity; ++i) EXPECT_EQ(buffer.units[i], u'\0') << i;
        EXPECT_TRUE(buffer.GuardsIntact(capacity));
    }
}

TEST(TextTest, CaseIsIgnoredForAsciiLettersOnly) {
    struct Row {
        std::u16string left;
        std::u16string right;
        bool equal;
    };
    const Row rows[] = {
        {u"tolvek", u"TOLVEK", true},  {u"TolVek", u"tOLvEK", true},
        {u"az", u"AZ", true},          {u"@", u"`", false},  // 0x40 and 0x60 differ by the case bit only
        {u"[", u"{", false},                                 // so do 0x5B and 0x7B
        {u"\u00e9", u"\u00c9", false},                       // letters beyond ASCII keep their case
        {u"\u00db", u"\u00fb", false}, {u"tolvek", u"tolvek ", false},
        {u"tolvek", u"tolve", false},  {u"", u"", true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(EqualsIgnoringAsciiCase(row.left.c_str(), row.right.c_str()), row.equal);
        EXPECT_EQ(EqualsIgnoringAsciiCase(row.right.c_str(), row.left.c_str()), row.equal);
        EXPECT_EQ(TextEquals(row.left.c_str(), row.right.c_str()), row.left == row.right);
    }
    const std::u16string units = u"`az{@AZ[\u00e9";
    std::u16string upper;
    for (char16_t unit : units) upper += ToUpperAscii(unit);
    EXPECT_EQ(upper, u"`AZ{@AZ[\u00e9");
}

}  // namespace
