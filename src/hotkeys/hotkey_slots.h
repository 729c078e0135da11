// The eight hotkey slots: two keys for each of the four actions.
#pragma once

#include <array>

#include "host/host_api.h"
#include "hotkeys/key_codes.h"

namespace tolvek {

// Slot order; slot n + 4 holds the second key of the action in slot n.
// The slots are named as the registry values that keep them, which the
// naming check lets stand.
enum HotkeySlot : int {
    // NOLINTBEGIN(readability-identifier-naming)
    MoveLeft,
    MoveRight,
    DeleteLeft,
    DeleteRight,
    MoveLeft2,
    MoveRight2,
    DeleteLeft2,
    DeleteRight2,
    // NOLINTEND(readability-identifier-naming)
    HOTKEY_SLOT_COUNT
};

constexpr int SECOND_KEY_OFFSET = 4;

// The codes of the eight slots, in slot order; NO_HOTKEY for a slot
// switched off (what a code means: hotkeys/key_codes.h).
using HotkeySlotCodes = std::array<KeyCode, HOTKEY_SLOT_COUNT>;

// Built-in defaults: Ctrl-Left, Ctrl-Right, Ctrl-L, Ctrl-R, no second keys
// but Ctrl-BkSp for DeleteRight.
constexpr HotkeySlotCodes DefaultHotkeys = {
    KEY_CTRL_LEFT, KEY_CTRL_RIGHT, KEY_CTRL_L, KEY_CTRL_R, NO_HOTKEY, NO_HOTKEY, NO_HOTKEY, KEY_CTRL_BKSP,
};

}  // namespace tolvek
