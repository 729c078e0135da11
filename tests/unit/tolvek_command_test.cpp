// The tolvek command end to end against the stand-in host: exact output on
// both streams, result codes, and the hotkey slots afterwards.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "command/help_text.h"
#include "command/tolvek_command.h"
#include "fake_host.h"
#include "fake_os.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_codes.h"
#include "plugin/exports.h"
#include "plugin/plugin_state.h"
#include "plugin_test.h"

using namespace tolvek;

namespace {

using Slots = std::array<KeyCode, HOTKEY_SLOT_COUNT>;

constexpr KeyCode NO = NO_HOTKEY;

const Slots DEFAULTS = {KEY_CTRL_LEFT, KEY_CTRL_RIGHT, KEY_CTRL_L, KEY_CTRL_R, NO, NO, NO, KEY_CTRL_BKSP};

const std::u16string CURRENT = u"\r\nCurrent Tolvek hotkeys are:\r\n\r\n";
const std::u16string CHANGED = u"\r\nTolvek hotkeys changed to:\r\n\r\n";
const std::u16string DEFAULT_LINES =
    u"Move arg left   :  Ctrl-Left\r\n"
    u"Move arg right  :  Ctrl-Right\r\n"
    u"Delete arg left :  Ctrl-L\r\n"
    u"Delete arg right:  Ctrl-R or Ctrl-BkSp\r\n";
const std::u16string PREFIX = u"Tolvek plugin: ";

Slots CurrentSlots() {
    Slots slots;
    for (int k = 0; k < HOTKEY_SLOT_COUNT; ++k) slots[k] = HotkeySlots[k];
    return slots;
}

Slots With(Slots slots, HotkeySlot slot, KeyCode code) {
    slots[slot] = code;
    return slots;
}

using TolvekCommandTest = PluginTest;

struct Row {
    std::u16string arguments;
    int result;
    std::u16string output;
    std::u16string error;
    Slots slots;
};

const Row ROWS[] = {
    {u"", 0, CURRENT + DEFAULT_LINES, u"", DEFAULTS},
    {u"  \t ", 0, CURRENT + DEFAULT_LINES, u"", DEFAULTS},
    {u"\" \"", 0, CURRENT + DEFAULT_LINES, u"", DEFAULTS},
    {u"\" \" /ML:Alt-L", 0, {}, u"", With(DEFAULTS, MoveLeft, KEY_ALT_L)},  // an emptied argument is skipped
    {u"/ml:alt-l", 0,
     CHANGED + u"Move arg left   :  Alt-L\r\nMove arg right  :  Ctrl-Right\r\n"
               u"Delete arg left :  Ctrl-L\r\nDelete arg right:  Ctrl-R or Ctrl-BkSp\r\n",
     u"", With(DEFAULTS, MoveLeft, KEY_ALT_L)},
    {u"/ML=Alt-L", 0, {}, u"", With(DEFAULTS, MoveLeft, KEY_ALT_L)},
    {u"/MLALT-L", 0, {}, u"", With(DEFAULTS, MoveLeft, KEY_ALT_L)},
    {u"/DR:CTRL-R,CTRL-BKSP", 0, {}, u"", DEFAULTS},
    {u"/dr:ctrl-r;ctrl-r", 0, {}, u"", With(DEFAULTS, DeleteRight2, NO)},
    {u"/dr:ctrl-bksp", 0, {}, u"", With(With(DEFAULTS, DeleteRight, KEY_CTRL_BKSP), DeleteRight2, NO)},
    {u"/ML:Alt-L,Alt-M", 0, {}, u"", With(With(DEFAULTS, MoveLeft, KEY_ALT_L), MoveLeft2, KEY_ALT_M)},
    {u"/ML:ALT-,", 0, {}, u"", With(DEFAULTS, MoveLeft, 0x10033)},
    {u"/ML:ALT-;,ALT--", 0, {}, u"", With(With(DEFAULTS, MoveLeft, 0x10027), MoveLeft2, 0x10082)},
    // Values the parser refuses; the action's slots stay as they were.
    {u"/ML Alt-L", 1, u"", u"", DEFAULTS},
    {u"/ML:Alt-L,", 1, u"", u"", DEFAULTS},
    {u"/ML:,Alt-L", 1, u"", u"", DEFAULTS},
    {u"/ML:Alt-L,Alt-M,Alt-N", 1, u"", PREFIX + u"Bad hotkey \"ALT-M,ALT-N\"\r\n", DEFAULTS},
    {u"/MLX", 1, u"", PREFIX + u"Key not allowed \"X\"\r\n", DEFAULTS},
    {u"/ML::ALT-L", 1, u"", PREFIX + u"Bad hotkey \":ALT-L\"\r\n", DEFAULTS},
    {u"/ML:Ctrl-C", 1, u"", PREFIX + u"Invalid hotkey \"CTRL-C\"\r\n", DEFAULTS},
    {u"/ML:Alt-L,Ctrl-C", 1, u"", PREFIX + u"Invalid hotkey \"CTRL-C\"\r\n", DEFAULTS},
    // A first key name longer than its buffer is cut to 1023 units, not overrun.
    {u"/ML:" + std::u16string(1100, u'Q') + u",ALT-L", 1, u"",
     PREFIX + u"Bad hotkey \"" + std::u16string(1023, u'Q') + u"\"\r\n", DEFAULTS},
    // Unknown arguments end the command where they stand.
    {u"/bogus /?", 1, u"", PREFIX + u"Unknown option \"/BOGUS\"\r\n", DEFAULTS},
    {u"bogus", 1, u"", PREFIX + u"Syntax error \"BOGUS\"\r\n", DEFAULTS},
    {u"/ML:Alt-L /x", 1, u"", PREFIX + u"Unknown option \"/X\"\r\n", With(DEFAULTS, MoveLeft, KEY_ALT_L)},
    {u"/S/R", 1, u"", PREFIX + u"Unknown option \"/S/R\"\r\n", DEFAULTS},
    // Combinations are refused after every option has been applied.
    {u"/ML:Alt-L /R", 1, u"", PREFIX + u"Can\u2019t combine /R with a hotkey option.\r\n",
     With(DEFAULTS, MoveLeft, KEY_ALT_L)},
    {u"/R /S /L", 1, u"", PREFIX + u"Can\u2019t combine /R and /S.\r\n", DEFAULTS},
    {u"/L /s", 1, u"", PREFIX + u"Can\u2019t combine /L with other options.\r\n", DEFAULTS},
    {u"/L /R", 1, u"", PREFIX + u"Can\u2019t combine /L with other options.\r\n", DEFAULTS},
    {u"/L /ML:Alt-L", 1, u"", PREFIX + u"Can\u2019t combine /L with other options.\r\n",
     With(DEFAULTS, MoveLeft, KEY_ALT_L)},
    // NONE switches an action's key off.
    {u"/ML:NONE", 0,
     CHANGED + u"Move arg left   :  NONE\r\nMove arg right  :  Ctrl-Right\r\n"
               u"Delete arg left :  Ctrl-L\r\nDelete arg right:  Ctrl-R or Ctrl-BkSp\r\n",
     u"", With(DEFAULTS, MoveLeft, NO)},
    {u"/DR:none", 0, {}, u"", With(With(DEFAULTS, DeleteRight, NO), DeleteRight2, NO)},
    {u"/ML:NONE,Alt-L", 0, {}, u"", With(DEFAULTS, MoveLeft, KEY_ALT_L)},
    {u"/ML:Alt-L,NONE", 0, {}, u"", With(DEFAULTS, MoveLeft, KEY_ALT_L)},
    {u"/ML:NONE,NONE", 0, {}, u"", With(DEFAULTS, MoveLeft, NO)},
};

TEST_F(TolvekCommandTest, OptionsMessagesAndResults) {
    for (const Row& row : ROWS) {
        SCOPED_TRACE(host_side::Narrow(row.arguments));
        ResetPlugin();
        EXPECT_EQ(tolvek::tolvek(row.arguments.c_str()), row.result);
        if (!row.output.empty() || row.result != 0) {
            EXPECT_EQ(host_side::Narrow(fake_host::StandardOutput()), host_side::Narrow(row.output));
        }
        EXPECT_EQ(host_side::Narrow(fake_host::StandardError()), host_side::Narrow(row.error));
        EXPECT_EQ(CurrentSlots(), row.slots);
        EXPECT_EQ(fake_host::QprintfOnOtherHandles(), 0);
    }
}

// Where a value splits into two hotkeys, in each host generation: what the
// "Move arg left" line shows afterwards, or the error.
TEST_F(TolvekCommandTest, PairsSplitAfterTheKeyNotAfterAModifierWord) {
    struct PairRow {
        std::u16string value;
        std::u16string legacy;
        std::u16string extended;
    };
    const PairRow rows[] = {
        {u"Alt--,Ctrl-K", u"Alt-- or Ctrl-K", u"Alt-Minus or Ctrl-K"},
        {u"alt--;alt-j", u"Alt-- or Alt-J", u"Alt-Minus or Alt-J"},
        {u"Ctrl-Num-,Alt-L", u"Ctrl-Num- or Alt-L", PREFIX + u"Bad hotkey \"CTRL-NUM-\"\r\n"},
        {u"Alt-,,Alt-L", u"Alt-, or Alt-L", u"Alt-, or Alt-L"},
        {u"Ctrl-;;Alt-L", PREFIX + u"Invalid hotkey \"CTRL-;\"\r\n", u"Ctrl-; or Alt-L"},
        {u"Alt-,", u"Alt-,", u"Alt-,"},
        {u"c-a-,;Alt-L", u"Ctrl-Alt-, or Alt-L", u"Ctrl-Alt-, or Alt-L"},
    };
    for (const PairRow& row : rows) {
        for (const bool extended : {false, true}) {
            SCOPED_TRACE(host_side::Narrow(row.value) + (extended ? " extended" : " legacy"));
            ResetPlugin();
            ExtendedKeyMode = extended;
            const std::u16string& expected = extended ? row.extended : row.legacy;
            const std::u16string command = u"/ML:" + row.value;
            if (expected.rfind(PREFIX, 0) == 0) {
                EXPECT_EQ(tolvek::tolvek(command.c_str()), 1);
                EXPECT_EQ(host_side::Narrow(fake_host::StandardError()), host_side::Narrow(expected));
            } else {
                EXPECT_EQ(tolvek::tolvek(command.c_str()), 0);
                const std::u16string line = u"Move arg left   :  " + expected + u"\r\n";
                EXPECT_NE(fake_host::StandardOutput().find(line), std::u16string::npos)
                    << host_side::Narrow(fake_host::StandardOutput());
            }
        }
    }
}

TEST_F(TolvekCommandTest, NullArgumentsDoNothing) {
    EXPECT_EQ(tolvek::tolvek(nullptr), -1);
    EXPECT_EQ(fake_host::StandardOutput(), u"");
    EXPECT_EQ(fake_host::ExpandCalls(), 0);
}

TEST_F(TolvekCommandTest, HelpEndsTheScanWhereItStands) {
    EXPECT_EQ(tolvek::tolvek(u"/ML:Alt-L /? /bogus"), 0);
    EXPECT_EQ(fake_host::StandardOutput(), CommandHelpText);
    EXPECT_EQ(HotkeySlots[MoveLeft], KEY_ALT_L);

    ResetPlugin();
    EXPECT_EQ(tolvek::tolvek(u"/??"), 0);
    EXPECT_EQ(fake_host::StandardOutput(), std::u16string(CommandHelpText) + u"\r\n\t\t\t\tTolvek  0.92.0.7 (x64)\r\n");

    ResetPlugin();
    EXPECT_EQ(tolvek::tolvek(u"/?x"), 1);  // help is recognised as the whole argument only
}

TEST_F(TolvekCommandTest, ListPrintsEveryHotkeyAndNothingElse) {
    EXPECT_EQ(tolvek::tolvek(u"/l"), 0);
    const std::u16string output = fake_host::StandardOutput();
    EXPECT_EQ(output.rfind(u"F1 \u00B7 Shift-F1 \u00B7 Ctrl-F1 \u00B7 Alt-F1", 0), 0u);
    EXPECT_EQ(output.find(u"hotkeys"), std::u16string::npos);
    // One line per key of the older generation's table, each with its end.
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = output.find(u"\r\n", at)) != std::u16string::npos; at += 2) ++lines;
    EXPECT_EQ(lines, 74u);
    EXPECT_EQ(output.substr(output.size() - 2), u"\r\n");
}

