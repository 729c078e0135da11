// The constant key tables of both host generations: every hotkey's name and
// the key codes the keystroke handler computes for it, one column per
// modifier combination.
//
// Cell values: a positive key code, or one of the two markers KEY_UNUSABLE
// and KEY_NOT_ALLOWED; no cell holds 0 or NO_HOTKEY (what each value means:
// key_codes.h). Row order is fixed: it is the order of the listing and
// decides which cell a code is formatted from when it occurs twice.
#pragma once

#include <array>

#include "host/host_api.h"
#include "hotkeys/key_codes.h"

namespace tolvek {

// Modifier columns, in table order. The same index selects the prefix in
// ModifierPrefixes. Alt+Shift has no column.
enum KeyColumn : int {
    COLUMN_PLAIN,           // ""
    COLUMN_SHIFT,           // "Shift-"
    COLUMN_CTRL,            // "Ctrl-"
    COLUMN_ALT,             // "Alt-"
    COLUMN_CTRL_SHIFT,      // "Ctrl-Shift-"      (+0x20000)
    COLUMN_CTRL_ALT,        // "Ctrl-Alt-"        (+0x40000)
    COLUMN_CTRL_ALT_SHIFT,  // "Ctrl-Alt-Shift-"  (+0x60000, extended set only)
    KEY_COLUMN_COUNT
};

constexpr int LEGACY_KEY_ROWS = 74;
constexpr int LEGACY_KEY_COLUMNS = 6;
constexpr int LEGACY_NAME_UNITS = 8;  // at most 7 characters and a terminator
constexpr int LEGACY_ALIAS_ROWS = 17;

constexpr int EXTENDED_KEY_ROWS = 72;
constexpr int EXTENDED_KEY_COLUMNS = 7;
constexpr int EXTENDED_NAME_UNITS = 10;  // at most 9 characters and a terminator
constexpr int EXTENDED_ALIAS_ROWS = 25;

constexpr int ALIAS_NAME_UNITS = 16;
constexpr int PREFIX_UNITS = 16;

// A key row: the key's name and one code per modifier column.
template <int NameUnits, int Columns>
struct KeyRow {
    char16_t name[NameUnits];
    KeyCode codes[Columns];
};

// An alternative name and the table name that replaces it.
template <int NameUnits>
struct KeyAlias {
    char16_t alias[ALIAS_NAME_UNITS];
    char16_t name[NameUnits];
};

using LegacyKeyRow = KeyRow<LEGACY_NAME_UNITS, LEGACY_KEY_COLUMNS>;
using ExtendedKeyRow = KeyRow<EXTENDED_NAME_UNITS, EXTENDED_KEY_COLUMNS>;
using LegacyKeyAlias = KeyAlias<LEGACY_NAME_UNITS>;
using ExtendedKeyAlias = KeyAlias<EXTENDED_NAME_UNITS>;

// Hosts up to version 23: LegacyKeys.
extern const std::array<LegacyKeyRow, LEGACY_KEY_ROWS> LegacyKeyTable;
extern const std::array<LegacyKeyAlias, LEGACY_ALIAS_ROWS> LegacyKeyAliases;

// Hosts from version 24 on: ExtendedKeys.
extern const std::array<ExtendedKeyRow, EXTENDED_KEY_ROWS> ExtendedKeyTable;
extern const std::array<ExtendedKeyAlias, EXTENDED_ALIAS_ROWS> ExtendedKeyAliases;

// The name prefix of each modifier column, shared by both sets.
extern const char16_t ModifierPrefixes[KEY_COLUMN_COUNT][PREFIX_UNITS];

// One of the two table sets: the extended set of hosts from version 24 on,
// or the legacy set. The entry points pick it by the host generation and
// pass it to every operation that needs it.
struct KeySet {
    bool extended;
};

constexpr KeySet LegacyKeys{false};
constexpr KeySet ExtendedKeys{true};

// Size of the set: rows, modifier columns (6 or 7) and alias rows.
int KeyRowCount(KeySet set);
int KeyColumnCount(KeySet set);
int KeyAliasCount(KeySet set);

// Row `row` (0-based, below KeyRowCount): its name and its cell in `column`
// (below KeyColumnCount).
const char16_t* KeyRowName(KeySet set, int row);
KeyCode KeyCell(KeySet set, int row, int column);

// Alias row `alias` (below KeyAliasCount): the alternative name and the
// table name it stands for.
const char16_t* KeyAliasName(KeySet set, int alias);
const char16_t* KeyAliasTarget(KeySet set, int alias);

}  // namespace tolvek
