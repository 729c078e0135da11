// The keystroke handler through the real DLL: records laid out as the host
// lays them out, lines in the host's buffer, modifier keys really held.
#include <gtest/gtest.h>

#include <cstring>

#include "host_call.h"
#include "host_text.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_codes.h"
#include "modifier_keys.h"
#include "takecmd_recorder.h"
#include "wine_support.h"

using namespace tolvek;

namespace {

using KeyFunction = int(KeystrokeRecord*);

class DllKeystrokeTest : public ::testing::Test {
protected:
    void SetUp() override {
        StandInReset();
        EXPECT_TRUE(host_side::HoldModifierKeys(false, false, false));
    }
    void TearDown() override { EXPECT_TRUE(host_side::HoldModifierKeys(false, false, false)); }

    KeyFunction* key = wine::Export<KeyFunction>("key");
};

struct Row {
    std::u16string line;
    int cursor;
    KeyCode code;
    std::u16string lineAfter;
    int cursorAfter;
    bool redrawn;
};

TEST_F(DllKeystrokeTest, DefaultHotkeysEditByArguments) {
    const Row rows[] = {
        {u"dir /s /b x", 6, KEY_CTRL_LEFT, u"dir /s /b x", 4, true},
        {u"dir /s /b x", 6, KEY_CTRL_RIGHT, u"dir /s /b x", 7, true},
        {u"dir /s /b x", 6, KEY_CTRL_L, u"dir  /b x", 4, true},
        {u"dir /s /b x", 6, KEY_CTRL_R, u"dir /s/b x", 6, true},
        {u"dir /s /b x", 4, KEY_CTRL_BKSP, u"dir /b x", 4, true},
        {u"dir /s /b x", 0, KEY_CTRL_LEFT, u"dir /s /b x", 0, false},
        {u"  abc", 2, KEY_CTRL_RIGHT, u"  abc", 5, true},
        {u"echo %@upper[abc def] x", 17, KEY_CTRL_R, u"echo %@upper[abc ] x", 17, true},
        {u"echo %@upper[abc def] x", 22, KEY_CTRL_L, u"echo %@upper[abc x", 17, true},
        {u"echo \"a b\" c", 12, KEY_CTRL_LEFT, u"echo \"a b\" c", 11, true},
        {u"echo \"a b\" c", 11, KEY_CTRL_LEFT, u"echo \"a b\" c", 5, true},
        // A reference's name ends at the first unit that cannot be part of it.
        {u"echo %1 %2", 5, KEY_CTRL_RIGHT, u"echo %1 %2", 8, true},
        {u"if \"%1\" == \"\" goto end", 0, KEY_CTRL_RIGHT, u"if \"%1\" == \"\" goto end", 3, true},
        {u"if \"%1\" == \"\" goto end", 3, KEY_CTRL_RIGHT, u"if \"%1\" == \"\" goto end", 8, true},
        {u"echo %@upper[%1] /s x", 13, KEY_CTRL_R, u"echo %@upper[] /s x", 13, true},
        {u"echo %@upper[%1] /s x", 20, KEY_CTRL_LEFT, u"echo %@upper[%1] /s x", 17, true},
        {u"copy %1/s x", 10, KEY_CTRL_LEFT, u"copy %1/s x", 7, true},
        {u"echo %a%b c", 10, KEY_CTRL_L, u"echo c", 5, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(host_side::Narrow(row.line) + " cursor " + std::to_string(row.cursor));
        const int clearsBefore = StandInClearEditLineCalls();
        HostCall call(row.line, row.cursor, row.code);
        EXPECT_EQ(key(&call.record), 0);
        EXPECT_EQ(call.Line(), row.lineAfter);
        EXPECT_EQ(call.Cursor(), row.cursorAfter);
        EXPECT_EQ(call.record.redraw, row.redrawn ? 1 : HostCall::UNTOUCHED_REDRAW);
        EXPECT_EQ(call.record.keyCode, 0);
        EXPECT_EQ(StandInClearEditLineCalls() - clearsBefore, row.lineAfter != row.line ? 1 : 0);
    }
}

TEST_F(DllKeystrokeTest, ModifierKeysHeldOnTheKeyboardChangeTheCode) {
    struct ModifierRow {
        bool shift, ctrl, alt;
        bool deletes;
    };
    const ModifierRow rows[] = {
        {false, false, false, true}, {false, true, false, true}, {true, true, false, false},
        {false, true, true, false},  {true, false, true, true},  {true, true, true, true},
    };
    for (const ModifierRow& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.shift << row.ctrl << row.alt);
        EXPECT_TRUE(host_side::HoldModifierKeys(row.shift, row.ctrl, row.alt));
        HostCall call(u"abc", 3, KEY_CTRL_L);
        key(&call.record);
        EXPECT_EQ(call.Line(), row.deletes ? u"" : u"abc");
        EXPECT_EQ(call.record.keyCode, row.deletes ? 0 : KEY_CTRL_L);
    }
}

TEST_F(DllKeystrokeTest, KeyMatchingNoSlotComesBackByteForByte) {
    HostCall call(u"dir /s /b x", 6, 0x10048);
    HostCall before = call;
    key(&call.record);
    EXPECT_TRUE(call.Unchanged(before));
    EXPECT_EQ(StandInExpandCalls(), 0);
}

TEST_F(DllKeystrokeTest, TheHostsEscapeCharacterIsAskedEveryTime) {
    StandInSetExpansion(u"%@option[escapechar]", u"~");
    HostCall tilde(u"copy a~ b c", 11, KEY_CTRL_LEFT);
    key(&tilde.record);
    EXPECT_EQ(tilde.Cursor(), 10);
    key(&(tilde.record.keyCode = KEY_CTRL_LEFT, tilde.record));
    EXPECT_EQ(tilde.Cursor(), 5);

    HostCall caret(u"copy a^ b c", 10, KEY_CTRL_LEFT);
    key(&caret.record);
    EXPECT_EQ(caret.Cursor(), 8);
}

TEST_F(DllKeystrokeTest, UntrustworthyRecordsArePassedOn) {
    EXPECT_EQ(key(nullptr), 0);
    HostCall call(u"abc", 0, KEY_CTRL_LEFT);
    call.record.lineStart = nullptr;
    HostCall before = call;
    key(&call.record);
    EXPECT_TRUE(call.Unchanged(before));
}

}  // namespace
