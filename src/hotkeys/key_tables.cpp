#include "hotkeys/key_tables.h"

#include <cstddef>

namespace tolvek {

namespace {

// The codes of one key in all seven columns. A legacy row takes the first
// six; rules that differ between the sets say so.
using Codes = std::array<KeyCode, KEY_COLUMN_COUNT>;

// The two cells that hold no key code, named short so that each row below
// stays one line: XX is KEY_UNUSABLE, NA is KEY_NOT_ALLOWED.
constexpr KeyCode XX = KEY_UNUSABLE;
constexpr KeyCode NA = KEY_NOT_ALLOWED;

// A short generated name ("F12", "A", "0") with room for its terminator.
struct ShortName {
    char16_t units[4];
};

// ---------------------------------------------------------------------------
// Rows that follow a rule (the same in both sets but where noted).

constexpr int FUNCTION_KEYS = 12;
constexpr int LETTER_KEYS = 26;
constexpr int DIGIT_KEYS = 10;

// "F1" to "F10" count n from 0; "F11" and "F12" have their own code block.
constexpr Codes FunctionKeyCodes(int number) {
    if (number <= 10) {
        const int n = number - 1;
        return {0x1003B + n, 0x10054 + n, 0x1005E + n, 0x10068 + n, 0x30054 + n, 0x5005E + n, 0x7005E + n};
    }
    const int n = number - 11;
    return {0x10085 + n, 0x10087 + n, 0x10089 + n, 0x1008B + n, 0x30087 + n, 0x50089 + n, 0x70089 + n};
}

constexpr ShortName FunctionKeyName(int number) {
    if (number < 10) return {{u'F', static_cast<char16_t>(u'0' + number), u'\0', u'\0'}};
    return {{u'F', u'1', static_cast<char16_t>(u'0' + number - 10), u'\0'}};
}

// PC keyboard scan codes of the letters A to Z.
// clang-format off
constexpr KeyCode LetterScanCodes[LETTER_KEYS] = {
    0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,  // A-M
    0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C,  // N-Z
};
// clang-format on

// Ctrl gives the control character k (1 for A), Alt the scan code s in the
// extended block. Ctrl-C, Ctrl-S and Ctrl-Shift-I are taken by the host, and
// so is Ctrl-M (Enter) in the legacy set.
constexpr Codes LetterCodes(char16_t letter, bool extended) {
    const KeyCode k = letter - u'A' + 1;
    const KeyCode s = LetterScanCodes[k - 1];
    Codes codes = {NA, NA, k, 0x10000 + s, 0x20000 + k, 0x50000 + s, 0x70000 + s};
    if (letter == u'C' || letter == u'S') {
        codes[COLUMN_CTRL] = KEY_UNUSABLE;
        codes[COLUMN_CTRL_SHIFT] = KEY_UNUSABLE;
    }
    if (letter == u'I') codes[COLUMN_CTRL_SHIFT] = KEY_UNUSABLE;
    if (letter == u'M' && !extended) codes[COLUMN_CTRL] = KEY_UNUSABLE;
    return codes;
}

// "1" to "9" count n from 0, "0" is n = 9. The legacy set knows only Alt.
constexpr Codes DigitCodes(int n, bool extended) {
    if (extended) return {NA, NA, 0xE2 + n, 0x100E2 + n, 0x200E2 + n, 0x500E2 + n, 0x700E2 + n};
    return {NA, NA, XX, 0x100E2 + n, XX, XX, /* no such column */ 0};
}

constexpr char16_t DigitOf(int n) {
    return n == 9 ? u'0' : static_cast<char16_t>(u'1' + n);
}

// ---------------------------------------------------------------------------
// Irregular rows, as literal data.

// Navigation keys, the same in both sets; the legacy set drops the last
// column. Ctrl+Shift of Left and Right is 0x300CC/0x300CD, not Shift + 0x20000.
// clang-format off
constexpr std::array<ExtendedKeyRow, 10> NavigationKeys = {{
    //  name        none     Shift    Ctrl     Alt      Ctrl+Shift Ctrl+Alt Ctrl+Alt+Shift
    {u"Home",  {0x10047, 0x100CA, 0x10077, XX,      0x300CA, 0x50077, 0x70077}},
    {u"End",   {0x1004F, 0x100CB, 0x10075, XX,      0x300CB, 0x50075, 0x70075}},
    {u"PgUp",  {0x10049, XX,      0x10084, XX,      0x30049, 0x50084, 0x70084}},
    {u"PgDn",  {0x10051, XX,      0x10076, XX,      0x30051, 0x50076, 0x70076}},
    {u"Ins",   {0x10052, XX,      XX,      XX,      0x30052, 0x50092, 0x70092}},
    {u"Del",   {0x10053, XX,      0x10093, XX,      0x30053, XX,      0x70093}},
    {u"Up",    {0x10048, XX,      0x1008D, XX,      0x30048, 0x5008D, 0x7008D}},
    {u"Down",  {0x10050, XX,      0x10091, XX,      0x30050, 0x50091, 0x70091}},
    {u"Left",  {0x1004B, 0x100C8, 0x10073, 0x100F4, 0x300CC, 0x50073, 0x70073}},
    {u"Right", {0x1004D, 0x100C9, 0x10074, 0x100F6, 0x300CD, 0x50074, 0x70074}},
}};
// clang-format on

// Legacy rows 59 to 74.
// clang-format off
constexpr std::array<LegacyKeyRow, 16> LegacyRemainingKeys = {{
    //  name       none Shift Ctrl     Alt      Ctrl+Shift Ctrl+Alt
    {u"BkSp",  {NA, XX, 0x7F,    0x1000E, 0x3000E, 0x5000E}},
    {u"Grave", {NA, NA, XX,      0x10029, 0x30029, 0x50029}},
    {u"-",     {NA, NA, XX,      0x10082, XX,      XX}},
    {u"=",     {NA, NA, XX,      0x10083, XX,      XX}},
    {u"[",     {NA, NA, XX,      0x1001A, XX,      0x5001A}},
    {u"]",     {NA, NA, XX,      0x1001B, XX,      0x5001B}},
    {u"\\",    {NA, NA, 0x1C,    0x1002B, XX,      0x5002B}},
    {u";",     {NA, NA, XX,      0x10027, XX,      0x50027}},
    {u"'",     {NA, NA, XX,      0x10028, XX,      0x50028}},
    {u",",     {NA, NA, XX,      0x10033, XX,      0x50033}},
    {u".",     {NA, NA, XX,      0x10034, XX,      0x50034}},
    {u"/",     {NA, NA, XX,      0x10035, XX,      0x50035}},
    {u"Num/",  {NA, NA, XX,      XX,      0x30035, XX}},
    {u"Num*",  {NA, NA, 0x10037, 0x1002A, 0x30037, 0x50037}},
    {u"Num-",  {NA, NA, 0x1004A, NA,      0x3004A, 0x5004A}},
    {u"Num+",  {NA, NA, 0x1004E, NA,      0x3004E, 0x5004E}},
}};
// clang-format on

// Extended rows 59 to 72. Alt+Plus is the legacy Alt+"=" code 0x10083, and
// Ctrl+Shift of Divide, ";", "'", "," and Decimal lacks the 0x800 bit.
// clang-format off
constexpr std::array<ExtendedKeyRow, 14> ExtendedRemainingKeys = {{
    //  name           none Shift  Ctrl     Alt      Ctrl+Shift Ctrl+Alt Ctrl+Alt+Shift
    {u"Backspace", {NA, 0x87F, 0x7F,    0x1000E, 0x3000E, 0x5000E, 0x7000E}},
    {u"`",         {NA, NA,    0x860,   0x10860, 0x20860, 0x50860, 0x70860}},
    {u"Minus",     {NA, NA,    0x8BD,   0x108BD, 0x208BD, 0x508BD, 0x708BD}},
    {u"Plus",      {NA, NA,    0x8BB,   0x10083, 0x208BB, 0x508BB, 0x708BB}},
    {u"Enter",     {NA, 0x80D, 0xC0D,   XX,      0x2080D, 0x5080D, 0x7080D}},
    {u"[",         {NA, NA,    0x8DB,   0x1001A, 0x208DB, 0x5001A, 0x7001A}},
    {u"]",         {NA, NA,    0x8DD,   0x1001B, 0x208DD, 0x5001B, 0x7001B}},
    {u"\\",        {NA, NA,    0x8DC,   0x1002B, 0x208DC, 0x5002B, 0x7002B}},
    {u"Divide",    {NA, NA,    0x835,   0x10035, 0x20035, 0x50035, 0x70035}},
    {u"*",         {NA, NA,    0x10037, 0x1002A, 0x30037, 0x50037, 0x70037}},
    {u";",         {NA, NA,    0x827,   0x10027, 0x20027, 0x50027, 0x70027}},
    {u"'",         {NA, NA,    0x828,   0x10028, 0x20028, 0x50028, 0x70028}},
    {u",",         {NA, NA,    0x833,   0x10033, 0x20033, 0x50033, 0x70033}},
    {u"Decimal",   {NA, NA,    0x834,   0x10034, 0x20034, 0x50034, 0x70034}},
}};
// clang-format on

// ---------------------------------------------------------------------------
// Assembly in the fixed row order: F1-F12, navigation, A-Z, 1-9 and 0, then
// the set's remaining rows.

constexpr int RULE_AND_NAVIGATION_ROWS =
    FUNCTION_KEYS + static_cast<int>(NavigationKeys.size()) + LETTER_KEYS + DIGIT_KEYS;
static_assert(RULE_AND_NAVIGATION_ROWS + LegacyRemainingKeys.size() == LEGACY_KEY_ROWS);
static_assert(RULE_AND_NAVIGATION_ROWS + ExtendedRemainingKeys.size() == EXTENDED_KEY_ROWS);

constexpr bool NameFits(const char16_t* name, int units) {
    int length = 0;
    while (name[length] != u'\0') ++length;
    return length < units;
}

constexpr bool NavigationNamesFitLegacyRows() {
    for (const ExtendedKeyRow& row : NavigationKeys) {
        if (!NameFits(row.name, LEGACY_NAME_UNITS)) return false;
    }
    return true;
}
static_assert(NavigationNamesFitLegacyRows());

template <class Row>
constexpr Row MakeRow(const char16_t* name, const KeyCode* codes) {
    Row row{};
    for (std::size_t i = 0; i + 1 < std::size(row.name) && name[i] != u'\0'; ++i) row.name[i] = name[i];
    for (std::size_t column = 0; column < std::size(row.codes); ++column) row.codes[column] = codes[column];
    return row;
}

template <class Row, std::size_t Rows, std::size_t Remaining>
constexpr std::array<Row, Rows> BuildKeyTable(bool extended, const std::array<Row, Remaining>& remaining) {
    std::array<Row, Rows> table{};
    std::size_t at = 0;
    for (int number = 1; number <= FUNCTION_KEYS; ++number) {
        table[at++] = MakeRow<Row>(FunctionKeyName(number).units, FunctionKeyCodes(number).data());
    }
    for (const ExtendedKeyRow& key : NavigationKeys) {
        table[at++] = MakeRow<Row>(key.name, key.codes);
    }
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        const ShortName name = {{letter, u'\0'}};
        table[at++] = MakeRow<Row>(name.units, LetterCodes(letter, extended).data());
    }
    for (int n = 0; n < DIGIT_KEYS; ++n) {
        const ShortName name = {{DigitOf(n), u'\0'}};
        table[at++] = MakeRow<Row>(name.units, DigitCodes(n, extended).data());
    }
    for (const Row& row : remaining) table[at++] = row;
    return table;
}

}  // namespace

