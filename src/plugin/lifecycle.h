// Start-up: which host generation the plug-in serves, the hotkeys it
// starts with, and the load banner.
#pragma once

#include "hotkeys/hotkey_slots.h"

namespace tolvek {

// Expands "%_4ver" and returns the number it gives when that is a 32-bit
// unsigned decimal number from 8 to 100, else 0.
int ProbeHostVersion();

// The start-up sequence, into the state it is given: the host's version,
// and whether it numbers its keys the extended way (from version 24 on);
// then the slots from the registry without messages (the built-in defaults
// when it has none); then the load banner when
// "%[_transient]%[_pipe]%[noloadmsg]" expands to exactly "00". A second
// call repeats it all.
void StartPlugin(int& hostVersion, bool& extendedKeyMode, HotkeySlotCodes& slots);

}  // namespace tolvek
