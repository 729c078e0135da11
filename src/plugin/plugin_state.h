// The plug-in's process state, owned by the entry points: the record the
// host reads, the host generation that start-up settles, the eight hotkey
// slots and the command's argument table. The entry points pass what each call needs down
// to the modules that do the work; no other folder holds state that lives
// from one call to the next.
//
// The state is touched only from the host's thread, and that is enough to
// need no locks: every entry point runs on the host thread that calls it,
// the keystroke handler and the command run on the same thread (the one
// that edits the command line and then runs it), and the plug-in starts no
// threads, timers or callbacks of its own.
#pragma once

#include "command/argument_tokenizer.h"
#include "host/host_api.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_tables.h"

namespace tolvek {

// The record that GetPluginInfo fills and hands the host. The host keeps
// reading it through that address, so it lives as long as the library.
extern PluginInfoRecord PluginInfo;

// The host's major version; 0 when the host gave no number from 8 to 100.
extern int HostVersion;

// Set from host version 24 on: the extended key table, keys given by name,
// and the Ctrl+Alt+Shift combination.
extern bool ExtendedKeyMode;

// The live slots: read by the keystroke handler, set by start-up and by
// the command. They start at the built-in defaults.
extern HotkeySlotCodes HotkeySlots;

// The arguments of the command's last run, overwritten by each run. Some
// 28 KB, kept here rather than on the host's stack, whose size the plug-in
// does not know.
extern ArgumentTable ArgumentList;

// The key set of the host generation in force.
inline KeySet CurrentKeySet() {
    return ExtendedKeyMode ? ExtendedKeys : LegacyKeys;
}

}  // namespace tolvek
