// The stand-in host's own parts: its line editor, the variables it expands
// for a plug-in, the plug-in's function list and the steps of a script.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "edit_line.h"
#include "function_list.h"
#include "host_generation.h"
#include "host_variables.h"
#include "script_steps.h"

namespace {

using namespace standin;

ConsoleKey Key(int virtualKey, char16_t character = 0, bool ctrl = false, bool alt = false) {
    return {virtualKey, character, false, ctrl, alt};
}

TEST(StandInEditLineTest, HostKeysEditAtTheCursor) {
    struct Row {
        const char16_t* line;
        int cursor;
        ConsoleKey key;
        const char16_t* lineAfter;
        int cursorAfter;
        LineEffect effect;
    };
    const Row rows[] = {
        {u"dir x", 3, Key('A', u'a'), u"dira x", 4, LineEffect::Changed},
        {u"dir x", 5, Key(VK_SPACE_KEY, u' '), u"dir x ", 6, LineEffect::Changed},
        {u"dir x", 0, Key(0, u'\u00E9'), u"\u00E9dir x", 1, LineEffect::Changed},
        {u"dir x", 3, Key('Q', u'@', true, true), u"dir@ x", 4, LineEffect::Changed},  // AltGr
        {u"dir x", 3, Key('A', 1, true), u"dir x", 3, LineEffect::None},
        {u"dir x", 3, Key('A', u'a', false, true), u"dir x", 3, LineEffect::None},
        {u"dir x", 3, Key(VK_LEFT_KEY), u"dir x", 2, LineEffect::Changed},
        {u"dir x", 0, Key(VK_LEFT_KEY), u"dir x", 0, LineEffect::None},
        {u"dir x", 3, Key(VK_RIGHT_KEY), u"dir x", 4, LineEffect::Changed},
        {u"dir x", 5, Key(VK_RIGHT_KEY), u"dir x", 5, LineEffect::None},
        {u"dir x", 3, Key(VK_HOME_KEY), u"dir x", 0, LineEffect::Changed},
        {u"dir x", 3, Key(VK_END_KEY), u"dir x", 5, LineEffect::Changed},
        {u"dir x", 3, Key(VK_BACK_KEY, 8), u"di x", 2, LineEffect::Changed},
        {u"dir x", 0, Key(VK_BACK_KEY, 8), u"dir x", 0, LineEffect::None},
        {u"dir x", 3, Key(VK_DELETE_KEY), u"dirx", 3, LineEffect::Changed},
        {u"dir x", 5, Key(VK_DELETE_KEY), u"dir x", 5, LineEffect::None},
        {u"dir x", 3, Key(VK_ESCAPE_KEY, 27), u"", 0, LineEffect::Changed},
        {u"dir x", 3, Key(VK_RETURN_KEY, 13), u"dir x", 3, LineEffect::Submit},
        {u"dir x", 3, Key('C', 3, true), u"dir x", 3, LineEffect::Cancel},
        {u"dir x", 3, Key(VK_LEFT_KEY, 0, true), u"dir x", 3, LineEffect::None},  // Ctrl-Left is the plug-in's
    };
    for (const Row& row : rows) {
        EditLine line{};
        SetLineText(&line, row.line);
        SetCursor(&line, row.cursor);
        EXPECT_EQ(ApplyHostKey(&line, row.key), row.effect) << "key " << row.key.virtualKey;
        EXPECT_EQ(std::u16string(line.text), row.lineAfter) << "key " << row.key.virtualKey;
        EXPECT_EQ(line.length, static_cast<int>(std::u16string(row.lineAfter).size()));
        EXPECT_EQ(line.cursor, row.cursorAfter) << "key " << row.key.virtualKey;
    }
}

TEST(StandInEditLineTest, AFullLineTakesNoMoreCharacters) {
    EditLine line{};
    const std::u16string full(LINE_UNITS - 1, u'x');
    SetLineText(&line, full.c_str());
    EXPECT_EQ(ApplyHostKey(&line, Key('A', u'a')), LineEffect::None);
    EXPECT_EQ(line.length, LINE_UNITS - 1);
    EXPECT_EQ(line.text[LINE_UNITS - 1], u'\0');
}

TEST(StandInEditLineTest, TheLineTheHandlerLeftIsMeasuredAndItsCursorChecked) {
    // Byte offsets from the line's first unit: the handler may leave the
    // cursor pointer before the line, past it, or between two units.
    struct Row {
        long long byteOffset;
        bool inside;
        int cursorAfter;
    };
    for (const Row& row : {Row{4, true, 2}, Row{8, true, 4}, Row{10, false, 3}, Row{-2, false, 3}, Row{3, false, 3}}) {
        EditLine line{};
        SetLineText(&line, u"dir /s");
        SetCursor(&line, 3);
        line.text[4] = u'\0';  // the handler shortened the line to "dir "
        const auto cursor =
            reinterpret_cast<const char16_t*>(reinterpret_cast<std::uintptr_t>(line.text) + row.byteOffset);
        EXPECT_EQ(TakeLineFromBuffer(&line, cursor), row.inside) << row.byteOffset;
        EXPECT_EQ(line.length, 4);
        EXPECT_EQ(line.cursor, row.cursorAfter) << row.byteOffset;
    }
}

class StandInVariablesTest : public ::testing::Test {
protected:
    void SetUp() override { ResetHostVariables(); }

