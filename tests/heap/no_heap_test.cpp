// Every entry point of the plug-in, on the paths that do the most work,
// runs without a single heap allocation: start-up with and without stored
// hotkeys, the identity record, help and usage, every action on lines of
// 8191 units in both key modes, and every form of the command, errors and
// overflows included. Each measurement also checks that the call did what
// it should, so that no path is "measured" by returning early.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "allocation_counter.h"
#include "fake_host.h"
#include "fake_os.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_codes.h"
#include "plugin/exports.h"
#include "plugin/plugin_state.h"
#include "text/text.h"

using namespace tolvek;

namespace {

using heap::Counts;
using heap::Measure;

constexpr char16_t PATH[] = u"Software\\DARevavev\\Tolvek";
constexpr std::size_t LONG_LINE = 8191;
constexpr const char16_t* QUIET = u"%[_transient]%[_pipe]%[noloadmsg]";

const Counts NONE{};

class NoHeapTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake_host::Reset();
        fake_host::SetExpansion(u"%_batch", u"0");
        fake_os::Reset();
        HotkeySlots = DefaultHotkeys;
        ExtendedKeyMode = false;
    }
    void TearDown() override {
        HotkeySlots = DefaultHotkeys;
        ExtendedKeyMode = false;
        HostVersion = 0;
    }
};

// The counter itself: an allocation made on purpose is seen by every
// mechanism that can see it, and nothing is counted outside a measurement.
TEST_F(NoHeapTest, TheCounterSeesAllocationsMadeOnPurpose) {
    void* volatile kept = nullptr;

    const Counts byNew = Measure([&] { kept = new int(7); });
    delete static_cast<int*>(kept);
    EXPECT_EQ(byNew.operatorNew, 1);

    const Counts byString = Measure([&] {
        std::string text(100, 'x');
        kept = text.data();
    });
    EXPECT_EQ(byString.operatorNew, 1);

    const Counts byMalloc = Measure([&] { kept = std::malloc(16); });
    EXPECT_EQ(byMalloc.cLibrary, 1);
    const Counts byRealloc = Measure([&] { kept = std::realloc(kept, 64); });
    EXPECT_EQ(byRealloc.cLibrary, 1);
    std::free(kept);
    const Counts byCalloc = Measure([&] { kept = std::calloc(4, 4); });
    EXPECT_EQ(byCalloc.cLibrary, 1);
    std::free(kept);

    if (heap::AllocatorHooksInstalled()) {
        EXPECT_GE(byNew.allocatorHook, 1);
        EXPECT_GE(byMalloc.allocatorHook, 1);
        EXPECT_GE(byCalloc.allocatorHook, 1);
    }

    kept = std::malloc(8);  // outside any measurement
    std::free(kept);
    EXPECT_EQ(Measure([] {}), NONE);
}

TEST_F(NoHeapTest, StartUpIdentityAndShutdown) {
    struct Row {
        const char* what;
        const char16_t* version;
        bool storedKeys;
        bool machineKeysOnly;
        const char16_t* quiet;
        KeyCode moveLeftAfter;
    };
    const Row rows[] = {
        {"no stored hotkeys, banner, legacy host", u"23", false, false, u"00", KEY_CTRL_LEFT},
        {"the user's stored hotkeys, extended host", u"24", true, false, u"00", 0x10048},
        {"machine-wide hotkeys, quiet load", u"30.0", false, true, u"10", 0x10049},
        {"no version at all", u"", false, false, u"00", KEY_CTRL_LEFT},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SetUp();
        fake_host::SetExpansion(u"%_4ver", row.version);
        fake_host::SetExpansion(QUIET, row.quiet);
        if (row.storedKeys) fake_os::SetNumber(os::RegistryRoot::CurrentUser, PATH, u"MoveLeft", 0x10048);
        if (row.machineKeysOnly) {
            fake_os::CreateKey(os::RegistryRoot::CurrentUser, PATH);
            fake_os::SetNumber(os::RegistryRoot::LocalMachine, PATH, u"MoveLeft", 0x10049);
        }
        int result = -1;
        EXPECT_EQ(Measure([&] { result = InitializePlugin(); }), NONE);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(HotkeySlots[MoveLeft], row.moveLeftAfter);
        EXPECT_EQ(fake_host::StandardOutput().empty(), TextEquals(row.quiet, u"10"));
    }

    PluginInfoRecord* record = nullptr;
    int shutdown = -1;
    EXPECT_EQ(Measure([&] {
                  record = GetPluginInfo();
                  shutdown = ShutdownPlugin();
              }),
              NONE);
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(TextEquals(record->FunctionList, u"tolvek,*key"));
    EXPECT_EQ(shutdown, 0);
}

