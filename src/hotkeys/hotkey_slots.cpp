#include "hotkeys/hotkey_slots.h"

KeyCode HotkeySlots[HOTKEY_SLOT_COUNT] = {
    DEFAULT_HOTKEYS[0], DEFAULT_HOTKEYS[1], DEFAULT_HOTKEYS[2], DEFAULT_HOTKEYS[3],
    DEFAULT_HOTKEYS[4], DEFAULT_HOTKEYS[5], DEFAULT_HOTKEYS[6], DEFAULT_HOTKEYS[7],
};

void ResetHotkeysToDefaults() {
    for (int slot = 0; slot < HOTKEY_SLOT_COUNT; ++slot) {
        HotkeySlots[slot] = DEFAULT_HOTKEYS[slot];
    }
}