    std::u16string Expand(const char16_t* text, std::size_t capacity = 1024) {
        char16_t buffer[1024] = {};
        std::u16string(text).copy(buffer, 1023);
        ExpandHostVariables(buffer, capacity);
        return buffer;
    }
};

TEST_F(StandInVariablesTest, ThePluginsQuestionsHaveTheDefaultAnswers) {
    EXPECT_EQ(Expand(u"%_4ver"), u"24");
    EXPECT_EQ(Expand(u"%[_transient]%[_pipe]%[noloadmsg]"), u"00");
    EXPECT_EQ(Expand(u"%_batch"), u"0");
    EXPECT_EQ(Expand(u"%_batchname [%_batchline]  "), u" [0]  ");
    EXPECT_EQ(Expand(u"%@option[escapechar]"), u"^");
}

TEST_F(StandInVariablesTest, SetValuesAreExpandedInPlace) {
    ASSERT_TRUE(SetHostVariable(u"_batchname", u"C:\\setup.btm"));
    ASSERT_TRUE(SetHostVariable(u"_BATCHLINE", u"12"));
    ASSERT_TRUE(SetHostVariable(u"@option[escapechar]", u"`"));
    ASSERT_TRUE(SetHostVariable(u"noloadmsg", u"1"));
    EXPECT_EQ(Expand(u"%_batchname [%_batchline]  "), u"C:\\setup.btm [12]  ");
    EXPECT_EQ(Expand(u"%@OPTION[escapechar]"), u"`");
    EXPECT_EQ(Expand(u"%[_transient]%[_pipe]%[noloadmsg]"), u"001");  // no banner then
    EXPECT_EQ(HostVariable(u"_batchline"), std::u16string(u"12"));
    EXPECT_EQ(HostVariable(u"nothing"), nullptr);
}

TEST_F(StandInVariablesTest, OtherTextIsLeftOrEmptied) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"no references", u"no references"},
        {u"100%% sure", u"100% sure"},
        {u"a %unknown b", u"a  b"},
        {u"%@upper[%@left[2,abc]]x", u"x"},  // unknown functions, brackets nesting
        {u"50% [open", u"50% [open"},
        {u"%@option[escapechar", u"%@option[escapechar"},
        {u"%", u"%"},
    };
    for (const auto& [text, expansion] : cases) EXPECT_EQ(Expand(text), expansion);
}

TEST_F(StandInVariablesTest, ValuesAndExpansionsAreCutToTheirBuffers) {
    const std::u16string longValue(300, u'v');
    ASSERT_TRUE(SetHostVariable(u"big", longValue.c_str()));
    EXPECT_EQ(Expand(u"%big").size(), VARIABLE_UNITS - 1);
    EXPECT_EQ(Expand(u"%big%big%big%big%big").size(), 1023u);
    EXPECT_EQ(Expand(u"%big", 8), u"vvvvvvv");
}

