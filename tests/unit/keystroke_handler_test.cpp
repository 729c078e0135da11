// The keystroke handler: each action on the worked lines, the modifier
// flags, and the record left alone when the key is not ours. The tests hand
// the handler slots and a key set of their own; one test goes through the
// exported key() to see that it passes the process state down.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "edit/escape_char.h"
#include "edit/keystroke_handler.h"
#include "fake_host.h"
#include "fake_os.h"
#include "host_call.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_codes.h"
#include "plugin/exports.h"
#include "plugin/plugin_state.h"
#include "plugin_test.h"

using namespace tolvek;

namespace {

enum class Act { MoveLeft, MoveRight, DeleteLeft, DeleteRight };

KeyCode DefaultKeyOf(Act action) {
    switch (action) {
    case Act::MoveLeft: return KEY_CTRL_LEFT;
    case Act::MoveRight: return KEY_CTRL_RIGHT;
    case Act::DeleteLeft: return KEY_CTRL_L;
    case Act::DeleteRight: return KEY_CTRL_R;
    }
    return 0;
}

// The handler with the slots and the key set each test chooses: the
// built-in hotkeys and the legacy set unless a test changes them.
class KeystrokeHandlerTest : public StandInTest {
protected:
    void Press(HostCall& call) const { HandleKeystroke(&call.record, slots, keys); }