constinit const std::array<LegacyKeyRow, LEGACY_KEY_ROWS> LegacyKeyTable =
    BuildKeyTable<LegacyKeyRow, LEGACY_KEY_ROWS>(false, LegacyRemainingKeys);

constinit const std::array<ExtendedKeyRow, EXTENDED_KEY_ROWS> ExtendedKeyTable =
    BuildKeyTable<ExtendedKeyRow, EXTENDED_KEY_ROWS>(true, ExtendedRemainingKeys);

// clang-format off
constinit const std::array<LegacyKeyAlias, LEGACY_ALIAS_ROWS> LegacyKeyAliases = {{
    //  alias           table name
    {u"PageUp",     u"PgUp"},
    {u"PageDown",   u"PgDn"},
    {u"Insert",     u"Ins"},
    {u"Delete",     u"Del"},
    {u"Backspace",  u"BkSp"},
    {u"Backquote",  u"Grave"},
    {u"Minus",      u"-"},
    {u"Equals",     u"="},
    {u"Backslash",  u"\\"},
    {u"Semicolon",  u";"},
    {u"Semi",       u";"},
    {u"Apostrophe", u"'"},
    {u"Apos",       u"'"},
    {u"Comma",      u","},
    {u"Period",     u"."},
    {u"Dot",        u"."},
    {u"Slash",      u"/"},
}};
// clang-format on

