// Start-up's hotkey load through the real DLL and the real registry of the
// private Wine prefix: values are prepared with the registry API, then
// InitializePlugin runs and the `key` export shows which codes now act.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

using KeyFunction = int(KeystrokeRecord*);
using InitializeFunction = int();
using CommandFunction = int(const char16_t*);

constexpr wchar_t TOLVEK_KEY[] = L"Software\\DARevavev\\Tolvek";
const HKEY USER = HKEY_CURRENT_USER;
const HKEY MACHINE = HKEY_LOCAL_MACHINE;

// Extended codes that no default uses.
constexpr KeyCode CODE_A = 0x10023;
constexpr KeyCode CODE_B = 0x10024;
constexpr KeyCode CODE_C = 0x10025;
constexpr KeyCode CODE_D = 0x10026;
constexpr KeyCode CODE_E = 0x10086;

void Check(LSTATUS status, const char* what) {
    if (status != ERROR_SUCCESS) {
        std::fprintf(stderr, "%s failed: %ld\n", what, static_cast<long>(status));
        std::abort();
    }
}

HKEY CreateTolvekKey(HKEY root) {
    HKEY key = nullptr;
    Check(RegCreateKeyExW(root, TOLVEK_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), "RegCreateKeyExW");
    return key;
}

void SetValue(HKEY root, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = CreateTolvekKey(root);
    Check(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), "RegSetValueExW");
    RegCloseKey(key);
}

// A value as the plug-in writes it: REG_DWORD, 4 bytes, little-endian.
void SetNumber(HKEY root, const wchar_t* name, KeyCode code) {
    const DWORD data = static_cast<DWORD>(code);
    SetValue(root, name, REG_DWORD, &data, sizeof data);
}

void SetAll(HKEY root, const KeyCode (&codes)[8]) {
    const wchar_t* const names[8] = {L"MoveLeft",  L"MoveRight",  L"DeleteLeft",  L"DeleteRight",
                                     L"MoveLeft2", L"MoveRight2", L"DeleteLeft2", L"DeleteRight2"};
    for (int i = 0; i < 8; ++i) SetNumber(root, names[i], codes[i]);
}

// What a key code does to "dir /s /b x" with the cursor at 6: each action
// leaves its own trace.
enum class Effect { None, MoveLeft, MoveRight, DeleteLeft, DeleteRight, Other };

const char* Name(Effect effect) {
    const char* const names[] = {"none", "MoveLeft", "MoveRight", "DeleteLeft", "DeleteRight", "other"};
    return names[static_cast<int>(effect)];
}

class DllRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        StandInReset();
        EXPECT_TRUE(host_side::HoldModifierKeys(false, false, false));
        wine::DeleteTolvekKeys();
    }
    // Leaves the plug-in as the other tests expect it: defaults, legacy mode.
    void TearDown() override {
        wine::DeleteTolvekKeys();
        StandInReset();
        initialize();
    }

    // The key given by its code, or with code 0 by its name.
    Effect EffectOf(KeyCode code, const std::u16string& keyName = u"") {
        char16_t line[32] = u"dir /s /b x";
        char16_t name[32] = {};
        keyName.copy(name, 31);
        KeystrokeRecord record{};
        record.keyCode = code;
        record.lineStart = line;
        record.cursorPos = line + 6;
        record.keyName = name;
        key(&record);
        const std::u16string after(line);
        const long cursor = record.cursorPos - line;
        if (record.keyCode == code && name == keyName && after == u"dir /s /b x" && cursor == 6) return Effect::None;
        if (after == u"dir /s /b x" && cursor == 4) return Effect::MoveLeft;
        if (after == u"dir /s /b x" && cursor == 7) return Effect::MoveRight;
        if (after == u"dir  /b x" && cursor == 4) return Effect::DeleteLeft;
        if (after == u"dir /s/b x" && cursor == 6) return Effect::DeleteRight;
        return Effect::Other;
    }

    struct Expected {
        KeyCode code;
        Effect effect;
    };

    void ExpectEffects(std::initializer_list<Expected> rows) {
        for (const Expected& row : rows) {
            EXPECT_EQ(Name(EffectOf(row.code)), std::string(Name(row.effect)))
                << "key code 0x" << std::hex << static_cast<std::uint32_t>(row.code);
        }
    }

    void ExpectDefaults() {
        ExpectEffects({{KEY_CTRL_LEFT, Effect::MoveLeft},
                       {KEY_CTRL_RIGHT, Effect::MoveRight},
                       {KEY_CTRL_L, Effect::DeleteLeft},
                       {KEY_CTRL_R, Effect::DeleteRight},
                       {KEY_CTRL_BKSP, Effect::DeleteRight},
                       {CODE_A, Effect::None}});
    }

    void Start() {
        EXPECT_EQ(initialize(), 0);
        EXPECT_EQ(std::u16string(StandInStandardError()), u"");  // start-up never reports
    }

    KeyFunction* key = wine::Export<KeyFunction>("key");
    InitializeFunction* initialize = wine::Export<InitializeFunction>("InitializePlugin");
    CommandFunction* tolvek = wine::Export<CommandFunction>("tolvek");
};

