// Start-up (host generation, hotkeys, banner), the identity record, and the
// help box and usage text, through the exported entry points.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <string>

#include "command/help_text.h"
#include "fake_host.h"
#include "fake_os.h"
#include "hotkeys/hotkey_slots.h"
#include "plugin/exports.h"
#include "plugin/plugin_state.h"
#include "plugin_test.h"

using namespace tolvek;

namespace {

using Slots = std::array<KeyCode, HOTKEY_SLOT_COUNT>;

constexpr char16_t PATH[] = u"Software\\DARevavev\\Tolvek";
constexpr char16_t QUIET_TEXT[] = u"%[_transient]%[_pipe]%[noloadmsg]";

Slots CurrentSlots() {
    Slots slots;
    for (int i = 0; i < HOTKEY_SLOT_COUNT; ++i) slots[i] = HotkeySlots[i];
    return slots;
}

Slots Defaults() {
    Slots slots;
    for (int i = 0; i < HOTKEY_SLOT_COUNT; ++i) slots[i] = DefaultHotkeys[i];
    return slots;
}

using LifecycleTest = PluginTest;

TEST_F(LifecycleTest, HostVersionProbe) {
    struct Row {
        const char16_t* expansion;
        int version;
        bool extended;
    };
    const Row rows[] = {
        {u"7", 0, false},
        {u"8", 8, false},
        {u"23", 23, false},
        {u"24", 24, true},
        {u"100", 100, true},
        {u"101", 0, false},
        {u"24.01", 24, true},
        {u"9x", 9, false},
        {u"", 0, false},
        {u"abc", 0, false},
        {u"+", 0, false},
        {u"4294967296", 0, false},  // 2^32: does not fit
        {u"4294967320", 0, false},  // 2^32 + 24: must not wrap round to 24
        {u"99999999999999999999999", 0, false},
        {u"   24", 24, true},
        {u"\t\r\n 30", 30, true},
        {u"\u3000 24", 24, true},  // white space beyond ASCII
        {u"+24", 24, true},
        {u"-24", 0, false},          // negated modulo 2^32: far above 100
        {u"-4294967272", 24, true},  // 2^32 - 24, negated: 24
        {u"- 24", 0, false},
        {u"0024", 24, true},
        {u"%_4ver", 0, false},  // a host that does not know the variable
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("\"" + host_side::Narrow(row.expansion) + "\"");
        fake_host::SetExpansion(u"%_4ver", row.expansion);
        HostVersion = 55;
        ExtendedKeyMode = !row.extended;
        EXPECT_EQ(InitializePlugin(), 0);
        EXPECT_EQ(HostVersion, row.version);
        EXPECT_EQ(ExtendedKeyMode, row.extended);
    }
}

TEST_F(LifecycleTest, BannerOnlyForExactlyDoubleZero) {
    struct Row {
        const char16_t* expansion;
        bool banner;
    };
    const Row rows[] = {
        {u"00", true},  {u"0", false}, {u"000", false}, {u"01", false},
        {u"10", false}, {u"", false},  {u"00 ", false}, {QUIET_TEXT, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("\"" + host_side::Narrow(row.expansion) + "\"");
        fake_host::Reset();
        fake_host::SetExpansion(QUIET_TEXT, row.expansion);
        EXPECT_EQ(InitializePlugin(), 0);
        EXPECT_EQ(fake_host::StandardOutput(), row.banner ? u"Tolvek v0.92.0 loaded.\r\n" : u"");
        EXPECT_EQ(fake_host::StandardError(), u"");
    }
}

// The host may fill the whole 1024-unit buffer and leave no terminator: a
// version of 1024 digits is read within the buffer (and is no version).
TEST_F(LifecycleTest, StartUpReadsExpansionsThatFillTheBufferWithinIt) {
    fake_host::SetBufferFill(u"%_4ver", u'2', 1024);
    fake_host::SetBufferFill(QUIET_TEXT, u'0', 1024);
    HostVersion = 55;
    EXPECT_EQ(InitializePlugin(), 0);
    EXPECT_EQ(HostVersion, 0);
    EXPECT_EQ(fake_host::StandardOutput(), u"");
}

TEST_F(LifecycleTest, StartUpWithoutRegistryKeysSetsTheDefaultsSilently) {
    for (int i = 0; i < HOTKEY_SLOT_COUNT; ++i) HotkeySlots[i] = 1000 + i;
    fake_host::SetExpansion(u"%_4ver", u"24");
    fake_host::SetExpansion(QUIET_TEXT, u"00");
    EXPECT_EQ(InitializePlugin(), 0);
    EXPECT_EQ(CurrentSlots(), Defaults());
    EXPECT_EQ(HostVersion, 24);
    EXPECT_TRUE(ExtendedKeyMode);
    EXPECT_EQ(fake_host::StandardError(), u"");
    EXPECT_EQ(fake_host::StandardOutput(), u"Tolvek v0.92.0 loaded.\r\n");
}

TEST_F(LifecycleTest, StartUpTakesTheStoredHotkeysAndRepeatsOnASecondCall) {
    fake_os::SetNumber(os::RegistryRoot::CurrentUser, PATH, u"MoveLeft", 0x10048);
    EXPECT_EQ(InitializePlugin(), 0);
    EXPECT_EQ(CurrentSlots(),
              (Slots{0x10048, NO_HOTKEY, NO_HOTKEY, NO_HOTKEY, NO_HOTKEY, NO_HOTKEY, NO_HOTKEY, NO_HOTKEY}));

    fake_os::Reset();  // the key is gone: the second start-up falls back
    fake_host::SetExpansion(u"%_4ver", u"8");
    EXPECT_EQ(InitializePlugin(), 0);
    EXPECT_EQ(CurrentSlots(), Defaults());
    EXPECT_EQ(HostVersion, 8);
    EXPECT_EQ(fake_host::StandardError(), u"");
    EXPECT_EQ(ShutdownPlugin(), 0);
    EXPECT_EQ(CurrentSlots(), Defaults());
    EXPECT_FALSE(fake_os::KeyExists(os::RegistryRoot::CurrentUser, PATH));  // nothing saved at exit
}

TEST_F(LifecycleTest, PluginInfoRecord) {
    PluginInfoRecord* record = GetPluginInfo();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(std::u16string(record->Name), u"Tolvek");
    EXPECT_EQ(std::u16string(record->Description), u"Move or delete by arguments");
    EXPECT_EQ(std::u16string(record->FunctionList), u"tolvek,*key");
    EXPECT_NE(std::u16string(record->Author), u"");
    EXPECT_NE(std::u16string(record->Email), u"");
    EXPECT_NE(std::u16string(record->WebPage), u"");
    EXPECT_EQ(record->MajorVersion, 0);
    EXPECT_EQ(record->MinorVersion, 92);
    EXPECT_EQ(record->Build, 0);

    // The fields are stored anew on every call; the reserved bytes are not
    // the plug-in's to touch.
    record->Name = nullptr;
    record->MinorVersion = 7;
    std::memset(record->reserved, 0xAB, sizeof record->reserved);
    EXPECT_EQ(GetPluginInfo(), record);
    EXPECT_EQ(std::u16string(record->Name), u"Tolvek");
    EXPECT_EQ(record->MinorVersion, 92);
    for (unsigned char byte : record->reserved) EXPECT_EQ(byte, 0xAB);
    std::memset(record->reserved, 0, sizeof record->reserved);
}

struct NameRow {
    const char16_t* name;
    int answer;
};

const NameRow NAME_ROWS[] = {
    {u"tolvek", 1}, {u"TOLVEK", 1}, {u"ToLvEk", 1}, {u"tolvek ", 0},     {u" tolvek", 0}, {u"tolvekx", 0},
    {u"tolve", 0},  {u"", 0},       {u"key", 0},    {u"tolv\u00C9k", 0}, {nullptr, 0},
};

TEST_F(LifecycleTest, HelpShowsTheBoxForTheCommandNameOnly) {
    void* const foreground = reinterpret_cast<void*>(0xF0F0);
    fake_os::SetForegroundWindow(foreground);
    for (const NameRow& row : NAME_ROWS) {
        SCOPED_TRACE(row.name != nullptr ? host_side::Narrow(row.name) : "null");
        const int before = fake_os::MessageBoxCount();
        EXPECT_EQ(Help(row.name), row.answer);
        EXPECT_EQ(fake_os::MessageBoxCount() - before, row.answer);
    }
    const fake_os::MessageBoxShown box = fake_os::LastMessageBox();
    EXPECT_EQ(box.owner, foreground);
    EXPECT_EQ(box.caption, u"Tolvek Plugin Help");
    EXPECT_EQ(box.text, CommandHelpText);
    EXPECT_EQ(fake_host::StandardOutput(), u"");
}

// Without a desktop no box can be shown: the help goes to standard output
// as "tolvek /?" prints it, and Help still answers 1.
TEST_F(LifecycleTest, HelpWithoutADesktopPrintsTheHelpText) {
    fake_os::RemoveDesktop();
    EXPECT_EQ(Help(u"Tolvek"), 1);
    EXPECT_EQ(fake_os::MessageBoxCount(), 0);
    EXPECT_EQ(fake_host::StandardOutput(), CommandHelpText);
    EXPECT_EQ(fake_host::StandardError(), u"");
}

TEST_F(LifecycleTest, UsageFillsTheBufferForTheCommandNameOnly) {
    for (const NameRow& row : NAME_ROWS) {
        SCOPED_TRACE(row.name != nullptr ? host_side::Narrow(row.name) : "null");
        char16_t buffer[1024];
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        EXPECT_EQ(Usage(row.name, buffer), row.answer);
        if (row.answer == 0) {
            EXPECT_EQ(std::u16string(buffer, 1024), std::u16string(1024, u'#'));
        }
        EXPECT_EQ(Usage(row.name, nullptr), 0);
    }
}

TEST_F(LifecycleTest, UsageTextRunsFromTheSyntaxLineToTheEnd) {
    char16_t buffer[1024];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    ASSERT_EQ(Usage(u"Tolvek", buffer), 1);
    const std::u16string usage(buffer);
    EXPECT_EQ(usage.size(), 734u);
    EXPECT_EQ(usage.rfind(u"TOLVEK /ML:key /MR:key /DL:key /DR:key /L /R /S\r\n\n\t/ML:", 0), 0u);
    const std::u16string lastLine = u"\nIf no hotkeys are specified, the current settings will be shown.\n";
    EXPECT_EQ(usage.substr(usage.size() - lastLine.size()), lastLine);
    EXPECT_EQ(std::u16string(CommandHelpText).substr(785 - 734), usage);
    EXPECT_EQ(buffer[735], u'#');  // nothing written past the terminator
}

TEST_F(LifecycleTest, HelpTextKeepsItsOwnLineEnds) {
    const std::u16string help(CommandHelpText);
    EXPECT_EQ(help.size(), 785u);
    EXPECT_EQ(help.find(u"\r\n"), help.find(u"TOLVEK") + 47);
    EXPECT_EQ(help.find(u"\r\n", help.find(u"\r\n") + 1), std::u16string::npos);
    EXPECT_NE(help.find(u"(Ctrl-R, Ctrl-BkSp)  \n\t/L    List"), std::u16string::npos);
    EXPECT_EQ(help.rfind(u"Display or change settings for the Tolvek plugin.\n\nTOLVEK", 0), 0u);
}

}  // namespace
