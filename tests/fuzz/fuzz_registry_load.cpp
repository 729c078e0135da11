// The registry store over arbitrary contents of the stand-in registry:
// either key present or missing or failing to open, and each of the eight
// values missing or of any type with 0 to 16 bytes of data. A load is
// compared with a model of the lookup rules: it succeeds exactly when one
// of the keys yields a primary value, then sets every slot to the data read
// (short data patched into NO_HOTKEY's bytes); a failed load changes no
// slot. Neither a save nor a load prints anything, and no load writes the
// registry or leaves a key open. Some runs save the slots first, with a
// write planned to fail, and check what the save said, what it wrote and
// that a load gives it back.
#include <cstring>

#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/registry_store.h"
#include "stdio_watch.h"

using namespace tolvek;

namespace {

constexpr char16_t PATH[] = u"Software\\DARevavev\\Tolvek";
constexpr os::RegistryRoot ROOTS[] = {os::RegistryRoot::CurrentUser, os::RegistryRoot::LocalMachine};
const char16_t* const VALUE_NAMES[HOTKEY_SLOT_COUNT] = {
    u"MoveLeft",  u"MoveRight",  u"DeleteLeft",  u"DeleteRight",
    u"MoveLeft2", u"MoveRight2", u"DeleteLeft2", u"DeleteRight2",
};
constexpr int PRIMARY_VALUES = 4;

struct Value {
    bool exists;
    std::uint32_t type;
    std::size_t size;
    std::uint8_t data[fake_os::MAX_VALUE_BYTES];
};

struct Key {
    bool exists;
    bool failing;
    Value values[HOTKEY_SLOT_COUNT];
};

// Reads one key into the holding values as the rules say; returns the
// number of primary values read.
int ModelRead(const Key& key, std::uint32_t (&holding)[HOTKEY_SLOT_COUNT]) {
    if (!key.exists || key.failing) return 0;
    int primaries = 0;
    for (int slot = 0; slot < HOTKEY_SLOT_COUNT; ++slot) {
        const Value& value = key.values[slot];
        if (!value.exists || value.size > 4) continue;
        std::uint8_t bytes[4];
        std::memcpy(bytes, &holding[slot], 4);
        std::memcpy(bytes, value.data, value.size);
        std::memcpy(&holding[slot], bytes, 4);
        if (slot < PRIMARY_VALUES) ++primaries;
    }
    return primaries;
}

KeyCode DwordOf(const fake_os::StoredValue& value) {
    std::uint32_t number = 0;
    std::memcpy(&number, value.data, 4);
    return static_cast<KeyCode>(number);
}

bool RegistryUnchanged(const Key (&keys)[2]) {
    for (int root = 0; root < 2; ++root) {
        FUZZ_REQUIRE(fake_os::KeyExists(ROOTS[root], PATH) == keys[root].exists);
        for (int slot = 0; slot < HOTKEY_SLOT_COUNT; ++slot) {
            const fake_os::StoredValue now = fake_os::Value(ROOTS[root], PATH, VALUE_NAMES[slot]);
            const Value& was = keys[root].values[slot];
            if (now.exists != (keys[root].exists && was.exists)) return false;
            if (!now.exists) continue;
            if (now.type != was.type || now.size != was.size) return false;
            if (std::memcmp(now.data, was.data, was.size) != 0) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::StdioWatch watch;
    FuzzInput input(data, size);
    fake_host::Reset();
    fake_host::SetExpansion(u"%_batch", u"0");
    fake_os::Reset();

    // Flags: 1 and 2 create the user's and the machine-wide key, 4 and 8
    // make opening them fail, 32 saves the slots before loading, 64 makes
    // one write of that save fail; 16 is unused.
    const std::uint8_t flags = input.Byte();
    Key keys[2] = {};
    for (int root = 0; root < 2; ++root) {
        keys[root].exists = (flags & (1 << root)) != 0;
        keys[root].failing = (flags & (4 << root)) != 0;
    }
    const std::uint8_t failingWrite = input.Byte() % HOTKEY_SLOT_COUNT;
    HotkeySlotCodes slots{};  // what is saved, then what the load writes into
    for (KeyCode& slot : slots) slot = static_cast<KeyCode>(input.Word());

    // Each value: a byte whose low bits give the size (0 to 16, and above
    // that "missing") and whose high bits pick the type, then its data.
    for (Key& key : keys) {
        if (!key.exists) continue;
        fake_os::CreateKey(ROOTS[&key - keys], PATH);
        for (int slot = 0; slot < HOTKEY_SLOT_COUNT; ++slot) {
            Value& value = key.values[slot];
            const std::uint8_t shape = input.Byte();
            value.size = shape % 20;
            value.exists = value.size <= fake_os::MAX_VALUE_BYTES;
            value.type = shape / 20 % 12;  // the registry's types 0 to 11
            if (!value.exists) continue;
            for (std::size_t i = 0; i < value.size; ++i) value.data[i] = input.Byte();
            fake_os::SetValue(ROOTS[&key - keys], PATH, VALUE_NAMES[slot], value.type, value.data, value.size);
        }
    }
    for (int root = 0; root < 2; ++root) {
        if (keys[root].failing) fake_os::FailKeyOpens(ROOTS[root]);
    }

    if (flags & 32) {
        if (flags & 64) fake_os::FailWritesOf(VALUE_NAMES[failingWrite]);
        watch.Open();
        const StoreResult saved = SaveHotkeysToRegistry(slots);
        FUZZ_REQUIRE(watch.Close() == 0);
        const bool userOpens = !keys[0].failing;
        const bool allWritten = userOpens && (flags & 64) == 0;
        FUZZ_REQUIRE(saved == (allWritten  ? StoreResult::Done
                               : userOpens ? StoreResult::WriteFailed
                                           : StoreResult::KeyNotOpened));
        FUZZ_REQUIRE(fake_host::StandardError().empty());
        if (userOpens) {
            // What was written is the slots, as REG_DWORD; the value planned
            // to fail keeps what it held.
            keys[0].exists = true;
            for (int slot = 0; slot < HOTKEY_SLOT_COUNT; ++slot) {
                if ((flags & 64) && slot == failingWrite) continue;
                const fake_os::StoredValue stored = fake_os::Value(ROOTS[0], PATH, VALUE_NAMES[slot]);
                FUZZ_REQUIRE(stored.exists && stored.type == fake_os::REG_DWORD_TYPE && stored.size == 4);
                FUZZ_REQUIRE(DwordOf(stored) == slots[slot]);
                Value& value = keys[0].values[slot];
                value = Value{true, fake_os::REG_DWORD_TYPE, 4, {}};
                std::memcpy(value.data, stored.data, 4);
            }
        }
        FUZZ_REQUIRE(RegistryUnchanged(keys));
        fake_host::Reset();
        fake_host::SetExpansion(u"%_batch", u"0");
    }

    std::uint32_t holding[HOTKEY_SLOT_COUNT];
    for (std::uint32_t& value : holding) value = static_cast<std::uint32_t>(NO_HOTKEY);
    const bool fromUser = ModelRead(keys[0], holding) > 0;
    const bool loads = fromUser || ModelRead(keys[1], holding) > 0;

    const HotkeySlotCodes before = slots;
    watch.Open();
    const StoreResult result = LoadHotkeysFromRegistry(slots);
    FUZZ_REQUIRE(watch.Close() == 0);

    FUZZ_REQUIRE(result == (loads ? StoreResult::Done : StoreResult::NothingRead));
    for (int slot = 0; slot < HOTKEY_SLOT_COUNT; ++slot) {
        FUZZ_REQUIRE(slots[slot] == (loads ? static_cast<KeyCode>(holding[slot]) : before[slot]));
    }
    FUZZ_REQUIRE(fake_host::StandardError().empty());
    FUZZ_REQUIRE(fake_host::StandardOutput().empty());
    FUZZ_REQUIRE(fake_host::QprintfOnOtherHandles() == 0);
    FUZZ_REQUIRE(RegistryUnchanged(keys));
    FUZZ_REQUIRE(fake_os::KeysLeftOpen() == 0);
    // A save that went through loads back as it was.
    if ((flags & 32) && !keys[0].failing && (flags & 64) == 0) {
        FUZZ_REQUIRE(result == StoreResult::Done && before == slots);
    }
    return 0;
}