TEST_F(TolvekCommandTest, ExtendedKeysAreShownWithTheirNames) {
    ExtendedKeyMode = true;
    EXPECT_EQ(tolvek::tolvek(u"/MR:Ctrl-Alt-Shift-Right"), 0);
    EXPECT_EQ(HotkeySlots[MoveRight], 0x70074);
    EXPECT_NE(fake_host::StandardOutput().find(u"Move arg right  :  Ctrl-Alt-Shift-Right\r\n"), std::u16string::npos);
    EXPECT_NE(fake_host::StandardOutput().find(u"Delete arg right:  Ctrl-R or Ctrl-Backspace\r\n"),
              std::u16string::npos);
}

TEST_F(TolvekCommandTest, BrokenArgumentListChangesNothing) {
    // The option is stored whole, then the store overflows on what follows.
    const std::u16string text = u"/ML:ALT-L " + std::u16string(8190, u'x');
    EXPECT_EQ(tolvek::tolvek(text.c_str()), 1);
    EXPECT_EQ(fake_host::StandardError(), PREFIX + u"Buffer overflow: b = 8191, MAX_ARG_LEN = 8192 \r\n");
    EXPECT_EQ(fake_host::StandardOutput(), u"");
    EXPECT_EQ(CurrentSlots(), DEFAULTS);
}