// The one-character aliases U+00BD, U+00DB, U+00DD and U+00DC are the keys'
// Windows virtual-key codes (VK_OEM_MINUS, VK_OEM_4, VK_OEM_6, VK_OEM_5).
// clang-format off
constinit const std::array<ExtendedKeyAlias, EXTENDED_ALIAS_ROWS> ExtendedKeyAliases = {{
    //  alias           table name
    {u"PageUp",     u"PgUp"},
    {u"PageDown",   u"PgDn"},
    {u"Insert",     u"Ins"},
    {u"Delete",     u"Del"},
    {u"BkSp",       u"Backspace"},
    {u"Grave",      u"`"},
    {u"-",          u"Minus"},
    {u"\u00BD",     u"Minus"},
    {u"+",          u"Plus"},
    {u"Equals",     u"Plus"},
    {u"=",          u"Plus"},
    {u"Backslash",  u"\\"},
    {u"\u00DB",     u"["},
    {u"\u00DD",     u"]"},
    {u"\u00DC",     u"\\"},
    {u"/",          u"Divide"},
    {u"Multiply",   u"*"},
    {u"Semicolon",  u";"},
    {u"Semi",       u";"},
    {u"Apostrophe", u"'"},
    {u"Apos",       u"'"},
    {u"Comma",      u","},
    {u".",          u"Decimal"},
    {u"Period",     u"Decimal"},
    {u"Dot",        u"Decimal"},
}};
// clang-format on

