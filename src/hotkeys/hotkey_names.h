// Hotkey names: text such as "Ctrl-Alt-Left" to key codes and back.
#pragma once

#include "host/host_api.h"

// The key code named by `name` in the current key set: a positive code,
// -1 (combination that cannot be a hotkey), -2 (key not allowed with that
// modifier set), or 0 when the text is no hotkey name. Prints nothing.
KeyCode ParseHotkeyName(const char16_t* name);