constexpr char16_t STORE_PATH[] = u"Software\\DARevavev\\Tolvek";

KeyCode Stored(const char16_t* name) {
    const fake_os::StoredValue value = fake_os::Value(os::RegistryRoot::CurrentUser, STORE_PATH, name);
    EXPECT_TRUE(value.exists) << host_side::Narrow(name);
    EXPECT_EQ(value.type, fake_os::REG_DWORD_TYPE);
    KeyCode code = 0;
    for (int i = 3; i >= 0; --i) code = static_cast<KeyCode>((static_cast<std::uint32_t>(code) << 8) | value.data[i]);
    return code;
}

TEST_F(TolvekCommandTest, SaveWritesTheSlotsAfterTheHotkeyOptions) {
    EXPECT_EQ(tolvek::tolvek(u"/ML:Alt-L /S"), 0);
    EXPECT_EQ(Stored(u"MoveLeft"), KEY_ALT_L);
    EXPECT_EQ(Stored(u"MoveLeft2"), NO);
    EXPECT_EQ(Stored(u"DeleteRight2"), KEY_CTRL_BKSP);
    EXPECT_EQ(fake_host::StandardOutput().rfind(CHANGED, 0), 0u);

    ResetPlugin();
    EXPECT_EQ(tolvek::tolvek(u"\"/S\""), 0);  // quoted, and without a hotkey option
    EXPECT_EQ(Stored(u"MoveLeft"), KEY_CTRL_LEFT);
    EXPECT_EQ(fake_host::StandardOutput(), CURRENT + DEFAULT_LINES);
}

