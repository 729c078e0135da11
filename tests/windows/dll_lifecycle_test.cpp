// The identity record and version resource, start-up's banner and host
// generation, and the help and usage entry points, through the real DLL.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "host_text.h"
#include "modifier_keys.h"
#include "takecmd_recorder.h"
#include "wine_support.h"

namespace {

using InfoFunction = void*();
using IntFunction = int();
using HelpFunction = int(const wchar_t*);
using UsageFunction = int(const wchar_t*, wchar_t*);
using KeyFunction = int(tolvek::KeystrokeRecord*);

std::u16string TextAt(const unsigned char* record, std::size_t offset) {
    const char16_t* text = nullptr;
    std::memcpy(&text, record + offset, sizeof text);
    return text != nullptr ? std::u16string(text) : u"(null)";
}

std::int32_t NumberAt(const unsigned char* record, std::size_t offset) {
    std::int32_t number = 0;
    std::memcpy(&number, record + offset, sizeof number);
    return number;
}

// Two numbers of a version as the fixed part of a version resource holds
// them: the first in the high half.
constexpr DWORD VersionPair(DWORD high, DWORD low) {
    return high << 16 | low;
}

class DllLifecycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        StandInReset();
        wine::DeleteTolvekKeys();
    }
    void TearDown() override {
        StandInReset();
        initialize();
    }

    IntFunction* initialize = wine::Export<IntFunction>("InitializePlugin");
};

TEST_F(DllLifecycleTest, PluginInfoRecordLayout) {
    auto* getInfo = wine::Export<InfoFunction>("GetPluginInfo");
    auto* record = static_cast<const unsigned char*>(getInfo());
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(TextAt(record, 0), u"Tolvek");
    EXPECT_NE(TextAt(record, 8), u"(null)");
    EXPECT_NE(TextAt(record, 16).find(u'@'), std::u16string::npos);
    EXPECT_NE(TextAt(record, 24), u"(null)");
    EXPECT_EQ(TextAt(record, 32), u"Move or delete by arguments");
    EXPECT_EQ(TextAt(record, 40), u"tolvek,*key");
    EXPECT_EQ(NumberAt(record, 48), 0);
    EXPECT_EQ(NumberAt(record, 52), 92);
    EXPECT_EQ(NumberAt(record, 56), 0);
    for (std::size_t offset = 60; offset < 80; ++offset) EXPECT_EQ(record[offset], 0) << offset;

    unsigned char first[80];
    std::memcpy(first, record, sizeof first);
    EXPECT_EQ(getInfo(), record);
    EXPECT_EQ(std::memcmp(first, record, sizeof first), 0);
}

// What Windows shows in the file's properties, read from the loaded DLL's
// file the way Windows reads it: the fixed numbers, the translation, and
// texts of the string block that the translation names.
TEST_F(DllLifecycleTest, VersionResource) {
    wine::Export<InfoFunction>("GetPluginInfo");  // loads the DLL
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(GetModuleHandleW(L"tolvek.dll"), path, MAX_PATH), 0u);
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &unused);
    ASSERT_GT(size, 0u) << "no version resource, error " << GetLastError();
    std::vector<unsigned char> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, VersionPair(0, 92));
    EXPECT_EQ(fixed->dwFileVersionLS, VersionPair(0, 7));
    EXPECT_EQ(fixed->dwProductVersionMS, VersionPair(0, 92));
    EXPECT_EQ(fixed->dwProductVersionLS, VersionPair(0, 0));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 2 * sizeof(WORD));
    const auto* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(translation[0], 0x409);
    EXPECT_EQ(translation[1], 1200);

    const struct {
        const wchar_t* name;
        const wchar_t* text;
    } strings[] = {
        {L"FileDescription", L"Move or delete by arguments"},
        {L"FileVersion", L"0.92.0.7"},
        {L"ProductVersion", L"0.92.0"},
        {L"OriginalFilename", L"tolvek.dll"},
    };
    for (const auto& string : strings) {
        wchar_t query[96];
        std::swprintf(query, std::size(query), L"\\StringFileInfo\\%04X%04X\\%ls", translation[0], translation[1],
                      string.name);
        ASSERT_TRUE(VerQueryValueW(data.data(), query, &value, &length)) << string.name;
        EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), string.text);
    }
}