TEST_F(DllRegistryTest, EmptyRegistryLeavesTheDefaults) {
    SetNumber(USER, L"MoveLeft", CODE_A);  // a first start-up that changes the slots
    Start();
    ExpectEffects({{CODE_A, Effect::MoveLeft}, {KEY_CTRL_LEFT, Effect::None}});

    wine::DeleteTolvekKeys();
    Start();
    ExpectDefaults();
}

TEST_F(DllRegistryTest, UserKeyWithOnlyMoveLeftSwitchesTheOtherHotkeysOff) {
    SetNumber(USER, L"MoveLeft", 0x10048);
    Start();
    ExpectEffects({{0x10048, Effect::MoveLeft},
                   {KEY_CTRL_LEFT, Effect::None},
                   {KEY_CTRL_RIGHT, Effect::None},
                   {KEY_CTRL_L, Effect::None},
                   {KEY_CTRL_R, Effect::None},
                   {KEY_CTRL_BKSP, Effect::None}});
}

TEST_F(DllRegistryTest, MachineKeyServesWhenTheUserKeyIsMissingOrEmpty) {
    SetAll(MACHINE, {CODE_A, CODE_B, CODE_C, CODE_D, NO_HOTKEY, NO_HOTKEY, CODE_E, NO_HOTKEY});
    for (const bool emptyUserKey : {false, true}) {
        SCOPED_TRACE(emptyUserKey ? "empty user key" : "no user key");
        if (emptyUserKey) RegCloseKey(CreateTolvekKey(USER));
        Start();
        ExpectEffects({{CODE_A, Effect::MoveLeft},
                       {CODE_B, Effect::MoveRight},
                       {CODE_C, Effect::DeleteLeft},
                       {CODE_D, Effect::DeleteRight},
                       {CODE_E, Effect::DeleteLeft},
                       {KEY_CTRL_LEFT, Effect::None},
                       {KEY_CTRL_BKSP, Effect::None}});
    }
}

TEST_F(DllRegistryTest, SecondHotkeysOfTheUserKeySurviveTheMachineKey) {
    SetNumber(USER, L"MoveLeft2", CODE_A);
    SetNumber(USER, L"DeleteRight2", CODE_B);
    SetNumber(MACHINE, L"MoveLeft", CODE_C);
    SetNumber(MACHINE, L"DeleteRight2", CODE_D);
    Start();
    ExpectEffects({{CODE_C, Effect::MoveLeft},
                   {CODE_A, Effect::MoveLeft},
                   {CODE_D, Effect::DeleteRight},
                   {CODE_B, Effect::None},
                   {KEY_CTRL_LEFT, Effect::None}});
}

TEST_F(DllRegistryTest, ShortBinaryAndStringValuesLoadByTheirBytes) {
    const unsigned char twoBytes[] = {0x48, 0x00};
    SetValue(USER, L"MoveLeft", REG_BINARY, twoBytes, sizeof twoBytes);
    const wchar_t oneCharacter[] = L"H";
    SetValue(USER, L"DeleteLeft", REG_SZ, oneCharacter, sizeof oneCharacter);
    Start();
    ExpectEffects({{static_cast<KeyCode>(0xFFFF0048), Effect::MoveLeft},
                   {0x48, Effect::DeleteLeft},
                   {KEY_CTRL_LEFT, Effect::None},
                   {KEY_CTRL_L, Effect::None}});
}

