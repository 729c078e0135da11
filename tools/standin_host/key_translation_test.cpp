// The stand-in host's keyboard: every cell of both key numberings reached
// from a console key press and from a script's key name.
#include <gtest/gtest.h>

#include <string>

#include "host_text.h"
#include "hotkeys/key_tables.h"
#include "key_translation.h"

using namespace tolvek;

namespace {

using namespace standin;

// The plug-in's key tables are the reference: the stand-in host keeps its
// own numbering, written separately, and the two must agree cell for cell.
struct TableSet {
    bool extended;
    int columns;
};
constexpr TableSet TableSets[] = {{true, 7}, {false, 6}};

const char16_t* const Prefixes[7] = {
    u"", u"Shift-", u"Ctrl-", u"Alt-", u"Ctrl-Shift-", u"Ctrl-Alt-", u"Ctrl-Alt-Shift-",
};

struct Modifiers {
    bool shift, ctrl, alt;
};
const Modifiers ColumnModifiers[7] = {
    {false, false, false}, {true, false, false}, {false, true, false}, {false, false, true},
    {true, true, false},   {false, true, true},  {true, true, true},
};

// A character no key of the tables types, to see where it is passed on.
constexpr char16_t TYPED = u'\u2603';

using host_side::Narrow;

std::u16string Prefixed(int column, const char16_t* name) {
    return std::u16string(Prefixes[column]) + name;
}

// The console key of a table row: the key its name stands for in a script.
int VirtualKeyOf(KeySet set, int row) {
    ConsoleKey key{};
    EXPECT_TRUE(ParseScriptKey(KeyRowName(set, row), &key)) << Narrow(KeyRowName(set, row));
    return key.virtualKey;
}

// A usable cell is passed with its code and name; a cell of -1 or -2 passes
// the typed character on, still named.
TEST(KeyTranslationTest, EveryCellOfBothNumberings) {
    for (const TableSet& tables : TableSets) {
        const KeySet set{tables.extended};
        for (int row = 0; row < KeyRowCount(set); ++row) {
            const int virtualKey = VirtualKeyOf(set, row);
            for (int column = 0; column < tables.columns; ++column) {
                const std::u16string name = Prefixed(column, KeyRowName(set, row));
                SCOPED_TRACE(Narrow(name) + (tables.extended ? " (extended)" : " (legacy)"));
                const Modifiers m = ColumnModifiers[column];
                const HostKey key = TranslateKey({virtualKey, TYPED, m.shift, m.ctrl, m.alt}, tables.extended);
                EXPECT_EQ(std::u16string(key.name), name);
                const KeyCode cell = KeyCell(set, row, column);
                EXPECT_EQ(key.code, cell > 0 ? cell : KeyCode{TYPED});
                EXPECT_EQ(key.fromTable, cell > 0);
            }
        }
    }
}

// Alt+Shift has no column, nor has Ctrl+Alt+Shift in the legacy numbering:
// the plug-in adds no flag for Shift there, so the key goes by the code of
// the combination without Shift, unnamed.
TEST(KeyTranslationTest, CombinationsWithoutColumnGoByTheCodeWithoutShift) {
    struct Case {
        bool extended;
        bool ctrl;
        int column;  // whose code stands in
    };
    const Case cases[] = {{true, false, COLUMN_ALT}, {false, false, COLUMN_ALT}, {false, true, COLUMN_CTRL_ALT}};
    for (const Case& c : cases) {
        const KeySet set{c.extended};
        for (int row = 0; row < KeyRowCount(set); ++row) {
            SCOPED_TRACE(Narrow(KeyRowName(set, row)) + (c.ctrl ? " with Ctrl+Alt+Shift" : " with Alt+Shift"));
            const HostKey key = TranslateKey({VirtualKeyOf(set, row), TYPED, true, c.ctrl, true}, c.extended);
            const KeyCode cell = KeyCell(set, row, c.column);
            EXPECT_EQ(key.code, cell > 0 ? cell : KeyCode{TYPED});
            EXPECT_EQ(key.name[0], u'\0');
            EXPECT_FALSE(key.fromTable);
        }
    }
}

TEST(KeyTranslationTest, KeysWithoutRowPassTheirCharacterUnnamed) {
    struct Case {
        ConsoleKey key;
        bool extendedKeys;
        KeyCode code;
    };
    const Case cases[] = {
        {{VK_SPACE_KEY, u' ', false, false, false}, true, u' '},
        {{VK_TAB_KEY, 9, true, false, false}, true, 9},
        {{VK_ESCAPE_KEY, 27, false, false, false}, false, 27},
        {{0x60, u'0', false, false, false}, true, u'0'},            // keypad 0
        {{VK_SUBTRACT_KEY, u'-', false, true, false}, true, u'-'},  // keypad minus: legacy only
        {{VK_RETURN_KEY, 13, false, false, false}, false, 13},      // no Enter row in the legacy numbering
        {{0, u'\u00E9', false, false, false}, true, u'\u00E9'},
    };
    for (const Case& c : cases) {
        const HostKey key = TranslateKey(c.key, c.extendedKeys);
        EXPECT_EQ(key.code, c.code) << "virtual key " << c.key.virtualKey;
        EXPECT_EQ(key.name[0], u'\0');
    }
}

// Every cell can be pressed from a script by its table name and prefix.
TEST(KeyTranslationTest, ScriptNamesReachEveryUsableCell) {
    for (const TableSet& tables : TableSets) {
        const KeySet set{tables.extended};
        for (int row = 0; row < KeyRowCount(set); ++row) {
            for (int column = 0; column < tables.columns; ++column) {
                const KeyCode cell = KeyCell(set, row, column);
                if (cell <= 0) continue;
                const std::u16string name = Prefixed(column, KeyRowName(set, row));
                SCOPED_TRACE(Narrow(name));
                ConsoleKey key{};
                ASSERT_TRUE(ParseScriptKey(name.c_str(), &key));
                EXPECT_EQ(TranslateKey(key, tables.extended).code, cell);
            }
        }
    }
}

TEST(KeyTranslationTest, ScriptKeyNames) {
    struct Case {
        const char16_t* text;
        ConsoleKey key;
    };
    const Case cases[] = {
        {u"Ctrl-Shift-F5", {0x74, 0, true, true, false}},
        {u"shift-ctrl-f5", {0x74, 0, true, true, false}},
        {u"a-b", {'B', u'b', false, false, true}},
        {u"S-A", {'A', u'A', true, false, false}},
        {u"A", {'A', u'a', false, false, false}},
        {u"Ctrl-A", {'A', 1, false, true, false}},
        {u"Ctrl-Shift-C", {'C', 3, true, true, false}},
        {u"Control-Alt-R", {'R', 0, false, true, true}},
        {u"Ctl-Backspace", {VK_BACK_KEY, 0x7F, false, true, false}},
        {u"BkSp", {VK_BACK_KEY, 8, false, false, false}},
        {u"Alt--", {VK_OEM_MINUS_KEY, u'-', false, false, true}},
        {u"Ctrl-Num-", {VK_SUBTRACT_KEY, 0, false, true, false}},
        {u"Shift-1", {'1', u'!', true, false, false}},
        {u"Shift-'", {VK_OEM_7_KEY, u'"', true, false, false}},
        {u"Ctrl-[", {VK_OEM_4_KEY, 0x1B, false, true, false}},
        {u"pageup", {VK_PRIOR_KEY, 0, false, false, false}},
        {u"Enter", {VK_RETURN_KEY, 13, false, false, false}},
        {u"Ctrl-Enter", {VK_RETURN_KEY, 10, false, true, false}},
        {u"Esc", {VK_ESCAPE_KEY, 27, false, false, false}},
        {u"Space", {VK_SPACE_KEY, u' ', false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        ConsoleKey key{};
        ASSERT_TRUE(ParseScriptKey(c.text, &key));
        EXPECT_EQ(key.virtualKey, c.key.virtualKey);
        EXPECT_EQ(key.character, c.key.character);
        EXPECT_EQ(key.shift, c.key.shift);
        EXPECT_EQ(key.ctrl, c.key.ctrl);
        EXPECT_EQ(key.alt, c.key.alt);
    }
    for (const char16_t* text :
         {u"", u"Ctrl", u"Ctrl-", u"Foo", u"Ctrl-Foo", u"Hyper-A", u"Alt-Shift", u"--", u"F13"}) {
        ConsoleKey key{1, 2, true, true, true};
        EXPECT_FALSE(ParseScriptKey(text, &key)) << Narrow(text);
        EXPECT_EQ(key.virtualKey, 1);
    }
}

// A terminal's Alt+Backspace reaches the console as Ctrl+Alt+Backspace with
// the character DEL; a Ctrl+Alt+Backspace really pressed types nothing, and
// the keys near it are what they are.
TEST(KeyTranslationTest, ATerminalsAltBackspaceIsAltBackspace) {
    struct Case {
        ConsoleKey reported;
        ConsoleKey pressed;
    };
    const Case cases[] = {
        {{VK_BACK_KEY, 0x7F, false, true, true}, {VK_BACK_KEY, 8, false, false, true}},
        {{VK_BACK_KEY, 0x7F, true, true, true}, {VK_BACK_KEY, 8, true, false, true}},
        {{VK_BACK_KEY, 0, false, true, true}, {VK_BACK_KEY, 0, false, true, true}},
        {{VK_BACK_KEY, 0x7F, false, true, false}, {VK_BACK_KEY, 0x7F, false, true, false}},
        {{'H', 8, false, true, true}, {'H', 8, false, true, true}},
    };
    for (const Case& c : cases) {
        const ConsoleKey key = KeyAsPressed(c.reported);
        const HostKey wanted = TranslateKey(c.pressed, true);
        EXPECT_EQ(TranslateKey(key, true).code, wanted.code) << Narrow(wanted.name);
        EXPECT_EQ(key.character, c.pressed.character) << Narrow(wanted.name);
    }
}

TEST(KeyTranslationTest, TypedCharactersComeFromTheirKeys) {
    struct Case {
        char16_t character;
        int virtualKey;
        bool shift;
    };
    const Case cases[] = {
        {u'a', 'A', false},           {u'Z', 'Z', true},           {u'0', '0', false},    {u'%', '5', true},
        {u' ', VK_SPACE_KEY, false},  {u'"', VK_OEM_7_KEY, true},  {u'^', '6', true},     {u'/', VK_OEM_2_KEY, false},
        {u'[', VK_OEM_4_KEY, false},  {u']', VK_OEM_6_KEY, false}, {u'@', '2', true},     {u'*', '8', true},
        {u'\\', VK_OEM_5_KEY, false}, {u'`', VK_OEM_3_KEY, false}, {u'\u00E9', 0, false},
    };
    for (const Case& c : cases) {
        const ConsoleKey key = KeyForCharacter(c.character);
        EXPECT_EQ(key.virtualKey, c.virtualKey) << static_cast<int>(c.character);
        EXPECT_EQ(key.shift, c.shift) << static_cast<int>(c.character);
        EXPECT_EQ(key.character, c.character);
        EXPECT_FALSE(key.ctrl || key.alt);
    }
}

}  // namespace
