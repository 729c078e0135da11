#include "hotkeys/registry_store.h"

#include <cstdint>

#include "host/host_api.h"
#include "hotkeys/hotkey_slots.h"
#include "os/os.h"

namespace tolvek {

namespace {

constexpr char16_t KeyPath[] = u"Software\\DARevavev\\Tolvek";

// Value names in slot order; the first four are the primary values.
constexpr const char16_t* ValueNames[HOTKEY_SLOT_COUNT] = {
    u"MoveLeft",  u"MoveRight",  u"DeleteLeft",  u"DeleteRight",
    u"MoveLeft2", u"MoveRight2", u"DeleteLeft2", u"DeleteRight2",
};

constexpr int PRIMARY_VALUE_COUNT = SECOND_KEY_OFFSET;

// Queries the eight values of one key into `loadedCodes`, the codes loaded
// so far, and returns how many of the primary ones were read. Each query
// goes into a copy of the slot's code that is kept only when the query
// succeeds: a failed query (a value with more than 4 bytes) may leave
// anything in its buffer.
[[nodiscard]] int ReadValues(os::RegistryRoot root, std::uint32_t (&loadedCodes)[HOTKEY_SLOT_COUNT]) {
    os::RegistryKey key = nullptr;
    if (!os::OpenRegistryKeyForReading(root, KeyPath, &key)) return 0;
    int primaryRead = 0;
    for (int slot = 0; slot < HOTKEY_SLOT_COUNT; ++slot) {
        std::uint32_t data = loadedCodes[slot];
        if (!os::QueryRegistryValue(key, ValueNames[slot], &data)) continue;
        loadedCodes[slot] = data;
        if (slot < PRIMARY_VALUE_COUNT) ++primaryRead;
    }
    os::CloseRegistryKey(key);
    return primaryRead;
}

}  // namespace

StoreResult SaveHotkeysToRegistry(const HotkeySlotCodes& slots) {
    os::RegistryKey key = nullptr;
    if (!os::CreateRegistryKeyForWriting(os::RegistryRoot::CurrentUser, KeyPath, &key)) {
        return StoreResult::KeyNotOpened;
    }
    bool allWritten = true;
    for (int slot = 0; slot < HOTKEY_SLOT_COUNT; ++slot) {
        if (!os::SetRegistryNumber(key, ValueNames[slot], static_cast<std::uint32_t>(slots[slot]))) {
            allWritten = false;
        }
    }
    os::CloseRegistryKey(key);
    return allWritten ? StoreResult::Done : StoreResult::WriteFailed;
}

StoreResult LoadHotkeysFromRegistry(HotkeySlotCodes& loaded) {
    std::uint32_t loadedCodes[HOTKEY_SLOT_COUNT];
    for (std::uint32_t& value : loadedCodes) value = static_cast<std::uint32_t>(NO_HOTKEY);

    // The machine-wide key is read into the same codes, so second hotkeys
    // found under the user's key survive where it lacks them.
    if (ReadValues(os::RegistryRoot::CurrentUser, loadedCodes) == 0 &&
        ReadValues(os::RegistryRoot::LocalMachine, loadedCodes) == 0) {
        return StoreResult::NothingRead;
    }
    for (int slot = 0; slot < HOTKEY_SLOT_COUNT; ++slot) loaded[slot] = static_cast<KeyCode>(loadedCodes[slot]);
    return StoreResult::Done;
}

}  // namespace tolvek