TEST_F(TolvekCommandTest, RestoreReplacesTheSlotsWithTheStoredOnes) {
    // A key that holds only some values: the others are switched off.
    constexpr KeyCode UNKNOWN = 0x1FFFF;
    const auto store = [](const char16_t* name, KeyCode code) {
        fake_os::SetNumber(os::RegistryRoot::CurrentUser, STORE_PATH, name, static_cast<std::uint32_t>(code));
    };
    store(u"MoveLeft", KEY_ALT_M);
    store(u"MoveRight", UNKNOWN);
    store(u"DeleteLeft2", KEY_ALT_L);
    EXPECT_EQ(tolvek::tolvek(u"/r"), 0);
    EXPECT_EQ(CurrentSlots(), (Slots{KEY_ALT_M, UNKNOWN, NO, NO, NO, NO, KEY_ALT_L, NO}));
    EXPECT_EQ(fake_host::StandardOutput(), CURRENT +
                                               u"Move arg left   :  Alt-M\r\nMove arg right  :  (unknown)\r\n"
                                               u"Delete arg left :  NONE or Alt-L\r\nDelete arg right:  NONE\r\n");
}

TEST_F(TolvekCommandTest, StoreFailuresEndWithTwoAndShowNothing) {
    EXPECT_EQ(tolvek::tolvek(u"/R"), 2);
    EXPECT_EQ(fake_host::StandardError(), PREFIX + u"Error reading from registry\r\n");
    EXPECT_EQ(fake_host::StandardOutput(), u"");
    EXPECT_EQ(CurrentSlots(), DEFAULTS);

    ResetPlugin();
    fake_os::FailKeyOpens(os::RegistryRoot::CurrentUser);
    EXPECT_EQ(tolvek::tolvek(u"/S"), 2);
    EXPECT_EQ(fake_host::StandardError(), PREFIX + u"Error opening registry key\r\n");
    EXPECT_EQ(fake_host::StandardOutput(), u"");

    ResetPlugin();
    fake_os::FailWritesOf(u"DeleteLeft");
    EXPECT_EQ(tolvek::tolvek(u"/DL:Alt-L /S"), 2);
    EXPECT_EQ(fake_host::StandardError(), PREFIX + u"Error writing to registry\r\n");
    EXPECT_EQ(HotkeySlots[DeleteLeft], KEY_ALT_L);  // the change stays in memory
}

}  // namespace
