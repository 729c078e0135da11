// Start-up: which host generation the plug-in serves, the hotkeys it
// starts with, and the load banner.
#pragma once

namespace tolvek {

// Expands "%_4ver" and sets HostVersion to the number it gives when that is
// a 32-bit unsigned decimal number from 8 to 100, else to 0; sets
// ExtendedKeyMode from version 24 on and clears it below.
void ProbeHostVersion();

// The start-up sequence: ProbeHostVersion, then the hotkeys from the
// registry without messages (the built-in defaults when it has none), then
// the load banner when "%[_transient]%[_pipe]%[noloadmsg]" expands to
// exactly "00". A second call repeats it all.
void StartPlugin();

}  // namespace tolvek