TEST_F(NoHeapTest, HelpAndUsage) {
    char16_t buffer[1024];
    int shown = 0;
    int filled = 0;
    int refused = 1;
    EXPECT_EQ(Measure([&] {
                  shown = Help(u"TolVek");
                  filled = Usage(u"tolvek", buffer);
                  refused = Help(u"tolvek ") + Help(nullptr) + Usage(u"other", buffer) + Usage(nullptr, buffer);
              }),
              NONE);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(filled, 1);
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(fake_os::MessageBoxCount(), 1);
    EXPECT_EQ(TextLength(buffer), 734u);
}

// A line of 8191 units of command text with quotes, escapes, switches and
// nested variable functions.
void FillLongLine(char16_t* line) {
    const char16_t* const piece = u"copy \"a b\" c^ d /s %@upper[x %@f[y,z] w] \u00e9t\u00e9 ";
    const std::size_t pieceLength = TextLength(piece);
    for (std::size_t i = 0; i < LONG_LINE; ++i) line[i] = piece[i % pieceLength];
    line[LONG_LINE] = u'\0';
}

TEST_F(NoHeapTest, EveryActionOnLongLinesInBothKeyModes) {
    struct Key {
        const char* what;
        KeyCode code;
        const char16_t* name;  // given by name only, in extended key mode
        bool shift, ctrl, alt;
        bool consumedLegacy, consumedExtended;
    };
    const Key keys[] = {
        {"MoveLeft", KEY_CTRL_LEFT, nullptr, false, true, false, true, true},
        {"MoveRight", KEY_CTRL_RIGHT, nullptr, false, true, false, true, true},
        {"DeleteLeft", 12, nullptr, false, true, false, true, true},
        {"DeleteRight", 18, nullptr, false, true, false, true, true},
        {"DeleteRight2", 127, nullptr, false, true, false, true, true},
        {"MoveLeft by name", 0, u"Ctrl-Left", false, true, false, false, true},
        {"DeleteRight by name", 0, u"ctrl-bksp", false, true, false, false, true},
        {"a key no slot holds", 'x', nullptr, false, false, false, false, false},
        {"a name no table knows", 0, u"Ctrl-NoSuchKey", false, true, false, false, false},
        {"Ctrl+Alt+Shift held", 12, nullptr, true, true, true, true, false},
    };
    const std::size_t cursors[] = {0, 1, LONG_LINE / 2, LONG_LINE - 1, LONG_LINE};
    static char16_t line[LONG_LINE + 1];
    char16_t name[32];

    for (const bool extended : {false, true}) {
        for (const Key& pressed : keys) {
            for (const std::size_t cursor : cursors) {
                SCOPED_TRACE(std::string(pressed.what) + (extended ? ", extended" : ", legacy") + ", cursor " +
                             std::to_string(cursor));
                ExtendedKeyMode = extended;
                fake_os::HoldModifiers(pressed.shift, pressed.ctrl, pressed.alt);
                FillLongLine(line);
                CopyBounded(name, 32, pressed.name != nullptr ? pressed.name : u"");
                KeystrokeRecord record{};
                record.keyCode = pressed.code;
                record.lineStart = line;
                record.cursorPos = line + cursor;
                record.keyName = name;

                int result = -1;
                EXPECT_EQ(Measure([&] { result = key(&record); }), NONE);
                EXPECT_EQ(result, 0);
                const bool consumed = pressed.code != 0 ? record.keyCode == 0 : name[0] == u'\0';
                EXPECT_EQ(consumed, extended ? pressed.consumedExtended : pressed.consumedLegacy);
            }
        }
    }
    EXPECT_GT(fake_host::ClearEditLineCalls(), 0);
}

