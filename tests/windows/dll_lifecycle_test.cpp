// The identity record, start-up's banner and host generation, and the help
// and usage entry points, through the real DLL.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "host_text.h"
#include "modifier_keys.h"
#include "takecmd_recorder.h"
#include "wine_support.h"

namespace {

using InfoFunction = void*();
using IntFunction = int();
using HelpFunction = int(const wchar_t*);
using UsageFunction = int(const wchar_t*, wchar_t*);
using KeyFunction = int(KeystrokeRecord*);


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
        KeystrokeRecord record{};
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
    EXPECT_EQ(std::u16string(StandInStandardOutput()), u"");
}

}  // namespace
