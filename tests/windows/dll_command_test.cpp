// The tolvek command through the real DLL: its output on the host's
// streams, the save into the real registry of the private Wine prefix and
// the restore at the next start-up, and keys given by name.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host_text.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_codes.h"
#include "modifier_keys.h"
#include "takecmd_recorder.h"
#include "wine_support.h"

using namespace tolvek;

namespace {

using CommandFunction = int(const char16_t*);
using KeyFunction = int(KeystrokeRecord*);
using InitializeFunction = int();

const std::u16string DEFAULT_LINES =
    u"Move arg left   :  Ctrl-Left\r\n"
    u"Move arg right  :  Ctrl-Right\r\n"
    u"Delete arg left :  Ctrl-L\r\n"
    u"Delete arg right:  Ctrl-R or Ctrl-BkSp\r\n";

// A value of the plug-in's user key: its type, size and content.
struct RegistryValue {
    DWORD type = 0;
    DWORD size = 0;
    DWORD data = 0;
};

RegistryValue UserValue(const wchar_t* name) {
    RegistryValue value;
    value.size = sizeof value.data;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\DARevavev\\Tolvek", name, RRF_RT_ANY, &value.type, &value.data,
                 &value.size);
    return value;
}

class DllCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        wine::DeleteTolvekKeys();
        StartHost(u"8");
    }
    void TearDown() override {
        EXPECT_TRUE(host_side::HoldModifierKeys(false, false, false));
        wine::DeleteTolvekKeys();
        StartHost(u"8");
    }

    // A fresh start-up of the plug-in in a host of the given version.
    void StartHost(const char16_t* version) {
        StandInReset();
        StandInSetExpansion(u"%_4ver", version);
        StandInSetExpansion(u"%_batch", u"0");
        initialize();
        StandInReset();
        StandInSetExpansion(u"%_batch", u"0");
    }

    std::u16string Output() const { return StandInStandardOutput(); }
    std::u16string Error() const { return StandInStandardError(); }

    CommandFunction* tolvek = wine::Export<CommandFunction>("tolvek");
    KeyFunction* key = wine::Export<KeyFunction>("key");
    InitializeFunction* initialize = wine::Export<InitializeFunction>("InitializePlugin");
};

TEST_F(DllCommandTest, ShowsTheHotkeysOnStandardOutput) {
    EXPECT_EQ(tolvek(u""), 0);
    EXPECT_EQ(Output(), u"\r\nCurrent Tolvek hotkeys are:\r\n\r\n" + DEFAULT_LINES);
    EXPECT_EQ(Error(), u"");
    EXPECT_EQ(tolvek(nullptr), -1);

    StandInReset();
    EXPECT_EQ(tolvek(u"/MR:NONE"), 0);
    EXPECT_NE(Output().find(u"Move arg right  :  NONE\r\n"), std::u16string::npos);
}

TEST_F(DllCommandTest, ErrorsGoToStandardErrorAfterThePrefix) {
    EXPECT_EQ(tolvek(u"/bogus"), 1);
    EXPECT_EQ(Error(), u"Tolvek plugin: Unknown option \"/BOGUS\"\r\n");  // no "[wrong handle]"
    StandInReset();
    StandInSetExpansion(u"%_batch", u"1");
    StandInSetExpansion(u"%_batchname [%_batchline]  ", u"C:\\100%.btm [7]  ");
    EXPECT_EQ(tolvek(u"/R /S"), 1);
    EXPECT_EQ(Error(), u"Tolvek plugin: C:\\100%.btm [7]  Can\u2019t combine /R and /S.\r\n");
    EXPECT_EQ(Output(), u"");
}

TEST_F(DllCommandTest, HelpAndVersion) {
    EXPECT_EQ(tolvek(u"/??"), 0);
    const std::u16string output = Output();
    EXPECT_EQ(output.rfind(u"Display or change settings for the Tolvek plugin.\n", 0), 0u);
    const std::u16string versionLine = u"\r\n\t\t\t\tTolvek  0.92.0.5 (x64)\r\n";
    EXPECT_EQ(output.substr(output.size() - versionLine.size()), versionLine);
}

TEST_F(DllCommandTest, SavedHotkeysComeBackAtTheNextStartUp) {
    EXPECT_EQ(tolvek(u"/ML:Alt-L /S"), 0);
    const RegistryValue moveLeft = UserValue(L"MoveLeft");
    EXPECT_EQ(moveLeft.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(moveLeft.size, 4u);
    EXPECT_EQ(moveLeft.data, static_cast<DWORD>(KEY_ALT_L));
    EXPECT_EQ(UserValue(L"MoveLeft2").data, static_cast<DWORD>(NO_HOTKEY));
    EXPECT_EQ(UserValue(L"DeleteRight2").data, 127u);

    EXPECT_EQ(tolvek(u"/ML:Ctrl-Left"), 0);  // changed in memory only
    StartHost(u"8");
    EXPECT_EQ(tolvek(u""), 0);
    EXPECT_NE(Output().find(u"Move arg left   :  Alt-L\r\n"), std::u16string::npos);

    EXPECT_EQ(tolvek(u"/ML:Ctrl-Left"), 0);
    EXPECT_EQ(tolvek(u"/R"), 0);
    EXPECT_NE(Output().find(u"Move arg left   :  Alt-L\r\n"), std::u16string::npos);
}

TEST_F(DllCommandTest, ListsTheSetOfTheHostsGeneration) {
    EXPECT_EQ(tolvek(u"/L"), 0);
    EXPECT_NE(Output().find(u"Ctrl-Shift-Num/\r\n"), std::u16string::npos);
    StartHost(u"24");
    EXPECT_EQ(tolvek(u"/L"), 0);
    EXPECT_NE(Output().find(u"Shift-Backspace \u00B7 Ctrl-Backspace"), std::u16string::npos);
    EXPECT_EQ(Output().find(u"Num/"), std::u16string::npos);
}

TEST_F(DllCommandTest, KeysGivenByNameInExtendedMode) {
    StartHost(u"24");
    EXPECT_EQ(tolvek(u"/ML:Ctrl-Alt-Shift-Left"), 0);
    EXPECT_TRUE(host_side::HoldModifierKeys(true, true, true));

    char16_t line[] = u"dir /s /b x";
    char16_t name[] = u"Ctrl-Alt-Shift-Left";
    KeystrokeRecord record{};
    record.lineStart = line;
    record.cursorPos = line + 11;
    record.keyName = name;
    key(&record);
    EXPECT_EQ(record.cursorPos - line, 10);
    EXPECT_EQ(record.redraw, 1);
    EXPECT_EQ(name[0], u'\0');

    // A legacy host gives no names: a code of 0 passes untouched.
    StartHost(u"23");
    char16_t legacyName[] = u"Ctrl-Left";
    record = KeystrokeRecord{};
    record.lineStart = line;
    record.cursorPos = line + 11;
    record.keyName = legacyName;
    key(&record);
    EXPECT_EQ(record.cursorPos - line, 11);
    EXPECT_EQ(legacyName[0], u'C');
}

}  // namespace
