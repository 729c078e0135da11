// The `tolvek` command: shows, changes, lists, saves and restores the
// hotkeys of the four actions.
#pragma once

#include "command/argument_tokenizer.h"
#include "host/host_api.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_tables.h"

namespace tolvek {

// What became of a run of the command.
enum class CommandResult {
    Done,           // also after the help text, the version line or the list of hotkeys
    UsageError,     // an argument or a combination was refused, or the arguments overflowed
    StoreFailed,    // saving or restoring failed
    NullArguments,  // the argument text was null
};

// Runs the command on its argument text, with the key set of the host
// generation, changing `slots` as the options say. The arguments are split
// into `argumentTable`, which the caller keeps.
[[nodiscard]] CommandResult RunTolvekCommand(const char16_t* arguments, KeySet keys, HotkeySlotCodes& slots,
                                             ArgumentTable& argumentTable);

// Prints one line per action of `slots` with its hotkey or hotkeys, named
// in `keys`; an action whose first slot holds NO_HOTKEY shows NONE there.
void ShowCurrentHotkeys(KeySet keys, const HotkeySlotCodes& slots);

}  // namespace tolvek
