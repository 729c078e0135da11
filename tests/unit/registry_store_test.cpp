// The registry store against the stand-in registry: which key supplies the
// hotkeys, what a missing, short, string or over-long value loads as, and
// what a save writes when some writes fail.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_codes.h"
#include "hotkeys/registry_store.h"
#include "stand_in_test.h"

using namespace tolvek;

namespace {

using os::RegistryRoot;
using Slots = HotkeySlotCodes;

constexpr char16_t PATH[] = u"Software\\DARevavev\\Tolvek";
constexpr RegistryRoot USER = RegistryRoot::CurrentUser;
constexpr RegistryRoot MACHINE = RegistryRoot::LocalMachine;
constexpr KeyCode NO = NO_HOTKEY;
constexpr StoreResult DONE = StoreResult::Done;
constexpr StoreResult NOTHING_READ = StoreResult::NothingRead;

const char16_t* const NAMES[HOTKEY_SLOT_COUNT] = {
    u"MoveLeft",  u"MoveRight",  u"DeleteLeft",  u"DeleteRight",
    u"MoveLeft2", u"MoveRight2", u"DeleteLeft2", u"DeleteRight2",
};

// Slot contents no load would produce, to see that a failed load keeps them.
constexpr Slots UNTOUCHED = {101, 102, 103, 104, 105, 106, 107, 108};

std::vector<unsigned char> Dword(std::uint32_t value) {
    return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
            static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

struct StoredValue {
    RegistryRoot root;
    const char16_t* name;
    std::uint32_t type;
    std::vector<unsigned char> data;
};

StoredValue Number(RegistryRoot root, const char16_t* name, KeyCode code) {
    return {root, name, fake_os::REG_DWORD_TYPE, Dword(static_cast<std::uint32_t>(code))};
}

// Every value of both keys, slot by slot.
std::vector<StoredValue> FullKey(RegistryRoot root, const Slots& codes) {
    std::vector<StoredValue> values;
    for (int i = 0; i < HOTKEY_SLOT_COUNT; ++i) values.push_back(Number(root, NAMES[i], codes[i]));
    return values;
}

std::vector<StoredValue> operator+(std::vector<StoredValue> a, const std::vector<StoredValue>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class RegistryStoreTest : public StandInTest {
protected:
    void TearDown() override {
        EXPECT_EQ(fake_os::KeysLeftOpen(), 0);
        StandInTest::TearDown();
    }

    static void Store(const std::vector<StoredValue>& values) {
        for (const StoredValue& value : values) {
            fake_os::SetValue(value.root, PATH, value.name, value.type, value.data.data(), value.data.size());
        }
    }

    Slots slots = UNTOUCHED;  // what the tests save from and load into
};

struct LoadRow {
    const char* what;
    bool userKey, machineKey;  // keys that exist even when they hold nothing
    std::vector<StoredValue> values;
    StoreResult result;
    Slots slots;
    bool machineRead;
};

TEST_F(RegistryStoreTest, LoadTakesTheUserKeyOrElseTheMachineKey) {
    const Slots user = {0x10048, 0x1004B, 0x10040, 0x10041, 1, 2, 3, 4};
    const Slots machine = {11, 12, 13, 14, 15, 16, 17, 18};
    const LoadRow rows[] = {
        {"no key anywhere", false, false, {}, NOTHING_READ, UNTOUCHED, true},
        {"user key with only MoveLeft",
         true,
         false,
         {Number(USER, u"MoveLeft", 0x10048)},
         DONE,
         {0x10048, NO, NO, NO, NO, NO, NO, NO},
         false},
        {"empty user key, full machine key", true, true, FullKey(MACHINE, machine), DONE, machine, true},
        {"no user key, full machine key", false, true, FullKey(MACHINE, machine), DONE, machine, true},
        {"full user key, machine key not read", true, true, FullKey(USER, user) + FullKey(MACHINE, machine), DONE, user,
         false},
        {"second hotkeys alone do not count",
         true,
         true,
         {Number(USER, u"MoveLeft2", 1), Number(USER, u"DeleteRight2", 2), Number(MACHINE, u"MoveLeft", 3),
          Number(MACHINE, u"MoveRight2", 4)},
         DONE,
         {3, NO, NO, NO, 1, 4, NO, 2},
         true},
        {"second hotkeys only in both keys",
         true,
         true,
         {Number(USER, u"MoveLeft2", 1), Number(MACHINE, u"MoveRight2", 4)},
         NOTHING_READ,
         UNTOUCHED,
         true},
        {"NO_HOTKEY stored is loaded",
         true,
         false,
         {Number(USER, u"MoveLeft", NO), Number(USER, u"MoveRight", 7)},
         DONE,
         {NO, 7, NO, NO, NO, NO, NO, NO},
         false},
    };
    for (const LoadRow& row : rows) {
        SCOPED_TRACE(row.what);
        fake_os::Reset();
        fake_host::Reset();
        slots = UNTOUCHED;
        if (row.userKey) fake_os::CreateKey(USER, PATH);
        if (row.machineKey) fake_os::CreateKey(MACHINE, PATH);
        Store(row.values);

        EXPECT_EQ(LoadHotkeysFromRegistry(slots), row.result);
        EXPECT_EQ(slots, row.slots);
        EXPECT_EQ(fake_os::KeyOpenAttempts(USER), 1);
        EXPECT_EQ(fake_os::KeyOpenAttempts(MACHINE), row.machineRead ? 1 : 0);
        EXPECT_EQ(fake_host::StandardError(), u"");
        EXPECT_EQ(fake_os::KeysLeftOpen(), 0);
    }
}

TEST_F(RegistryStoreTest, ValuesOfOtherTypesAndSizesLoadByTheirRawBytes) {
    struct Row {
        const char* what;
        std::uint32_t type;
        std::vector<unsigned char> data;
        KeyCode loaded;
    };
    const Row rows[] = {
        {"REG_DWORD", fake_os::REG_DWORD_TYPE, Dword(0x10073), 0x10073},
        {"2-byte binary fills the low bytes", fake_os::REG_BINARY_TYPE, {0x34, 0x12}, static_cast<KeyCode>(0xFFFF1234)},
        {"empty binary keeps NO_HOTKEY", fake_os::REG_BINARY_TYPE, {}, NO},
        {"one-character string", fake_os::REG_SZ_TYPE, {u'A', 0, 0, 0}, u'A'},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fake_os::Reset();
        Store({{USER, u"MoveRight", row.type, row.data}});
        EXPECT_EQ(LoadHotkeysFromRegistry(slots), DONE);  // every such read counts
        EXPECT_EQ(slots, (Slots{NO, row.loaded, NO, NO, NO, NO, NO, NO}));
    }
}

TEST_F(RegistryStoreTest, ValueLongerThanFourBytesKeepsTheCodeLoadedBefore) {
    const std::vector<unsigned char> eightBytes = {1, 2, 3, 4, 5, 6, 7, 8};
    // Alone under the user's key it counts as no setting.
    Store({{USER, u"MoveLeft", fake_os::REG_BINARY_TYPE, eightBytes}, Number(MACHINE, u"MoveLeft", 3)});
    EXPECT_EQ(LoadHotkeysFromRegistry(slots), DONE);
    EXPECT_EQ(slots, (Slots{3, NO, NO, NO, NO, NO, NO, NO}));

    // A second hotkey read from the user's key survives an over-long value
    // of the same name under the machine-wide key.
    fake_os::Reset();
    Store({Number(USER, u"MoveLeft2", 7),
           Number(MACHINE, u"MoveLeft", 3),
           {MACHINE, u"MoveLeft2", fake_os::REG_BINARY_TYPE, eightBytes},
           {MACHINE, u"MoveRight2", fake_os::REG_SZ_TYPE, {u'a', 0, u'b', 0, 0, 0}}});
    EXPECT_EQ(LoadHotkeysFromRegistry(slots), DONE);
    EXPECT_EQ(slots, (Slots{3, NO, NO, NO, 7, NO, NO, NO}));
}

// The store prints nothing, whatever fails: the command tells the user.
TEST_F(RegistryStoreTest, FailedLoadPrintsNothingAndKeepsTheSlots) {
    fake_os::FailKeyOpens(USER);
    EXPECT_EQ(LoadHotkeysFromRegistry(slots), NOTHING_READ);
    EXPECT_EQ(fake_host::StandardError(), u"");
    EXPECT_EQ(fake_host::StandardOutput(), u"");
    EXPECT_EQ(fake_host::QprintfOnOtherHandles(), 0);
    EXPECT_EQ(slots, UNTOUCHED);
}

TEST_F(RegistryStoreTest, UserKeyThatCannotBeOpenedFallsBackSilently) {
    Store(FullKey(USER, {1, 2, 3, 4, 5, 6, 7, 8}) + FullKey(MACHINE, {11, 12, 13, 14, 15, 16, 17, 18}));
    fake_os::FailKeyOpens(USER);
    EXPECT_EQ(LoadHotkeysFromRegistry(slots), DONE);
    EXPECT_EQ(slots, (Slots{11, 12, 13, 14, 15, 16, 17, 18}));
    EXPECT_EQ(fake_host::StandardError(), u"");
}

TEST_F(RegistryStoreTest, SaveWritesEightDwordsUnderTheUserKeyOnly) {
    const Slots saved = {KEY_CTRL_LEFT, KEY_CTRL_RIGHT, KEY_CTRL_L, KEY_CTRL_R, NO, NO, NO, KEY_CTRL_BKSP};
    slots = saved;
    fake_os::SetValue(USER, PATH, u"DeleteLeft", fake_os::REG_SZ_TYPE, u"xy", 6);  // replaced, type and all

    EXPECT_EQ(SaveHotkeysToRegistry(slots), DONE);
    EXPECT_EQ(slots, saved);
    EXPECT_EQ(fake_host::StandardError(), u"");
    EXPECT_FALSE(fake_os::KeyExists(MACHINE, PATH));
    for (int i = 0; i < HOTKEY_SLOT_COUNT; ++i) {
        SCOPED_TRACE(host_side::Narrow(NAMES[i]));
        const fake_os::StoredValue value = fake_os::Value(USER, PATH, NAMES[i]);
        ASSERT_TRUE(value.exists);
        EXPECT_EQ(value.type, fake_os::REG_DWORD_TYPE);
        EXPECT_EQ(std::vector<unsigned char>(value.data, value.data + value.size),
                  Dword(static_cast<std::uint32_t>(saved[i])));
    }
    // The byte order of the stored numbers, spelled out.
    EXPECT_EQ(fake_os::Value(USER, PATH, u"MoveLeft").data[0], 0x73);
    EXPECT_EQ(fake_os::Value(USER, PATH, u"MoveLeft").data[2], 0x01);
    EXPECT_EQ(fake_os::Value(USER, PATH, u"MoveLeft2").data[3], 0xFF);

    slots = UNTOUCHED;
    EXPECT_EQ(LoadHotkeysFromRegistry(slots), DONE);
    EXPECT_EQ(slots, saved);
}

TEST_F(RegistryStoreTest, FailingWriteAmongEightIsToldAndTheRestAreWritten) {
    fake_os::FailWritesOf(u"DeleteLeft");
    EXPECT_EQ(SaveHotkeysToRegistry(slots), StoreResult::WriteFailed);
    EXPECT_EQ(fake_host::StandardError(), u"");
    EXPECT_EQ(slots, UNTOUCHED);
    for (int i = 0; i < HOTKEY_SLOT_COUNT; ++i) {
        SCOPED_TRACE(host_side::Narrow(NAMES[i]));
        const fake_os::StoredValue value = fake_os::Value(USER, PATH, NAMES[i]);
        EXPECT_EQ(value.exists, i != DeleteLeft);
        if (value.exists) {
            EXPECT_EQ(value.data[0], UNTOUCHED[i]);
        }
    }
}

TEST_F(RegistryStoreTest, SaveWithoutTheUserKeyIsToldAndWritesNothing) {
    fake_os::FailKeyOpens(USER);
    EXPECT_EQ(SaveHotkeysToRegistry(slots), StoreResult::KeyNotOpened);
    EXPECT_EQ(fake_host::StandardError(), u"");
    EXPECT_FALSE(fake_os::KeyExists(USER, PATH));
    EXPECT_FALSE(fake_os::KeyExists(MACHINE, PATH));
}

}  // namespace
