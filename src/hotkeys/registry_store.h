// The hotkey slots kept in the registry: eight REG_DWORD values named after
// the slots under Software\DARevavev\Tolvek, written for the current user
// and read from there or, failing that, from the machine-wide key.
#pragma once

#include "hotkeys/hotkey_slots.h"

namespace tolvek {

// Writes the eight codes of `slots` under the user's key, creating the key
// as needed. Returns 0 when the key opened and every value was written;
// otherwise prints one error message after the error prefix and returns
// -1. Every value is attempted even when an earlier one failed.
int SaveHotkeysToRegistry(const HotkeySlotCodes& slots);

// Loads the eight codes from the user's key or, when that gives none of the
// four primary values (MoveLeft to DeleteRight), from the machine-wide key,
// into *loaded. A value the key lacks loads as NO_HOTKEY. Returns 0 when
// *loaded was set; -1 when neither key gave a primary value, leaving
// *loaded as it was and, when `reportErrors` is non-zero, printing an error
// message after the error prefix. A null `loaded` returns -1 at once.
int LoadHotkeysFromRegistry(int reportErrors, HotkeySlotCodes* loaded);

}  // namespace tolvek
