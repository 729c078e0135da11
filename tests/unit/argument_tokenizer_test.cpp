// The command's argument tokenizer: splitting, quoting, upper case, the
// argument cap and the character store's limit.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "command/argument_tokenizer.h"
#include "stand_in_test.h"

using namespace tolvek;

namespace {

using Arguments = std::vector<std::u16string>;

// The table the tests tokenize into, as the plug-in keeps its own.
ArgumentTable table;

using ArgumentTokenizerTest = StandInTest;

// Splits `text` into the table: the count of a run that went through, -1
// for any other.
int Split(const char16_t* text) {
    return TokenizeArguments(text, table).result == TokenizeResult::Done ? table.count : -1;
}

// The arguments as the tables describe them, checking on the way that each
// stored length is the length of the stored text and that every entry after
// the last argument is empty.
Arguments Stored(int count) {
    Arguments stored;
    for (int k = 0; k < MAX_ARGUMENTS; ++k) {
        if (k < count) {
            EXPECT_NE(table.start[k], nullptr) << k;
            const std::u16string text(table.start[k]);
            EXPECT_EQ(static_cast<int>(text.size()), table.length[k]) << k;
            stored.push_back(text);
        } else {
            EXPECT_EQ(table.start[k], nullptr) << k;
            EXPECT_EQ(table.length[k], 0) << k;
        }
    }
    return stored;
}

struct Row {
    std::u16string text;
    Arguments arguments;
};

const Row ROWS[] = {
    {u"", {}},
    {u" \t\r\n\u00A0\u3000 ", {}},
    {u"/ml:alt-l  /s", {u"/ML:ALT-L", u"/S"}},
    {u"a\tb", {u"A", u"B"}},
    {u"\"\"", {}},
    {u"\"\" a", {u"A"}},
    {u"a\"\"b", {u"AB"}},
    {u"a\"b c\"d", {u"AB CD"}},
    {u"\" \"", {u""}},
    {u"\"abc  \"", {u"ABC"}},
    {u"\"  abc\"", {u"  ABC"}},
    {u"\"a b", {u"A B"}},
    {u"\u00E9t\u00E9 \u00FF", {u"\u00E9T\u00E9", u"\u00FF"}},
    {u"/DR:Ctrl-R,Ctrl-BkSp", {u"/DR:CTRL-R,CTRL-BKSP"}},
};

TEST_F(ArgumentTokenizerTest, SplitsQuotesAndUpperCases) {
    for (const Row& row : ROWS) {
        SCOPED_TRACE(host_side::Narrow(row.text));
        const int count = Split(row.text.c_str());
        EXPECT_EQ(count, static_cast<int>(row.arguments.size()));
        EXPECT_EQ(Stored(count), row.arguments);
    }
    EXPECT_EQ(fake_host::StandardError(), u"");
}

TEST_F(ArgumentTokenizerTest, NullTextLeavesTheListAlone) {
    EXPECT_EQ(Split(u"a b"), 2);
    EXPECT_EQ(TokenizeArguments(nullptr, table).result, TokenizeResult::NullText);
    EXPECT_EQ(table.count, 2);
    EXPECT_EQ(Stored(2), (Arguments{u"A", u"B"}));
}

TEST_F(ArgumentTokenizerTest, KeepsTheFirst1024Arguments) {
    std::u16string text;
    for (int k = 0; k < 1025; ++k) text += (k == 1024) ? u"z " : u"a ";
    EXPECT_EQ(Split(text.c_str()), 1024);
    const Arguments stored = Stored(1024);
    EXPECT_EQ(stored.back(), u"A");
    EXPECT_EQ(fake_host::StandardError(), u"");
}

TEST_F(ArgumentTokenizerTest, OneArgumentOf8191CharactersFits) {
    const std::u16string text(8191, u'x');
    EXPECT_EQ(Split(text.c_str()), 1);
    EXPECT_EQ(table.length[0], 8191);
    EXPECT_EQ(table.store[8191], u'\0');
}

// The tokenizer prints nothing: the command reports the cell it refused.
TEST_F(ArgumentTokenizerTest, OverflowGivesTheRefusedCellAndStoresNoCount) {
    const std::u16string half(4095, u'y');
    const std::pair<std::u16string, int> rows[] = {{std::u16string(8192, u'x'), 8191},
                                                   {half + u" " + half + u" z", 8192}};
    for (const auto& [text, refusedCell] : rows) {
        const Tokenized split = TokenizeArguments(text.c_str(), table);
        EXPECT_EQ(split.result, TokenizeResult::StoreFull);
        EXPECT_EQ(split.refusedCell, refusedCell);
        EXPECT_EQ(table.count, 0);
    }
    EXPECT_EQ(fake_host::StandardError(), u"");
    // The two halves were stored before the third argument overflowed.
    EXPECT_EQ(table.length[0], 4095);
    EXPECT_EQ(table.length[1], 4095);
    EXPECT_EQ(table.start[2], nullptr);
}

TEST_F(ArgumentTokenizerTest, TwoHalvesOf4095FitExactly) {
    const std::u16string half(4095, u'y');
    EXPECT_EQ(Split((half + u" " + half).c_str()), 2);
    EXPECT_EQ(table.start[1], &table.store[4096]);
}

}  // namespace
