// Hotkey names: text such as "Ctrl-Alt-Left" to key codes and back, and the
// listing of every usable hotkey, each in the key set it is given.
#pragma once

#include <cstddef>

#include "host/host_api.h"
#include "hotkeys/key_codes.h"
#include "hotkeys/key_tables.h"

namespace tolvek {

// Size of every name buffer of this module, the terminator included.
constexpr int HOTKEY_NAME_UNITS = 1024;

// The key code named by `name`: modifier words ("s"/"shift", "c"/"ctl"/
// "ctrl"/"control", "a"/"alt", any order and case) each followed by "-",
// then a key name or alias of the set `keys`. Returns the cell of the
// table as it stands: a positive code, KEY_UNUSABLE or KEY_NOT_ALLOWED; or
// 0 when the text is no hotkey name (key_codes.h says what each means).
// `name` is not changed; a null `name` yields 0. Prints nothing.
KeyCode ParseHotkeyName(KeySet keys, const char16_t* name);

// The length of the first name of a pair of hotkey names, "NAME,NAME" or
// "NAME;NAME": the units before the first "," or ";" that separates the
// two. Such a unit is the key of the first name instead only right after a
// "-" that ends a modifier word, as in "Alt-," or "Ctrl-;"; after the key
// "-" itself ("Alt--,Ctrl-K") or after a key name that ends in "-"
// ("Ctrl-Num-,Alt-L") it separates. The whole length when nothing does.
std::size_t FirstNameLengthInPair(const char16_t* value);

// Writes the name of `code` (modifier prefix and table name, e.g.
// "Ctrl-Alt-Left") into `out`, a buffer of HOTKEY_NAME_UNITS units, and
// returns 0. When a code stands in several cells, the last in table order
// names it. A code that is no key of the set, the table markers
// KEY_UNUSABLE and KEY_NOT_ALLOWED included, writes "(unknown)" and returns
// -1. A null `out` returns -1.
int FormatHotkeyName(KeySet keys, KeyCode code, char16_t* out);

// Writes every usable hotkey of the key in `row` of `keys` (0 to
// KeyRowCount - 1) into `out`, a buffer of HOTKEY_NAME_UNITS units, column
// by column, separated by a space, a middle dot (U+00B7) and a space: the
// key's line of the listing of supported hotkeys.
void FormatKeyRowHotkeys(KeySet keys, int row, char16_t* out);

}  // namespace tolvek
