// Hotkey names: text such as "Ctrl-Alt-Left" to key codes and back, the
// value of a hotkey option (one or two names) to an action's two keys, and
// the listing of every usable hotkey, each in the key set it is given.
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

// Units of a pair's first name that are parsed, and that a message about
// it shows; the rest of it is dropped.
constexpr std::size_t FIRST_NAME_LIMIT = HOTKEY_NAME_UNITS - 1;

// What became of a hotkey option's value.
enum class HotkeyPairResult {
    Parsed,         // the pair's two keys are set
    MissingName,    // the value, or the part before or after the separator, is empty
    UnknownName,    // the rejected name is no hotkey name
    UnusableKey,    // the rejected name is a combination that cannot be a hotkey
    KeyNotAllowed,  // the rejected name is a key not allowed with its modifiers
};

// An option's value as parsed: what became of it, the action's two keys,
// and where the name that refused them stands in the value.
struct HotkeyPair {
    HotkeyPairResult result = HotkeyPairResult::MissingName;
    // Set on Parsed only; `first` is NO_HOTKEY only when `second` is too.
    KeyCode first = NO_HOTKEY;
    KeyCode second = NO_HOTKEY;
    // The name that no usable hotkey has, as units of the value: the first
    // name (cut to FIRST_NAME_LIMIT units) or the text after the separator,
    // up to the value's end. Both 0 when no name was rejected.
    std::size_t rejectedStart = 0;
    std::size_t rejectedLength = 0;
};

// Parses an option's value, one or two hotkey names split as
// FirstNameLengthInPair says. "NONE", in any case, stands for no key. The
// second name runs to the end of the value, further separators included.
// A key given twice counts once, and a pair whose first key is NONE moves
// its second key first. A null `value` is taken as empty. Prints nothing.
[[nodiscard]] HotkeyPair ParseHotkeyPair(KeySet keys, const char16_t* value);

// Writes the name of `code` (modifier prefix and table name, e.g.
// "Ctrl-Alt-Left") into `out`, a buffer of HOTKEY_NAME_UNITS units. When a
// code stands in several cells, the last in table order names it. A code
// that is no key of the set, the table markers KEY_UNUSABLE and
// KEY_NOT_ALLOWED included, writes "(unknown)". A null `out` is left alone.
void FormatHotkeyName(KeySet keys, KeyCode code, char16_t* out);

// Writes every usable hotkey of the key in `row` of `keys` (0 to
// KeyRowCount - 1) into `out`, a buffer of HOTKEY_NAME_UNITS units, column
// by column, separated by a space, a middle dot (U+00B7) and a space: the
// key's line of the listing of supported hotkeys.
void FormatKeyRowHotkeys(KeySet keys, int row, char16_t* out);

}  // namespace tolvek
