// The keystroke handler: carries out the four argument-wise actions when a
// key press matches one of the hotkey slots.
#pragma once

#include <cstdint>

#include "host/host_api.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_tables.h"

namespace tolvek {

// Works out the key's effective code (the host's code, or with the extended
// key set the code of its name, plus the modifier flags of the keys held
// now), compares it with `slots` and, on a match, moves the cursor or
// deletes an argument in the host's line, sets `redraw` when anything
// changed and consumes the key. `keys` is the key set of the host
// generation: the extended set takes keys by name, knows Ctrl+Alt+Shift and
// clears the name of a consumed key. A key that matches no slot, a key whose
// code is no key (NO_HOTKEY, KEY_UNUSABLE, KEY_NOT_ALLOWED; see
// hotkeys/key_codes.h), and a record whose line or cursor cannot be
// trusted, are left byte for byte as they were.
void HandleKeystroke(KeystrokeRecord* record, const HotkeySlotCodes& slots, KeySet keys);

// Removes the units from `from` up to, not including, `to` from `line` and
// closes the gap, after telling the host through ClearEditLine. Does
// nothing, and tells the host nothing, unless 0 <= from < to <= the line's
// length.
void EraseUnits(char16_t* line, std::int32_t from, std::int32_t to);

}  // namespace tolvek
