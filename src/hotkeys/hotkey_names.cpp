#include "hotkeys/hotkey_names.h"

#include "hotkeys/key_tables.h"
#include "text/text.h"

namespace tolvek {

namespace {

constexpr std::size_t NAME_UNITS = HOTKEY_NAME_UNITS;
constexpr std::size_t TOKEN_LIMIT = NAME_UNITS - 1;  // characters kept per token

constexpr int SHIFT_BIT = 1;
constexpr int CTRL_BIT = 2;
constexpr int ALT_BIT = 4;
constexpr int NO_COLUMN = -1;

struct ModifierWord {
    const char16_t* word;
    int bit;
};

constexpr ModifierWord ModifierWords[] = {
    {u"s", SHIFT_BIT},   {u"shift", SHIFT_BIT},  {u"c", CTRL_BIT}, {u"ctl", CTRL_BIT},
    {u"ctrl", CTRL_BIT}, {u"control", CTRL_BIT}, {u"a", ALT_BIT},  {u"alt", ALT_BIT},
};

// The modifier bit of a word, or 0 for a word that names no modifier.
int ModifierBit(const char16_t* word) {
    for (const ModifierWord& modifier : ModifierWords) {
        if (EqualsIgnoringAsciiCase(word, modifier.word)) return modifier.bit;
    }
    return 0;
}

// True when the "-" at `at` ends the token of `tokenLength` units before
// it: a "-" that starts a token, or that is the name's last unit, belongs to
// the key name instead.
bool EndsModifierWord(const char16_t* at, std::size_t tokenLength) {
    return at[0] == u'-' && tokenLength > 0 && at[1] != u'\0';
}

bool IsPairSeparator(char16_t unit) {
    return unit == u',' || unit == u';';
}

// The column of a modifier combination; Alt+Shift has none, and
// Ctrl+Alt+Shift exists in the extended set only.
int ColumnOf(int modifiers, KeySet set) {
    switch (modifiers) {
    case 0: return COLUMN_PLAIN;
    case SHIFT_BIT: return COLUMN_SHIFT;
    case CTRL_BIT: return COLUMN_CTRL;
    case ALT_BIT: return COLUMN_ALT;
    case CTRL_BIT | SHIFT_BIT: return COLUMN_CTRL_SHIFT;
    case CTRL_BIT | ALT_BIT: return COLUMN_CTRL_ALT;
    case CTRL_BIT | ALT_BIT | SHIFT_BIT: return set.extended ? COLUMN_CTRL_ALT_SHIFT : NO_COLUMN;
    default: return NO_COLUMN;
    }
}

// Replaces an alternative name by its table name. Aliases are tried in
// order, each against the name as it stands after the earlier ones.
void ResolveAliases(KeySet set, char16_t* token) {
    for (int alias = 0; alias < KeyAliasCount(set); ++alias) {
        if (EqualsIgnoringAsciiCase(token, KeyAliasName(set, alias))) {
            CopyBounded(token, NAME_UNITS, KeyAliasTarget(set, alias));
        }
    }
}

// A cell's place in the table.
struct CellPlace {
    int row;
    int column;
};

constexpr CellPlace NoPlace{-1, -1};

// The last cell in table order that holds `code`; NoPlace when none does.
CellPlace LastCellHolding(KeySet set, KeyCode code) {
    CellPlace found = NoPlace;
    for (int row = 0; row < KeyRowCount(set); ++row) {
        for (int column = 0; column < KeyColumnCount(set); ++column) {
            if (KeyCell(set, row, column) == code) found = {row, column};
        }
    }
    return found;
}

// Parses one name of a pair into `code`: NO_HOTKEY for "NONE", else the
// name's cell. Parsed when that is a usable hotkey or NONE.
HotkeyPairResult ParsePairName(KeySet set, const char16_t* name, KeyCode& code) {
    code = EqualsIgnoringAsciiCase(name, u"NONE") ? NO_HOTKEY : ParseHotkeyName(set, name);
    if (code > 0 || code == NO_HOTKEY) return HotkeyPairResult::Parsed;
    switch (code) {
    case KEY_UNUSABLE: return HotkeyPairResult::UnusableKey;
    case KEY_NOT_ALLOWED: return HotkeyPairResult::KeyNotAllowed;
    default: return HotkeyPairResult::UnknownName;
    }
}

}  // namespace

KeyCode ParseHotkeyName(KeySet set, const char16_t* name) {
    if (name == nullptr) return 0;

    // Split at each "-" that ends a non-empty token: every such token is a
    // modifier word, and what follows the last one is the key name. A "-"
    // that starts a token is part of it, so "Alt--" names the key "-", and
    // so is the last unit of the name, so "Ctrl-Num-" names the key "Num-".
    char16_t token[NAME_UNITS];
    std::size_t length = 0;
    int modifiers = 0;
    for (const char16_t* at = name; *at != u'\0'; ++at) {
        if (EndsModifierWord(at, length)) {
            token[length] = u'\0';
            const int bit = ModifierBit(token);
            if (bit == 0) return 0;
            modifiers |= bit;
            length = 0;
        } else if (length < TOKEN_LIMIT) {
            token[length++] = *at;
        }
    }
    token[length] = u'\0';
    if (length == 0) return 0;

    const int column = ColumnOf(modifiers, set);
    if (column == NO_COLUMN) return 0;

    ResolveAliases(set, token);
    KeyCode result = 0;
    for (int row = 0; row < KeyRowCount(set); ++row) {
        if (EqualsIgnoringAsciiCase(token, KeyRowName(set, row))) result = KeyCell(set, row, column);
    }
    return result;
}

std::size_t FirstNameLengthInPair(const char16_t* value) {
    // Follows the tokens of the name as ParseHotkeyName splits them, to know
    // whether a "-" ends a modifier word.
    char16_t token[NAME_UNITS];
    std::size_t length = 0;
    bool afterModifierWord = false;  // the unit before is a "-" ending a modifier word
    std::size_t at = 0;
    for (; value[at] != u'\0'; ++at) {
        if (IsPairSeparator(value[at]) && !afterModifierWord) break;
        afterModifierWord = false;
        if (EndsModifierWord(value + at, length)) {
            token[length] = u'\0';
            afterModifierWord = ModifierBit(token) != 0;
            length = 0;
        } else if (length < TOKEN_LIMIT) {
            token[length++] = value[at];
        }
    }
    return at;
}

HotkeyPairResult ParseHotkeyPair(KeySet set, const char16_t* value, HotkeyPair& pair) {
    pair.rejectedName = nullptr;
    if (value == nullptr || value[0] == u'\0') return HotkeyPairResult::MissingName;

    // The first name is cut to its buffer; the second starts after the
    // separator and runs to the end, further separators included.
    const std::size_t firstLength = FirstNameLengthInPair(value);
    if (firstLength == 0) return HotkeyPairResult::MissingName;
    const std::size_t kept = firstLength < TOKEN_LIMIT ? firstLength : TOKEN_LIMIT;
    for (std::size_t i = 0; i < kept; ++i) pair.firstName[i] = value[i];
    pair.firstName[kept] = u'\0';

    KeyCode first = NO_HOTKEY;
    HotkeyPairResult result = ParsePairName(set, pair.firstName, first);
    if (result != HotkeyPairResult::Parsed) {
        pair.rejectedName = pair.firstName;
        return result;
    }

    KeyCode second = NO_HOTKEY;
    if (value[firstLength] != u'\0') {
        const char16_t* secondName = value + firstLength + 1;
        if (*secondName == u'\0') return HotkeyPairResult::MissingName;
        result = ParsePairName(set, secondName, second);
        if (result != HotkeyPairResult::Parsed) {
            pair.rejectedName = secondName;
            return result;
        }
    }

    if (second == first) second = NO_HOTKEY;  // a key given twice counts once
    if (first == NO_HOTKEY) {
        first = second;
        second = NO_HOTKEY;
    }
    pair.first = first;
    pair.second = second;
    return HotkeyPairResult::Parsed;
}

void FormatHotkeyName(KeySet set, KeyCode code, char16_t* out) {
    if (out == nullptr) return;

    // The markers stand in cells, but no key has them.
    const CellPlace place = IsKeyTableMarker(code) ? NoPlace : LastCellHolding(set, code);
    if (place.row < 0) {
        CopyBounded(out, NAME_UNITS, u"(unknown)");
        return;
    }
    CopyBounded(out, NAME_UNITS, ModifierPrefixes[place.column]);
    AppendBounded(out, NAME_UNITS, KeyRowName(set, place.row));
}

void FormatKeyRowHotkeys(KeySet set, int row, char16_t* out) {
    out[0] = u'\0';
    for (int column = 0; column < KeyColumnCount(set); ++column) {
        if (KeyCell(set, row, column) <= 0) continue;  // KEY_UNUSABLE or KEY_NOT_ALLOWED
        if (out[0] != u'\0') AppendBounded(out, NAME_UNITS, u" \u00B7 ");
        AppendBounded(out, NAME_UNITS, ModifierPrefixes[column]);
        AppendBounded(out, NAME_UNITS, KeyRowName(set, row));
    }
}

}  // namespace tolvek