TEST_F(NoHeapTest, EveryFormOfTheCommand) {
    enum Setup { PLAIN, STORED, FAILING_OPEN, FAILING_WRITE, IN_BATCH };
    struct Row {
        const char16_t* arguments;
        Setup setup;
        bool extended;
        int result;
        bool message;  // on standard error
    };
    static char16_t overflowing[9000];
    static char16_t manyArguments[2 * 1100 + 1];
    for (std::size_t i = 0; i + 1 < 9000; ++i) overflowing[i] = u'a';
    overflowing[8999] = u'\0';
    for (std::size_t i = 0; i < 2 * 1100; ++i) manyArguments[i] = i % 2 ? u' ' : u'/';
    manyArguments[2 * 1100] = u'\0';
    manyArguments[0] = u'X';  // a syntax error, but only after all are stored

    const Row rows[] = {
        {u"", PLAIN, false, 0, false},
        {u"  \t ", PLAIN, true, 0, false},
        {u"/L", PLAIN, false, 0, false},
        {u"/l", PLAIN, true, 0, false},
        {u"/?", PLAIN, false, 0, false},
        {u"/??", PLAIN, true, 0, false},
        {u"/ML:Alt-L", PLAIN, false, 0, false},
        {u"/dr=ctrl-r;ctrl-bksp /mr:ctrl-alt-shift-right", PLAIN, true, 0, false},
        {u"/ML:NONE", PLAIN, false, 0, false},
        {u"/ML:Alt-L /S", PLAIN, false, 0, false},
        {u"/S", FAILING_OPEN, false, 2, true},
        {u"/S", FAILING_WRITE, true, 2, true},
        {u"/R", STORED, false, 0, false},
        {u"/R", PLAIN, false, 2, true},
        {u"/R", IN_BATCH, true, 2, true},
        {u"/bogus", PLAIN, false, 1, true},
        {u"bogus", IN_BATCH, false, 1, true},
        {u"/ML:Foo", PLAIN, false, 1, true},
        {u"/ML:A", PLAIN, false, 1, true},
        {u"/ML:Ctrl-C", PLAIN, true, 1, true},
        {u"/ML:Alt-L,", PLAIN, false, 1, false},
        {u"/R /S", PLAIN, false, 1, true},
        {u"/R /ML:Alt-L", PLAIN, false, 1, true},
        {u"/L /S", PLAIN, false, 1, true},
        {overflowing, IN_BATCH, false, 1, true},
        {manyArguments, PLAIN, false, 1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(host_side::Narrow(std::u16string(row.arguments).substr(0, 60)));
        SetUp();
        ExtendedKeyMode = row.extended;
        switch (row.setup) {
        case STORED: fake_os::SetNumber(os::RegistryRoot::CurrentUser, PATH, u"DeleteLeft", 0x10026); break;
        case FAILING_OPEN: fake_os::FailKeyOpens(os::RegistryRoot::CurrentUser); break;
        case FAILING_WRITE: fake_os::FailWritesOf(u"DeleteRight2"); break;
        case IN_BATCH:
            fake_host::SetExpansion(u"%_batch", u"1");
            fake_host::SetExpansion(u"%_batchname [%_batchline]  ", u"C:\\setup.btm [12]  ");
            break;
        case PLAIN: break;
        }
        int result = -5;
        EXPECT_EQ(Measure([&] { result = tolvek::tolvek(row.arguments); }), NONE);
        EXPECT_EQ(result, row.result);
        EXPECT_EQ(fake_host::StandardError().empty(), !row.message);
    }

    int nullResult = 0;
    EXPECT_EQ(Measure([&] { nullResult = tolvek::tolvek(nullptr); }), NONE);
    EXPECT_EQ(nullResult, -1);
}

}  // namespace
