// Scriptable stand-ins for the operating-system services, for native tests.
#pragma once

namespace fake_os {

// The handle StandardErrorHandle hands out.
inline void* const STANDARD_ERROR_HANDLE = reinterpret_cast<void*>(0x5E5E);

// Which modifier keys count as held from now on.
void HoldModifiers(bool shift, bool ctrl, bool alt);

// Number of modifier-key reads since the last Reset.
int ModifierReads();

// Releases every key and clears the counters.
void Reset();

}  // namespace fake_os
