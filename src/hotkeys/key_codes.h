// What a KeyCode value means, said here once; the other headers point here.
// Also the codes that code outside the key tables names: the built-in
// hotkeys, a few others that tests and benchmarks press, and the flags of
// the modifier combinations. The key tables themselves hold every code as
// literal data, laid out row by row.
//
// A KeyCode, in the host's numbering, is one of:
// - a positive value: a key with its modifiers, as the keystroke handler
//   computes it from a key press and as the key tables hold it. Bit 0x10000
//   marks the host's extended key codes; CTRL_SHIFT_FLAG and CTRL_ALT_FLAG
//   are added for the modifier keys held. A code that the key set of the
//   host generation lacks shows as "(unknown)".
// - 0: no key. The host gives it for a key it names only, and the name
//   parser answers it for text that names no hotkey.
// - KEY_UNUSABLE (-1) and KEY_NOT_ALLOWED (-2): markers in the key tables'
//   cells, never a key. The name parser answers them for a combination that
//   cannot be a hotkey and for a key not allowed with its modifiers (the
//   command refuses each with its own message). A key press of either code
//   is passed on to the host, whatever the slots hold, and a slot holding
//   one shows as "(unknown)".
// - NO_HOTKEY (0xFFFF0000): a slot switched off. It matches no key press,
//   not even one of that code, and no table holds it.
// - any other negative value: no key of the tables, so it shows as
//   "(unknown)"; a slot may still hold one, loaded from the registry (a
//   2-byte value 0x0026 loads as 0xFFFF0026), and it then matches a key
//   press of that very code.
#pragma once

#include "host/host_api.h"

namespace tolvek {

constexpr KeyCode KEY_UNUSABLE = -1;
constexpr KeyCode KEY_NOT_ALLOWED = -2;

constexpr KeyCode NO_HOTKEY = -65536;  // 0xFFFF0000

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