TEST(StandInFunctionListTest, CommandsAndTheStarredHandler) {
    const FunctionList list = ParseFunctionList(u"tolvek,*key");
    ASSERT_EQ(list.commandCount, 1);
    EXPECT_EQ(std::u16string(list.commands[0]), u"tolvek");
    EXPECT_EQ(std::u16string(list.keystrokeHandler), u"key");

    const FunctionList spaced = ParseFunctionList(u" one , ,* handler ,two,*second,");
    ASSERT_EQ(spaced.commandCount, 2);
    EXPECT_EQ(std::u16string(spaced.commands[0]), u"one");
    EXPECT_EQ(std::u16string(spaced.commands[1]), u"two");
    EXPECT_EQ(std::u16string(spaced.keystrokeHandler), u"handler");

    EXPECT_EQ(ParseFunctionList(u"").commandCount, 0);
    EXPECT_EQ(ParseFunctionList(nullptr).keystrokeHandler[0], u'\0');
}

TEST(StandInFunctionListTest, ALineCallsTheCommandItsFirstWordNames) {
    const FunctionList list = ParseFunctionList(u"tolvek,*key");
    struct Case {
        const char16_t* line;
        int command;
        int arguments;
    };
    const Case cases[] = {
        {u"tolvek /L", 0, 7},    {u"  TOLVEK   /ml:alt-l /s", 0, 11},
        {u"tolvek", 0, 6},       {u"tolvekx /L", -1, 0},
        {u"echo tolvek", -1, 0}, {u"", -1, 0},
        {u"key", -1, 0},
    };
    for (const Case& c : cases) {
        int arguments = 0;
        EXPECT_EQ(FindCommand(list, c.line, &arguments), c.command);
        if (c.command >= 0) {
            EXPECT_EQ(arguments, c.arguments);
        }
    }
}

// The stand-in's own reading of its version text, which the plug-in's
// reading is measured against in the transcripts.
TEST(StandInGenerationTest, TheLeadingDigitsGiveTheVersion) {
    struct Case {
        const char16_t* text;
        int major;
        bool newerKeys;
    };
    const Case cases[] = {
        {u"24", 24, true},   {u"23", 23, false}, {u"24.01", 24, true},
        {u"100", 100, true}, {u"8", 8, false},   {u"", 0, false},
        {u"v24", 0, false},  {u" 24", 0, false}, {u"4294967320", MAX_MAJOR_VERSION, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MajorVersionOf(c.text), c.major) << "case " << (&c - cases);
        EXPECT_EQ(NumbersKeysTheNewerWay(c.text), c.newerKeys) << "case " << (&c - cases);
    }
}

TEST(StandInScriptTest, StepsAndTheirText) {
    struct Case {
        const char16_t* line;
        StepKind kind;
        const char16_t* argument;
    };
    const Case cases[] = {
        {u"", StepKind::Skip, u""},
        {u"   # a comment", StepKind::Skip, u""},
        {u"say == title", StepKind::Say, u"== title"},
        {u"say", StepKind::Say, u""},
        {u"type  two blanks", StepKind::Type, u" two blanks"},
        {u"key Ctrl-Left Ctrl-L", StepKind::Key, u"Ctrl-Left Ctrl-L"},
        {u"line copy \"a b\" c", StepKind::Line, u"copy \"a b\" c"},
        {u"cursor 6", StepKind::Cursor, u"6"},
        {u"run tolvek /L", StepKind::Run, u"tolvek /L"},
        {u"running", StepKind::Unknown, u"running"},
        {u"KEY Left", StepKind::Unknown, u"KEY Left"},
    };
    for (const Case& c : cases) {
        const Step step = ParseStep(c.line);
        EXPECT_EQ(step.kind, c.kind);
        EXPECT_EQ(std::u16string(step.argument), c.argument);
    }
    int position = 0;
    char16_t word[6];
    const char16_t* names = u" Ctrl-Left  Ctrl-Shift-F5 ";
    ASSERT_TRUE(NextWord(names, &position, word, 6));
    EXPECT_EQ(std::u16string(word), u"Ctrl-");  // cut to the word buffer
    ASSERT_TRUE(NextWord(names, &position, word, 6));
    EXPECT_FALSE(NextWord(names, &position, word, 6));
}

}  // namespace