constinit const char16_t ModifierPrefixes[KEY_COLUMN_COUNT][PREFIX_UNITS] = {
    u"", u"Shift-", u"Ctrl-", u"Alt-", u"Ctrl-Shift-", u"Ctrl-Alt-", u"Ctrl-Alt-Shift-",
};

int KeyRowCount(KeySet set) {
    return set.extended ? EXTENDED_KEY_ROWS : LEGACY_KEY_ROWS;
}

int KeyColumnCount(KeySet set) {
    return set.extended ? EXTENDED_KEY_COLUMNS : LEGACY_KEY_COLUMNS;
}

int KeyAliasCount(KeySet set) {
    return set.extended ? EXTENDED_ALIAS_ROWS : LEGACY_ALIAS_ROWS;
}

const char16_t* KeyRowName(KeySet set, int row) {
    return set.extended ? ExtendedKeyTable[row].name : LegacyKeyTable[row].name;
}

KeyCode KeyCell(KeySet set, int row, int column) {
    return set.extended ? ExtendedKeyTable[row].codes[column] : LegacyKeyTable[row].codes[column];
}

const char16_t* KeyAliasName(KeySet set, int alias) {
    return set.extended ? ExtendedKeyAliases[alias].alias : LegacyKeyAliases[alias].alias;
}

const char16_t* KeyAliasTarget(KeySet set, int alias) {
    return set.extended ? ExtendedKeyAliases[alias].name : LegacyKeyAliases[alias].name;
}

}  // namespace tolvek
