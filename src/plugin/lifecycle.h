// Start-up: which host generation the plug-in serves, the hotkeys it
// starts with, and the load banner.
#pragma once

#include "hotkeys/hotkey_slots.h"

namespace tolvek {

// Expands "%_4ver" and returns the number it gives when that is a 32-bit
// unsigned decimal number from 8 to 100, else 0.
int ProbeHostVersion();

// What start-up settles.
struct PluginStart {
    int hostVersion;        // as ProbeHostVersion gives it
    bool extendedKeyMode;   // the host numbers its keys the extended way (from version 24 on)
    HotkeySlotCodes slots;  // from the registry, or the built-in defaults when it has none
};

// The start-up sequence: the host's version and its key numbering; then
// the slots from the registry without messages; then the load banner when
// "%[_transient]%[_pipe]%[noloadmsg]" expands to exactly "00". A second
// call repeats it all.
[[nodiscard]] PluginStart StartPlugin();

}  // namespace tolvek
