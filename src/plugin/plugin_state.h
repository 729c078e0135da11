// The plug-in's process state, owned by the entry points: the host
// generation that start-up settles and the eight hotkey slots. The entry
// points pass what each call needs down to the modules that do the work.
#pragma once

#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_tables.h"

namespace tolvek {

// The host's major version; 0 when the host gave no number from 8 to 100.
extern int HostVersion;

// Set from host version 24 on: the extended key table, keys given by name,
// and the Ctrl+Alt+Shift combination.
extern bool ExtendedKeyMode;

// The live slots: read by the keystroke handler, set by start-up and by
// the command. They start at the built-in defaults.
extern HotkeySlotCodes HotkeySlots;

// The key set of the host generation in force.
inline KeySet CurrentKeySet() {
    return ExtendedKeyMode ? EXTENDED_KEYS : LEGACY_KEYS;
}

}  // namespace tolvek