TEST_F(DllLifecycleTest, BannerAndHostGeneration) {
    auto* key = wine::Export<KeyFunction>("key");
    struct Row {
        const char16_t* version;
        const char16_t* quiet;
        const char16_t* banner;
        bool extended;
    };
    const Row rows[] = {
        {u"24", u"00", u"Tolvek v0.92.0 loaded.\r\n", true},
        {u"23", u"00", u"Tolvek v0.92.0 loaded.\r\n", false},
        {u"24.01", u"01", u"", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(host_side::Narrow(row.version) + " / " + host_side::Narrow(row.quiet));
        StandInReset();
        StandInSetExpansion(u"%_4ver", row.version);
        StandInSetExpansion(u"%[_transient]%[_pipe]%[noloadmsg]", row.quiet);
        EXPECT_EQ(initialize(), 0);
        EXPECT_EQ(std::u16string(StandInStandardOutput()), row.banner);
        EXPECT_EQ(std::u16string(StandInStandardError()), u"");

        // Ctrl+Alt+Shift adds its flags only in extended key mode.
        EXPECT_TRUE(host_side::HoldModifierKeys(true, true, true));
        char16_t line[8] = u"abc";
        tolvek::KeystrokeRecord record{};
        record.keyCode = 12;
        record.lineStart = line;
        record.cursorPos = line + 3;
        key(&record);
        EXPECT_TRUE(host_side::HoldModifierKeys(false, false, false));
        EXPECT_EQ(std::u16string(line), row.extended ? u"abc" : u"");
    }
}

TEST_F(DllLifecycleTest, UsageFillsTheHostsBuffer) {
    auto* usage = wine::Export<UsageFunction>("Usage");
    wchar_t buffer[1024];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    EXPECT_EQ(usage(L"tolvekx", buffer), 0);
    EXPECT_EQ(usage(nullptr, buffer), 0);
    EXPECT_EQ(usage(L"TOLVEK", nullptr), 0);
    EXPECT_EQ(buffer[0], L'#');
    EXPECT_EQ(usage(L"ToLvEk", buffer), 1);
    const std::wstring text(buffer);
    EXPECT_EQ(text.size(), 734u);
    EXPECT_EQ(text.rfind(L"TOLVEK /ML:key /MR:key /DL:key /DR:key /L /R /S\r\n", 0), 0u);
    EXPECT_EQ(text.back(), L'\n');
    EXPECT_EQ(buffer[735], L'#');
}

// Under headless Wine the box cannot be shown and MessageBoxW returns at
// once; the call runs on its own thread so that a box that waits for a
// click fails the test instead of hanging the run.
TEST_F(DllLifecycleTest, HelpAnswersForTheCommandNameOnly) {
    auto* help = wine::Export<HelpFunction>("Help");
    EXPECT_EQ(help(L"tolvek "), 0);
    EXPECT_EQ(help(L"tolvekx"), 0);
    EXPECT_EQ(help(nullptr), 0);

    struct Call {
        HelpFunction* help;
        int answer;
    } call{help, -1};
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* parameter) -> DWORD {
            auto* c = static_cast<Call*>(parameter);
            c->answer = c->help(L"TOLVEK");
            return 0;
        },
        &call, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    const DWORD waited = WaitForSingleObject(thread, 20000);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "Help did not return: the message box waits for a click";
    CloseHandle(thread);
    EXPECT_EQ(call.answer, 1);
}

// The DLL's import of MessageBoxW, pointed at stand-ins: a box that cannot
// be shown (no desktop) and one that the user closes with OK.
int boxesShown = 0;
int WINAPI NoDesktop(HWND, LPCWSTR, LPCWSTR, UINT) {
    return 0;
}
int WINAPI ClosedWithOk(HWND, LPCWSTR, LPCWSTR caption, UINT) {
    if (std::wstring(caption) == L"Tolvek Plugin Help") ++boxesShown;
    return IDOK;
}

TEST_F(DllLifecycleTest, HelpPrintsTheTextOnlyWhenNoBoxCanBeShown) {
    auto* help = wine::Export<HelpFunction>("Help");
    void* const messageBox =
        wine::ReplacePluginImport("user32.dll", "MessageBoxW", reinterpret_cast<void*>(&NoDesktop));
    ASSERT_NE(messageBox, nullptr);
    EXPECT_EQ(help(L"tolvek"), 1);
    const std::u16string output = StandInStandardOutput();
    EXPECT_EQ(output.rfind(u"Display or change settings for the Tolvek plugin.\n", 0), 0u);
    EXPECT_EQ(output.size(), 785u);

    StandInReset();
    wine::ReplacePluginImport("user32.dll", "MessageBoxW", reinterpret_cast<void*>(&ClosedWithOk));
    EXPECT_EQ(help(L"tolvek"), 1);
    EXPECT_EQ(boxesShown, 1);
    EXPECT_EQ(std::u16string(StandInStandardOutput()), u"");
    wine::ReplacePluginImport("user32.dll", "MessageBoxW", messageBox);
}

}  // namespace
