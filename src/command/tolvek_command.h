// The `tolvek` command: shows, changes, lists, saves and restores the
// hotkeys of the four actions.
#pragma once

#include "host/host_api.h"

// Runs the command on its argument text. Returns 0 on success (also after
// the help text, the version line or the list of hotkeys), 1 on a usage
// error, 2 when saving or restoring failed, -1 when `arguments` is null.
int RunTolvekCommand(const char16_t* arguments);

// Parses an option's value, one or two hotkey names separated by "," or
// ";" (a separator right after "-" belongs to the key name, as in ALT-,),
// into the two slots of one action. "NONE" stands for no key. Returns 0
// when both slots were written, 1 when the value was rejected (neither slot
// changes; an unknown or unusable name is reported), -1 for a null pointer.
int ParseHotkeyPair(const char16_t* value, KeyCode* first, KeyCode* second);

// Prints one line per action with its hotkey or hotkeys; an action whose
// first slot holds NO_HOTKEY shows NONE there. Returns 0.
int ShowCurrentHotkeys();
