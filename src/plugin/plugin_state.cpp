#include "plugin/plugin_state.h"

int HostVersion = 0;
bool ExtendedKeyMode = false;
HotkeySlotCodes HotkeySlots = DEFAULT_HOTKEYS;
