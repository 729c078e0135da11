#include "hotkeys/hotkey_names.h"

#include "hotkeys/key_tables.h"
#include "text/text.h"

namespace tolvek {

namespace {

constexpr std::size_t NAME_UNITS = HOTKEY_NAME_UNITS;  // the buffers a name is formatted into

// A token's buffer. A longer token is cut to TOKEN_UNITS - 1 units, far
// more than any modifier word, key name or alias has, so it names nothing.
constexpr std::size_t TOKEN_UNITS = 1024;

// A limit for reading a name that stops only at its terminator.
constexpr std::size_t WHOLE_NAME = static_cast<std::size_t>(-1);

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

bool IsPairSeparator(char16_t unit) {
    return unit == u',' || unit == u';';
}

// A name as read token by token. It splits at each "-" that ends a
// non-empty token: every such token is a modifier word, and what follows
// the last one is the key name. A "-" that starts a token is part of it,
// so "Alt--" names the key "-", and so is the name's last unit, so
// "Ctrl-Num-" names the key "Num-".
struct NameTokens {
    std::size_t length;         // units read
    int modifiers;              // the bits of the modifier words
    bool unknownWord;           // a token before a "-" names no modifier
    char16_t key[TOKEN_UNITS];  // the last token, the key name
};

// Reads `text` up to its terminator or `limit` units into `name`; with
// `toPairSeparator`, only up to the first "," or ";" that separates a pair
// (FirstNameLengthInPair).
void ReadName(const char16_t* text, std::size_t limit, bool toPairSeparator, NameTokens& name) {
    name.modifiers = 0;
    name.unknownWord = false;
    std::size_t tokenLength = 0;
    bool afterModifierWord = false;  // the unit before is a "-" ending a modifier word
    std::size_t at = 0;
    for (; at < limit && text[at] != u'\0'; ++at) {
        if (toPairSeparator && IsPairSeparator(text[at]) && !afterModifierWord) break;
        afterModifierWord = false;
        const bool lastUnit = at + 1 == limit || text[at + 1] == u'\0';
        if (text[at] == u'-' && tokenLength > 0 && !lastUnit) {
            name.key[tokenLength] = u'\0';
            const int bit = ModifierBit(name.key);
            name.modifiers |= bit;
            name.unknownWord = name.unknownWord || bit == 0;
            afterModifierWord = bit != 0;
            tokenLength = 0;
        } else if (tokenLength < TOKEN_UNITS - 1) {
            name.key[tokenLength++] = text[at];
        }
    }
    name.key[tokenLength] = u'\0';
    name.length = at;
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
            CopyBounded(token, TOKEN_UNITS, KeyAliasTarget(set, alias));
        }
    }
}

// The cell a name read into `name` names, as ParseHotkeyName says.
KeyCode CellNamed(KeySet set, NameTokens& name) {
    if (name.unknownWord || name.key[0] == u'\0') return 0;
    const int column = ColumnOf(name.modifiers, set);
    if (column == NO_COLUMN) return 0;

    ResolveAliases(set, name.key);
    KeyCode cell = 0;
    for (int row = 0; row < KeyRowCount(set); ++row) {
        if (EqualsIgnoringAsciiCase(name.key, KeyRowName(set, row))) cell = KeyCell(set, row, column);
    }
    return cell;
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

// Parses one name of a pair, `length` units at `name`, into `code`:
// NO_HOTKEY for "NONE" (one token, so the whole name), else the name's
// cell. Parsed when that is a usable hotkey or NONE.
[[nodiscard]] HotkeyPairResult ParsePairName(KeySet set, const char16_t* name, std::size_t length, KeyCode& code) {
    NameTokens read;
    ReadName(name, length, false, read);
    const bool none = read.modifiers == 0 && !read.unknownWord && EqualsIgnoringAsciiCase(read.key, u"NONE");
    code = none ? NO_HOTKEY : CellNamed(set, read);
    if (code > 0 || code == NO_HOTKEY) return HotkeyPairResult::Parsed;
    switch (code) {
    case KEY_UNUSABLE: return HotkeyPairResult::UnusableKey;
    case KEY_NOT_ALLOWED: return HotkeyPairResult::KeyNotAllowed;
    default: return HotkeyPairResult::UnknownName;
    }
}

// A value refused with `result`, because of its name of `length` units at
// `start`.
HotkeyPair Rejected(HotkeyPairResult result, std::size_t start, std::size_t length) {
    return {result, NO_HOTKEY, NO_HOTKEY, start, length};
}

}  // namespace

KeyCode ParseHotkeyName(KeySet set, const char16_t* name) {
    if (name == nullptr) return 0;
    NameTokens read;
    ReadName(name, WHOLE_NAME, false, read);
    return CellNamed(set, read);
}

std::size_t FirstNameLengthInPair(const char16_t* value) {
    NameTokens read;
    ReadName(value, WHOLE_NAME, true, read);
    return read.length;
}

HotkeyPair ParseHotkeyPair(KeySet set, const char16_t* value) {
    constexpr HotkeyPair NoName{HotkeyPairResult::MissingName};
    if (value == nullptr || value[0] == u'\0') return NoName;

    // The first name is cut to its limit; the second starts after the
    // separator and runs to the end, further separators included.
    const std::size_t firstLength = FirstNameLengthInPair(value);
    if (firstLength == 0) return NoName;
    const std::size_t firstKept = firstLength < FIRST_NAME_LIMIT ? firstLength : FIRST_NAME_LIMIT;
    KeyCode first = NO_HOTKEY;
    HotkeyPairResult result = ParsePairName(set, value, firstKept, first);
    if (result != HotkeyPairResult::Parsed) return Rejected(result, 0, firstKept);

    KeyCode second = NO_HOTKEY;
    if (value[firstLength] != u'\0') {
        const std::size_t secondStart = firstLength + 1;
        const std::size_t secondLength = TextLength(value + secondStart);
        if (secondLength == 0) return NoName;
        result = ParsePairName(set, value + secondStart, secondLength, second);
        if (result != HotkeyPairResult::Parsed) return Rejected(result, secondStart, secondLength);
    }

    if (second == first) second = NO_HOTKEY;  // a key given twice counts once
    if (first == NO_HOTKEY) {
        first = second;
        second = NO_HOTKEY;
    }
    return {HotkeyPairResult::Parsed, first, second};
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
