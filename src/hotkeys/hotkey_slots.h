// The eight hotkey slots: two keys for each of the four actions.
#pragma once

#include "host/host_api.h"

// A slot with no key assigned. No key table holds this value.
constexpr KeyCode NO_HOTKEY = -65536;  // 0xFFFF0000

// Slot order; slot n + 4 holds the second key of the action in slot n.
enum HotkeySlot : int {
    MoveLeft,
    MoveRight,
    DeleteLeft,
    DeleteRight,
    MoveLeft2,
    MoveRight2,
    DeleteLeft2,
    DeleteRight2,
    HOTKEY_SLOT_COUNT
};

constexpr int SECOND_KEY_OFFSET = 4;

// Built-in defaults: Ctrl-Left, Ctrl-Right, Ctrl-L, Ctrl-R, no second keys
// but Ctrl-BkSp for DeleteRight.
constexpr KeyCode DEFAULT_HOTKEYS[HOTKEY_SLOT_COUNT] = {
    65651, 65652, 12, 18, NO_HOTKEY, NO_HOTKEY, NO_HOTKEY, 127,
};

// The live slots, read by the keystroke handler and written by start-up,
// the command and the registry store. They start at the defaults.
extern KeyCode HotkeySlots[HOTKEY_SLOT_COUNT];

// Sets every slot to its built-in default.
void ResetHotkeysToDefaults();
