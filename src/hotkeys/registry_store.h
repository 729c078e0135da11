// The hotkey slots kept in the registry: eight REG_DWORD values named after
// the slots under Software\DARevavev\Tolvek, written for the current user
// and read from there or, failing that, from the machine-wide key. The
// store prints nothing: it says what became of each save and load, and the
// caller decides what the user is told.
#pragma once

#include "hotkeys/hotkey_slots.h"

namespace tolvek {

// What became of a save or a load.
enum class StoreResult {
    Done,          // every value was written, or the slots were loaded
    KeyNotOpened,  // a save could neither open nor create the user's key
    WriteFailed,   // a save opened the key, but a value was not written
    NothingRead,   // a load found no primary value under either key
};

// Writes the eight codes of `slots` under the user's key, creating the key
// as needed. Every value is attempted even when an earlier one failed.
[[nodiscard]] StoreResult SaveHotkeysToRegistry(const HotkeySlotCodes& slots);

// Loads the eight codes from the user's key or, when that gives none of the
// four primary values (MoveLeft to DeleteRight), from the machine-wide key,
// into `loaded`. A value the key lacks loads as NO_HOTKEY. On NothingRead
// `loaded` is left as it was.
[[nodiscard]] StoreResult LoadHotkeysFromRegistry(HotkeySlotCodes& loaded);

}  // namespace tolvek