    HotkeySlotCodes slots = DefaultHotkeys;
    KeySet keys = LegacyKeys;
};

struct ActionRow {
    std::u16string line;
    int cursor;
    Act action;
    std::u16string lineAfter;
    int cursorAfter;
    bool redrawn;
};

const ActionRow ACTION_ROWS[] = {
    {u"dir /s /b x", 6, Act::MoveLeft, u"dir /s /b x", 4, true},
    {u"dir /s /b x", 6, Act::MoveRight, u"dir /s /b x", 7, true},
    {u"dir /s /b x", 6, Act::DeleteLeft, u"dir  /b x", 4, true},
    {u"dir /s /b x", 6, Act::DeleteRight, u"dir /s/b x", 6, true},
    {u"dir /s /b x", 4, Act::DeleteLeft, u"/s /b x", 0, true},
    {u"dir /s /b x", 4, Act::DeleteRight, u"dir /b x", 4, true},
    {u"dir /s /b x", 0, Act::MoveLeft, u"dir /s /b x", 0, false},
    {u"dir /s /b x", 0, Act::DeleteRight, u"/s /b x", 0, true},
    {u"dir /s /b x", 11, Act::MoveRight, u"dir /s /b x", 11, false},
    {u"dir /s /b x", 11, Act::DeleteLeft, u"dir /s /b ", 10, true},
    {u"dir /s /b x", 11, Act::DeleteRight, u"dir /s /b x", 11, false},
    {u"  abc", 2, Act::MoveLeft, u"  abc", 0, true},
    {u"  abc", 2, Act::DeleteLeft, u"abc", 0, true},
    {u"  abc", 2, Act::MoveRight, u"  abc", 5, true},
    {u"  abc", 2, Act::DeleteRight, u"  ", 2, true},
    {u"abc", 3, Act::DeleteLeft, u"", 0, true},
    {u"echo %@upper[abc def] x", 17, Act::DeleteRight, u"echo %@upper[abc ] x", 17, true},
    {u"echo %@upper[abc def] x", 17, Act::DeleteLeft, u"echo %@upper[def] x", 13, true},
    {u"echo %@upper[abc def] x", 22, Act::DeleteLeft, u"echo %@upper[abc x", 17, true},
    {u"echo %@upper[abc def] x", 13, Act::MoveLeft, u"echo %@upper[abc def] x", 5, true},
    {u"", 0, Act::MoveLeft, u"", 0, false},
    {u"", 0, Act::MoveRight, u"", 0, false},
    {u"", 0, Act::DeleteLeft, u"", 0, false},
    {u"", 0, Act::DeleteRight, u"", 0, false},
};

TEST_F(KeystrokeHandlerTest, CarriesOutEachActionAndConsumesTheKey) {
    for (const bool extended : {false, true}) {
        keys = KeySet{extended};
        for (const ActionRow& row : ACTION_ROWS) {
            SCOPED_TRACE(host_side::Narrow(row.line) + " cursor " + std::to_string(row.cursor) + " action " +
                         std::to_string(static_cast<int>(row.action)) + (extended ? " extended" : " legacy"));
            fake_host::Reset();
            HostCall call(row.line, row.cursor, DefaultKeyOf(row.action));
            call.name[0] = u'X';
            Press(call);
            EXPECT_EQ(call.Line(), row.lineAfter);
            EXPECT_EQ(call.Cursor(), row.cursorAfter);
            EXPECT_EQ(call.record.redraw, row.redrawn ? 1 : HostCall::UNTOUCHED_REDRAW);
            EXPECT_EQ(call.record.keyCode, 0);
            EXPECT_EQ(call.name[0], extended ? u'\0' : u'X');
            const bool deleted = row.lineAfter != row.line;
            EXPECT_EQ(fake_host::ClearEditLineCalls(), deleted ? 1 : 0);
            // The escape character is asked for once per scan, and an
            // empty line is not scanned.
            EXPECT_EQ(fake_host::ExpandCalls(), row.line.empty() ? 0 : 1);
        }
    }
}

TEST_F(KeystrokeHandlerTest, TheHostsEscapeCharacterTakesEffectAtTheNextKey) {
    HostCall caret(u"copy a^ b c", 11, KEY_CTRL_LEFT);
    Press(caret);
    fake_host::SetExpansion(u"%@option[escapechar]", u"~");
    HostCall tilde(u"copy a^ b c", 10, KEY_CTRL_LEFT);
    Press(tilde);
    EXPECT_EQ(caret.Cursor(), 10);
    EXPECT_EQ(tilde.Cursor(), 8);  // "^" is an ordinary character now
}

TEST_F(KeystrokeHandlerTest, EscapeCharacterFallsBackToCaret) {
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

TEST_F(KeystrokeHandlerTest, KeyMatchingNoSlotLeavesTheRecordByteForByte) {
    for (const KeyCode code : {KeyCode{1}, KeyCode{0x10048}, NO_HOTKEY + 1, KeyCode{-1}}) {
        HostCall call(u"dir /s /b x", 6, code);
        HostCall before = call;
        Press(call);
        EXPECT_TRUE(call.Unchanged(before));
        EXPECT_EQ(fake_os::ModifierReads() > 0, true);
    }
    EXPECT_EQ(fake_host::ExpandCalls(), 0);
}

// A code that is no key is not one of ours, whatever the slots hold:
// NO_HOTKEY, which a switched-off slot holds, and the two table markers,
// from the host or from a key's name, with the modifiers that leave them as
// they are.
TEST_F(KeystrokeHandlerTest, CodesThatAreNoKeyMatchNoSlot) {
    struct Row {
        KeyCode slotCode;  // in every slot
        KeyCode code;
        std::u16string name;
        bool extended;
    };
    const Row rows[] = {
        {NO_HOTKEY, NO_HOTKEY, u"", false},       {NO_HOTKEY, NO_HOTKEY, u"", true},
        {KEY_UNUSABLE, KEY_UNUSABLE, u"", false}, {KEY_NOT_ALLOWED, KEY_NOT_ALLOWED, u"", true},
        {KEY_UNUSABLE, 0, u"Ctrl-C", true},       {KEY_UNUSABLE, 0, u"Ctrl-Alt-Del", true},
        {KEY_NOT_ALLOWED, 0, u"A", true},         {KEY_NOT_ALLOWED, 0, u"Shift-A", true},
    };
    for (const Row& row : rows) {
        for (const bool ctrlAltShift : {false, true}) {
            SCOPED_TRACE(::testing::Message() << row.slotCode << " " << row.code << " " << host_side::Narrow(row.name)
                                              << " extended " << row.extended << " Ctrl+Alt+Shift " << ctrlAltShift);
            fake_os::HoldModifiers(ctrlAltShift, ctrlAltShift, ctrlAltShift);
            HotkeySlotCodes filled;
            filled.fill(row.slotCode);
            for (const HotkeySlotCodes& tried : {DefaultHotkeys, filled}) {
                HostCall call(u"dir /s /b x", 6, row.code, row.name);
                HostCall before = call;
                HandleKeystroke(&call.record, tried, KeySet{row.extended});
                EXPECT_TRUE(call.Unchanged(before));
            }
        }
    }
}

TEST_F(KeystrokeHandlerTest, ModifierFlagsSelectTheEffectiveCode) {
    struct Row {
        bool shift, ctrl, alt, extended;
        bool deletes;  // still Ctrl-L, the DeleteLeft key
    };
    const Row rows[] = {
        {false, false, false, false, true}, {false, true, false, true, true},  {true, true, false, false, false},
        {true, true, false, true, false},   {false, true, true, false, false}, {false, true, true, true, false},
        {true, false, true, false, true},   {true, false, true, true, true},   {true, true, true, false, true},
        {true, true, true, true, false},    {true, false, false, true, true},  {false, false, true, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "shift " << row.shift << " ctrl " << row.ctrl << " alt " << row.alt
                                          << " extended " << row.extended);
        keys = KeySet{row.extended};
        fake_os::HoldModifiers(row.shift, row.ctrl, row.alt);
        HostCall call(u"abc", 3, KEY_CTRL_L);
        Press(call);
        EXPECT_EQ(call.Line(), row.deletes ? u"" : u"abc");
        EXPECT_EQ(call.record.keyCode, row.deletes ? 0 : KEY_CTRL_L);
    }
}

TEST_F(KeystrokeHandlerTest, FlaggedCodesMatchSlotsHoldingThem) {
    keys = ExtendedKeys;
    slots[MoveLeft] = 0x70073;
    fake_os::HoldModifiers(true, true, true);
    HostCall call(u"a b", 3, 0x70073);  // already carries both flags
    Press(call);
    EXPECT_EQ(call.Cursor(), 2);

    slots[DeleteLeft] = 0x20000 + KEY_CTRL_L;
    fake_os::HoldModifiers(true, true, false);
    HostCall shifted(u"a b", 3, KEY_CTRL_L);
    Press(shifted);
    EXPECT_EQ(shifted.Line(), u"a ");
}

TEST_F(KeystrokeHandlerTest, KeysGivenByNameNeedExtendedModeAndAKnownName) {
    for (const bool extended : {false, true}) {
        keys = KeySet{extended};
        HostCall call(u"a b", 3, 0, u"NoSuchKey");
        HostCall before = call;
        Press(call);
        EXPECT_TRUE(call.Unchanged(before));

        HostCall unnamed(u"a b", 3, 0);
        unnamed.record.keyName = nullptr;
        Press(unnamed);
        EXPECT_EQ(unnamed.record.keyCode, 0);
        EXPECT_EQ(unnamed.Cursor(), 3);
    }
}

TEST_F(KeystrokeHandlerTest, KeysGivenByNameAreParsedInExtendedMode) {
    keys = ExtendedKeys;
    slots[MoveLeft] = 0x70073;
    fake_os::HoldModifiers(true, true, true);  // the flags are already in the name's code
    HostCall call(u"a b", 3, 0, u"Ctrl-Alt-Shift-Left");
    Press(call);
    EXPECT_EQ(call.Cursor(), 2);
    EXPECT_EQ(call.record.redraw, 1);
    EXPECT_EQ(call.record.keyCode, 0);
    EXPECT_EQ(call.name[0], u'\0');
    EXPECT_EQ(call.name[1], u't');  // only the first character is cleared

    // A name for one of the defaults, with no modifier held.
    fake_os::HoldModifiers(false, false, false);
    HostCall deleting(u"abc def", 7, 0, u"ctrl-l");
    Press(deleting);
    EXPECT_EQ(deleting.Line(), u"abc ");
    EXPECT_EQ(deleting.name[0], u'\0');

    // The same record outside extended mode is not ours.
    keys = LegacyKeys;
    fake_os::HoldModifiers(true, true, true);
    HostCall legacy(u"a b", 3, 0, u"Ctrl-Alt-Shift-Left");
    HostCall before = legacy;
    Press(legacy);
    EXPECT_TRUE(legacy.Unchanged(before));
}

TEST_F(KeystrokeHandlerTest, ExtendedModeConsumesAKeyThatCameWithoutAName) {
    keys = ExtendedKeys;
    HostCall call(u"dir /s", 6, KEY_CTRL_L);
    call.record.keyName = nullptr;
    Press(call);
    EXPECT_EQ(call.Line(), u"dir ");
    EXPECT_EQ(call.record.keyCode, 0);
    EXPECT_EQ(call.record.keyName, nullptr);
}

TEST_F(KeystrokeHandlerTest, EarlierSlotWinsWhenTwoHoldTheSameCode) {
    slots[MoveRight2] = 99;
    slots[DeleteLeft] = 99;
    HostCall call(u"a b c", 0, 99);
    Press(call);
    EXPECT_EQ(call.Line(), u"a b c");
    EXPECT_EQ(call.Cursor(), 2);
}

TEST_F(KeystrokeHandlerTest, SecondKeysWorkLikeFirstKeys) {
    HostCall call(u"dir /s", 6, KEY_CTRL_BKSP);  // the default second DeleteRight key
    call.record.cursorPos = call.line + 0;
    Press(call);
    EXPECT_EQ(call.Line(), u"/s");
    EXPECT_EQ(call.record.keyCode, 0);
}

TEST_F(KeystrokeHandlerTest, UntrustworthyRecordsArePassedOn) {
    HandleKeystroke(nullptr, slots, keys);

    HostCall noLine(u"abc", 0, KEY_CTRL_LEFT);
    noLine.record.lineStart = nullptr;
    HostCall before = noLine;
    Press(noLine);
    EXPECT_TRUE(noLine.Unchanged(before));

    for (const int offset : {-1, 4, 40}) {
        HostCall stray(u"abc", 0, KEY_CTRL_LEFT);
        stray.record.cursorPos = stray.line + 1;
        stray.record.cursorPos += offset - 1;
        HostCall strayBefore = stray;
        Press(stray);
        EXPECT_TRUE(stray.Unchanged(strayBefore)) << offset;
        EXPECT_EQ(stray.Line(), u"abc");
    }

    HostCall misaligned(u"abc", 0, KEY_CTRL_LEFT);
    misaligned.record.cursorPos = reinterpret_cast<char16_t*>(reinterpret_cast<char*>(misaligned.line) + 3);
    HostCall misalignedBefore = misaligned;
    Press(misaligned);
    EXPECT_TRUE(misaligned.Unchanged(misalignedBefore));
}

TEST_F(KeystrokeHandlerTest, EraseUnitsClosesTheGap) {
    struct Row {
        std::u16string line;
        int from, to;
        std::u16string after;
    };
    const Row rows[] = {
        {u"abcdef", 1, 3, u"adef"},   {u"abcdef", 3, 6, u"abc"},    {u"abcdef", 0, 6, u""}, {u"abcdef", 4, 5, u"abcdf"},
        {u"abcdef", 2, 2, u"abcdef"}, {u"abcdef", 3, 1, u"abcdef"}, {u"", 0, 0, u""},       {u"abc", -1, 2, u"abc"},
        {u"abc", 1, 4, u"abc"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(host_side::Narrow(row.line) + " " + std::to_string(row.from) + " " + std::to_string(row.to));
        fake_host::Reset();
        char16_t line[16] = {};
        std::memcpy(line, row.line.c_str(), (row.line.size() + 1) * sizeof(char16_t));
        EraseUnits(line, row.from, row.to);
        EXPECT_EQ(std::u16string(line), row.after);
        EXPECT_EQ(fake_host::ClearEditLineCalls(), row.after != row.line ? 1 : 0);
    }
    EraseUnits(nullptr, 0, 1);
}

// The export hands the process's live slots and key set to the handler,
// and answers 0 whatever became of the key.
using KeyExportTest = PluginTest;

TEST_F(KeyExportTest, PassesTheLiveSlotsAndKeySetToTheHandler) {
    ExtendedKeyMode = true;
    HotkeySlots[MoveLeft] = KEY_CTRL_ALT_SHIFT_LEFT;
    HostCall call(u"a b", 3, 0, u"Ctrl-Alt-Shift-Left");  // by name: extended keys only
    EXPECT_EQ(key(&call.record), 0);
    EXPECT_EQ(call.Cursor(), 2);
    EXPECT_EQ(call.name[0], u'\0');

    HostCall other(u"a b", 3, KEY_CTRL_LEFT);  // no longer a hotkey
    HostCall before = other;
    EXPECT_EQ(key(&other.record), 0);
    EXPECT_TRUE(other.Unchanged(before));
    EXPECT_EQ(key(nullptr), 0);
}

}  // namespace
