// The `tolvek` command: shows, changes, lists, saves and restores the
// hotkeys of the four actions.
#pragma once

#include "command/argument_tokenizer.h"
#include "host/host_api.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_tables.h"

namespace tolvek {

// Runs the command on its argument text, with the key set of the host
// generation, changing `slots` as the options say. The arguments are split
// into `argumentTable`, which the caller keeps. Returns 0 on success
// (also after the help text, the version line or the list of hotkeys), 1 on
// a usage error, 2 when saving or restoring failed, -1 when `arguments` is
// null.
int RunTolvekCommand(const char16_t* arguments, KeySet keys, HotkeySlotCodes& slots, ArgumentTable& argumentTable);

// Prints one line per action of `slots` with its hotkey or hotkeys, named
// in `keys`; an action whose first slot holds NO_HOTKEY shows NONE there.
void ShowCurrentHotkeys(KeySet keys, const HotkeySlotCodes& slots);

}  // namespace tolvek
