// The key codes of the host's numbering that code outside the key tables
// names: the built-in hotkeys, a few others that tests and benchmarks press,
// the flags of the modifier combinations, and the two table values that are
// no key code. The key tables themselves hold every code as literal data,
// laid out row by row.
#pragma once

#include "host/host_api.h"

namespace tolvek {

// The key table cells that hold no key code: a combination that cannot be
// a hotkey, and a key that is not allowed with that modifier set. The
// command refuses both as hotkeys, each with its own message. They are no
// key: a key press of either code is passed on to the host, whatever the
// slots hold, and a slot holding one shows as "(unknown)".
constexpr KeyCode KEY_UNUSABLE = -1;
constexpr KeyCode KEY_NOT_ALLOWED = -2;

// True for the two key table markers, which are no key.
constexpr bool IsKeyTableMarker(KeyCode code) {
    return code == KEY_UNUSABLE || code == KEY_NOT_ALLOWED;
}

constexpr KeyCode KEY_CTRL_LEFT = 0x10073;   // 65651, the default MoveLeft
constexpr KeyCode KEY_CTRL_RIGHT = 0x10074;  // 65652, the default MoveRight
constexpr KeyCode KEY_CTRL_L = 12;           // the default DeleteLeft
constexpr KeyCode KEY_CTRL_R = 18;           // the default DeleteRight
constexpr KeyCode KEY_CTRL_BKSP = 0x7F;      // the default second DeleteRight
constexpr KeyCode KEY_UP = 0x10048;
constexpr KeyCode KEY_ALT_L = 0x10026;
constexpr KeyCode KEY_ALT_M = 0x10032;
constexpr KeyCode KEY_CTRL_ALT_SHIFT_LEFT = 0x70073;

// Added to a key's code for the modifier keys held: Ctrl+Shift, Ctrl+Alt,
// and both for Ctrl+Alt+Shift.
constexpr KeyCode CTRL_SHIFT_FLAG = 0x20000;
constexpr KeyCode CTRL_ALT_FLAG = 0x40000;

}  // namespace tolvek
