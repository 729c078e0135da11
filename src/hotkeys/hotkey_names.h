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

// What became of a hotkey option's value.
enum class HotkeyPairResult {
    Parsed,         // the pair's two keys are set
    MissingName,    // the value, or the part before or after the separator, is empty
    UnknownName,    // the rejected name is no hotkey name
    UnusableKey,    // the rejected name is a combination that cannot be a hotkey
    KeyNotAllowed,  // the rejected name is a key not allowed with its modifiers
};

// An option's value as parsed: the action's two keys, or the name that
// refused them. `rejectedName` may point into the pair itself, so a pair is
// never copied.
struct HotkeyPair {
    KeyCode first = NO_HOTKEY;
    KeyCode second = NO_HOTKEY;
    // Null, or the name that no usable hotkey has: `firstName`, or the text
    // after the separator in the value, up to its end.
    const char16_t* rejectedName = nullptr;
    // The first name, cut to HOTKEY_NAME_UNITS - 1 units.
    char16_t firstName[HOTKEY_NAME_UNITS] = {};

    HotkeyPair() = default;
    HotkeyPair(const HotkeyPair&) = delete;
    HotkeyPair& operator=(const HotkeyPair&) = delete;
};

// Parses an option's value, one or two hotkey names split as
// FirstNameLengthInPair says, into `pair`. "NONE", in any case, stands for
// no key. The second name runs to the end of the value, further
// separators included. A key given twice counts once, and a pair whose
// first key is NONE moves its second key first, so `first` is NO_HOTKEY
// only when `second` is too. The keys are set only on Parsed; a null
// `value` is taken as empty. Prints nothing.
HotkeyPairResult ParseHotkeyPair(KeySet keys, const char16_t* value, HotkeyPair& pair);

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