TEST_F(DllRegistryTest, OverLongValueKeepsTheHoldingValue) {
    // Alone under the user's key an eight-byte value gives no setting, so
    // the machine-wide key is read; there an eight-byte second hotkey does
    // not overwrite the one read from the user's key. (Wine's registry
    // leaves the buffer of a failed query alone; the native stand-in, which
    // scribbles over it as Windows may, checks that the plug-in does not
    // depend on that.)
    const unsigned char eightBytes[] = {0x26, 0x00, 0x01, 0x00, 0x99, 0x99, 0x99, 0x99};
    SetValue(USER, L"MoveRight", REG_BINARY, eightBytes, sizeof eightBytes);
    SetNumber(USER, L"MoveLeft2", CODE_A);
    SetNumber(MACHINE, L"MoveLeft", CODE_C);
    SetValue(MACHINE, L"MoveLeft2", REG_BINARY, eightBytes, sizeof eightBytes);
    Start();
    ExpectEffects({{CODE_C, Effect::MoveLeft},
                   {CODE_A, Effect::MoveLeft},
                   {CODE_D, Effect::None},  // the first four bytes of the long value
                   {KEY_CTRL_RIGHT, Effect::None}});
}

// Values that are no key code, as an administrator may write them (-1 taken
// for "no key"): the listing shows "(unknown)" for them in both host
// generations, and a key whose code is a table marker, given by code or by
// name, is passed on even with the marker in a slot.
TEST_F(DllRegistryTest, ValuesThatAreNoKeyCodeShowAsUnknownAndMatchNoKey) {
    struct Row {
        KeyCode values[8];
        std::u16string extended;
        std::u16string legacy;
    };
    const Row rows[] = {
        {{-1, -2, 0, 0x7001E, NO_HOTKEY, 0, NO_HOTKEY, 0x10026},
         u"Move arg left   :  (unknown)\r\nMove arg right  :  (unknown) or (unknown)\r\n"
         u"Delete arg left :  (unknown)\r\nDelete arg right:  Ctrl-Alt-Shift-A or Alt-L\r\n",
         u"Move arg left   :  (unknown)\r\nMove arg right  :  (unknown) or (unknown)\r\n"
         u"Delete arg left :  (unknown)\r\nDelete arg right:  (unknown) or Alt-L\r\n"},
        {{0x10073, 0x10074, 12, 18, -2, NO_HOTKEY, -1, 127},
         u"Move arg left   :  Ctrl-Left or (unknown)\r\nMove arg right  :  Ctrl-Right\r\n"
         u"Delete arg left :  Ctrl-L or (unknown)\r\nDelete arg right:  Ctrl-R or Ctrl-Backspace\r\n",
         u"Move arg left   :  Ctrl-Left or (unknown)\r\nMove arg right  :  Ctrl-Right\r\n"
         u"Delete arg left :  Ctrl-L or (unknown)\r\nDelete arg right:  Ctrl-R or Ctrl-BkSp\r\n"},
    };
    for (const Row& row : rows) {
        for (const char16_t* version : {u"24", u"23"}) {
            SCOPED_TRACE(::testing::Message() << "row " << (&row - rows) << ", host " << host_side::Narrow(version));
            wine::DeleteTolvekKeys();
            SetAll(USER, row.values);
            StandInReset();
            StandInSetExpansion(u"%_4ver", version);
            Start();
            StandInReset();
            EXPECT_EQ(tolvek(u""), 0);
            const std::u16string& lines = version[1] == u'4' ? row.extended : row.legacy;
            EXPECT_EQ(host_side::Narrow(StandInStandardOutput()),
                      host_side::Narrow(u"\r\nCurrent Tolvek hotkeys are:\r\n\r\n" + lines));

            ExpectEffects({{KEY_UNUSABLE, Effect::None}, {KEY_NOT_ALLOWED, Effect::None}});
            // Names are read from host version 24 on: "Ctrl-C" parses to -1, "A" to -2.
            for (const char16_t* name : {u"Ctrl-C", u"Ctrl-Alt-Del", u"A", u"Shift-A"}) {
                EXPECT_EQ(Name(EffectOf(0, name)), std::string(Name(Effect::None))) << host_side::Narrow(name);
            }
        }
    }
}

}  // namespace
