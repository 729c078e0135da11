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
    const std::u16string versionLine = u"\r\n\t\t\t\tTolvek  0.92.0.7 (x64)\r\n";
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

// The saved hotkeys are in a key that outlives the registry session: the
// registry refuses a lasting subkey under a volatile key, which the next
// logon would find gone.
TEST_F(DllCommandTest, SavedHotkeysAreInALastingKey) {
    EXPECT_EQ(tolvek(u"/S"), 0);
    HKEY probe = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\DARevavev\\Tolvek\\Lasting", 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &probe, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(probe);
}

TEST_F(DllCommandTest, ListsTheSetOfTheHostsGeneration) {
    EXPECT_EQ(tolvek(u"/L"), 0);
    EXPECT_NE(Output().find(u"Ctrl-Shift-Num/\r\n"), std::u16string::npos);
    StartHost(u"24");
    EXPECT_EQ(tolvek(u"/L"), 0);
    EXPECT_NE(Output().find(u"Shift-Backspace \u00B7 Ctrl-Backspace"), std::u16string::npos);
    EXPECT_EQ(Output().find(u"Num/"), std::u16string::npos);
}

// Values of /ML in each host generation: the "Move arg left" line they
// give, or the error after the prefix.
TEST_F(DllCommandTest, HotkeyValuesInBothGenerations) {
    struct Row {
        std::u16string value;
        std::u16string legacy;
        std::u16string extended;
    };
    const std::u16string bad = u"Bad hotkey \"";
    const Row rows[] = {
        // Two keys: after the key "-" or a key name ending in "-", "," and ";" separate.
        {u"Alt--,Ctrl-K", u"Alt-- or Ctrl-K", u"Alt-Minus or Ctrl-K"},
        {u"alt--;alt-j", u"Alt-- or Alt-J", u"Alt-Minus or Alt-J"},
        {u"Ctrl-Num-,Alt-L", u"Ctrl-Num- or Alt-L", bad + u"CTRL-NUM-\"\r\n"},
        {u"Alt-,,Alt-L", u"Alt-, or Alt-L", u"Alt-, or Alt-L"},
        {u"Ctrl-;;Alt-L", u"Invalid hotkey \"CTRL-;\"\r\n", u"Ctrl-; or Alt-L"},
        {u"Alt-,", u"Alt-,", u"Alt-,"},
        // Every cell of the legacy "Num-" row, by its listed name.
        {u"Num-", u"Key not allowed \"NUM-\"\r\n", bad + u"NUM-\"\r\n"},
        {u"Shift-Num-", u"Key not allowed \"SHIFT-NUM-\"\r\n", bad + u"SHIFT-NUM-\"\r\n"},
        {u"Ctrl-Num-", u"Ctrl-Num-", bad + u"CTRL-NUM-\"\r\n"},
        {u"Alt-Num-", u"Key not allowed \"ALT-NUM-\"\r\n", bad + u"ALT-NUM-\"\r\n"},
        {u"Ctrl-Shift-Num-", u"Ctrl-Shift-Num-", bad + u"CTRL-SHIFT-NUM-\"\r\n"},
        {u"Ctrl-Alt-Num-", u"Ctrl-Alt-Num-", bad + u"CTRL-ALT-NUM-\"\r\n"},
        {u"Ctrl-Alt-Shift-Num-", bad + u"CTRL-ALT-SHIFT-NUM-\"\r\n", bad + u"CTRL-ALT-SHIFT-NUM-\"\r\n"},
    };
    for (const Row& row : rows) {
        for (const char16_t* version : {u"23", u"24"}) {
            SCOPED_TRACE(host_side::Narrow(row.value) + " in host " + host_side::Narrow(version));
            StartHost(version);
            const std::u16string& expected = version[1] == u'3' ? row.legacy : row.extended;
            const bool refused = expected.find(u"\r\n") != std::u16string::npos;
            EXPECT_EQ(tolvek((u"/ML:" + row.value).c_str()), refused ? 1 : 0);
            if (refused) {
                EXPECT_EQ(host_side::Narrow(Error()), host_side::Narrow(u"Tolvek plugin: " + expected));
            } else {
                EXPECT_NE(Output().find(u"Move arg left   :  " + expected + u"\r\n"), std::u16string::npos)
                    << host_side::Narrow(Output());
            }
        }
    }
}

// A key whose code is the one a switched-off slot holds is not the plug-in's.
TEST_F(DllCommandTest, SwitchedOffSlotsMatchNoKey) {
    for (const char16_t* options : {u"", u"/ML:NONE /MR:NONE /DL:NONE /DR:NONE"}) {
        SCOPED_TRACE(host_side::Narrow(options));
        EXPECT_EQ(tolvek(options), 0);
        char16_t line[] = u"dir /s /b x";
        KeystrokeRecord record{};
        record.keyCode = NO_HOTKEY;
        record.lineStart = line;
        record.cursorPos = line + 6;
        key(&record);
        EXPECT_EQ(record.keyCode, NO_HOTKEY);
        EXPECT_EQ(record.cursorPos - line, 6);
        EXPECT_EQ(record.redraw, 0);
        EXPECT_EQ(std::u16string(line), u"dir /s /b x");
    }
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
