// The stand-in host's keyboard: every cell of both key numberings reached
// from a console key press and from a script's key name.
#include <gtest/gtest.h>

#include <string>

#include "key_translation.h"

namespace {

using namespace standin;

struct TableRow {
    const char16_t* name;
    int virtualKey;
    KeyCode codes[7];  // none, Shift, Ctrl, Alt, Ctrl+Shift, Ctrl+Alt, Ctrl+Alt+Shift
};

const char16_t* const PREFIXES[7] = {
    u"", u"Shift-", u"Ctrl-", u"Alt-", u"Ctrl-Shift-", u"Ctrl-Alt-", u"Ctrl-Alt-Shift-",
};

struct Modifiers {
    bool shift, ctrl, alt;
};
const Modifiers COLUMN_MODIFIERS[7] = {
    {false, false, false}, {true, false, false}, {false, true, false}, {false, false, true},
    {true, true, false},   {false, true, true},  {true, true, true},
};

// A character no key of the tables types, to see where it is passed on.
constexpr char16_t TYPED = u'\u2603';

const TableRow EXTENDED_TABLE[] = {
    {u"F1", 0x70, {0x1003B, 0x10054, 0x1005E, 0x10068, 0x30054, 0x5005E, 0x7005E}},
    {u"F2", 0x71, {0x1003C, 0x10055, 0x1005F, 0x10069, 0x30055, 0x5005F, 0x7005F}},
    {u"F3", 0x72, {0x1003D, 0x10056, 0x10060, 0x1006A, 0x30056, 0x50060, 0x70060}},
    {u"F4", 0x73, {0x1003E, 0x10057, 0x10061, 0x1006B, 0x30057, 0x50061, 0x70061}},
    {u"F5", 0x74, {0x1003F, 0x10058, 0x10062, 0x1006C, 0x30058, 0x50062, 0x70062}},
    {u"F6", 0x75, {0x10040, 0x10059, 0x10063, 0x1006D, 0x30059, 0x50063, 0x70063}},
    {u"F7", 0x76, {0x10041, 0x1005A, 0x10064, 0x1006E, 0x3005A, 0x50064, 0x70064}},
    {u"F8", 0x77, {0x10042, 0x1005B, 0x10065, 0x1006F, 0x3005B, 0x50065, 0x70065}},
    {u"F9", 0x78, {0x10043, 0x1005C, 0x10066, 0x10070, 0x3005C, 0x50066, 0x70066}},
    {u"F10", 0x79, {0x10044, 0x1005D, 0x10067, 0x10071, 0x3005D, 0x50067, 0x70067}},
    {u"F11", 0x7A, {0x10085, 0x10087, 0x10089, 0x1008B, 0x30087, 0x50089, 0x70089}},
    {u"F12", 0x7B, {0x10086, 0x10088, 0x1008A, 0x1008C, 0x30088, 0x5008A, 0x7008A}},
    {u"Home", VK_HOME_KEY, {0x10047, 0x100CA, 0x10077, -1, 0x300CA, 0x50077, 0x70077}},
    {u"End", VK_END_KEY, {0x1004F, 0x100CB, 0x10075, -1, 0x300CB, 0x50075, 0x70075}},
    {u"PgUp", VK_PRIOR_KEY, {0x10049, -1, 0x10084, -1, 0x30049, 0x50084, 0x70084}},
    {u"PgDn", VK_NEXT_KEY, {0x10051, -1, 0x10076, -1, 0x30051, 0x50076, 0x70076}},
    {u"Ins", VK_INSERT_KEY, {0x10052, -1, -1, -1, 0x30052, 0x50092, 0x70092}},
    {u"Del", VK_DELETE_KEY, {0x10053, -1, 0x10093, -1, 0x30053, -1, 0x70093}},
    {u"Up", VK_UP_KEY, {0x10048, -1, 0x1008D, -1, 0x30048, 0x5008D, 0x7008D}},
    {u"Down", VK_DOWN_KEY, {0x10050, -1, 0x10091, -1, 0x30050, 0x50091, 0x70091}},
    {u"Left", VK_LEFT_KEY, {0x1004B, 0x100C8, 0x10073, 0x100F4, 0x300CC, 0x50073, 0x70073}},
    {u"Right", VK_RIGHT_KEY, {0x1004D, 0x100C9, 0x10074, 0x100F6, 0x300CD, 0x50074, 0x70074}},
    {u"A", 'A', {-2, -2, 1, 0x1001E, 0x20001, 0x5001E, 0x7001E}},
    {u"B", 'B', {-2, -2, 2, 0x10030, 0x20002, 0x50030, 0x70030}},
    {u"C", 'C', {-2, -2, -1, 0x1002E, -1, 0x5002E, 0x7002E}},
    {u"D", 'D', {-2, -2, 4, 0x10020, 0x20004, 0x50020, 0x70020}},
    {u"E", 'E', {-2, -2, 5, 0x10012, 0x20005, 0x50012, 0x70012}},
    {u"F", 'F', {-2, -2, 6, 0x10021, 0x20006, 0x50021, 0x70021}},
    {u"G", 'G', {-2, -2, 7, 0x10022, 0x20007, 0x50022, 0x70022}},
    {u"H", 'H', {-2, -2, 8, 0x10023, 0x20008, 0x50023, 0x70023}},
    {u"I", 'I', {-2, -2, 9, 0x10017, -1, 0x50017, 0x70017}},
    {u"J", 'J', {-2, -2, 10, 0x10024, 0x2000A, 0x50024, 0x70024}},
    {u"K", 'K', {-2, -2, 11, 0x10025, 0x2000B, 0x50025, 0x70025}},
    {u"L", 'L', {-2, -2, 12, 0x10026, 0x2000C, 0x50026, 0x70026}},
    {u"M", 'M', {-2, -2, 13, 0x10032, 0x2000D, 0x50032, 0x70032}},
    {u"N", 'N', {-2, -2, 14, 0x10031, 0x2000E, 0x50031, 0x70031}},
    {u"O", 'O', {-2, -2, 15, 0x10018, 0x2000F, 0x50018, 0x70018}},
    {u"P", 'P', {-2, -2, 16, 0x10019, 0x20010, 0x50019, 0x70019}},
    {u"Q", 'Q', {-2, -2, 17, 0x10010, 0x20011, 0x50010, 0x70010}},
    {u"R", 'R', {-2, -2, 18, 0x10013, 0x20012, 0x50013, 0x70013}},
    {u"S", 'S', {-2, -2, -1, 0x1001F, -1, 0x5001F, 0x7001F}},
    {u"T", 'T', {-2, -2, 20, 0x10014, 0x20014, 0x50014, 0x70014}},
    {u"U", 'U', {-2, -2, 21, 0x10016, 0x20015, 0x50016, 0x70016}},
    {u"V", 'V', {-2, -2, 22, 0x1002F, 0x20016, 0x5002F, 0x7002F}},
    {u"W", 'W', {-2, -2, 23, 0x10011, 0x20017, 0x50011, 0x70011}},
    {u"X", 'X', {-2, -2, 24, 0x1002D, 0x20018, 0x5002D, 0x7002D}},
    {u"Y", 'Y', {-2, -2, 25, 0x10015, 0x20019, 0x50015, 0x70015}},
    {u"Z", 'Z', {-2, -2, 26, 0x1002C, 0x2001A, 0x5002C, 0x7002C}},
    {u"1", '1', {-2, -2, 226, 0x100E2, 0x200E2, 0x500E2, 0x700E2}},
    {u"2", '2', {-2, -2, 227, 0x100E3, 0x200E3, 0x500E3, 0x700E3}},
    {u"3", '3', {-2, -2, 228, 0x100E4, 0x200E4, 0x500E4, 0x700E4}},
    {u"4", '4', {-2, -2, 229, 0x100E5, 0x200E5, 0x500E5, 0x700E5}},
    {u"5", '5', {-2, -2, 230, 0x100E6, 0x200E6, 0x500E6, 0x700E6}},
    {u"6", '6', {-2, -2, 231, 0x100E7, 0x200E7, 0x500E7, 0x700E7}},
    {u"7", '7', {-2, -2, 232, 0x100E8, 0x200E8, 0x500E8, 0x700E8}},
    {u"8", '8', {-2, -2, 233, 0x100E9, 0x200E9, 0x500E9, 0x700E9}},
    {u"9", '9', {-2, -2, 234, 0x100EA, 0x200EA, 0x500EA, 0x700EA}},
    {u"0", '0', {-2, -2, 235, 0x100EB, 0x200EB, 0x500EB, 0x700EB}},
    {u"Backspace", VK_BACK_KEY, {-2, 0x87F, 127, 0x1000E, 0x3000E, 0x5000E, 0x7000E}},
    {u"`", VK_OEM_3_KEY, {-2, -2, 0x860, 0x10860, 0x20860, 0x50860, 0x70860}},
    {u"Minus", VK_OEM_MINUS_KEY, {-2, -2, 0x8BD, 0x108BD, 0x208BD, 0x508BD, 0x708BD}},
    {u"Plus", VK_OEM_PLUS_KEY, {-2, -2, 0x8BB, 0x10083, 0x208BB, 0x508BB, 0x708BB}},
    {u"Enter", VK_RETURN_KEY, {-2, 0x80D, 0xC0D, -1, 0x2080D, 0x5080D, 0x7080D}},
    {u"[", VK_OEM_4_KEY, {-2, -2, 0x8DB, 0x1001A, 0x208DB, 0x5001A, 0x7001A}},
    {u"]", VK_OEM_6_KEY, {-2, -2, 0x8DD, 0x1001B, 0x208DD, 0x5001B, 0x7001B}},
    {u"\\", VK_OEM_5_KEY, {-2, -2, 0x8DC, 0x1002B, 0x208DC, 0x5002B, 0x7002B}},
    {u"Divide", VK_OEM_2_KEY, {-2, -2, 0x835, 0x10035, 0x20035, 0x50035, 0x70035}},
    {u"*", VK_MULTIPLY_KEY, {-2, -2, 0x10037, 0x1002A, 0x30037, 0x50037, 0x70037}},
    {u";", VK_OEM_1_KEY, {-2, -2, 0x827, 0x10027, 0x20027, 0x50027, 0x70027}},
    {u"'", VK_OEM_7_KEY, {-2, -2, 0x828, 0x10028, 0x20028, 0x50028, 0x70028}},
    {u",", VK_OEM_COMMA_KEY, {-2, -2, 0x833, 0x10033, 0x20033, 0x50033, 0x70033}},
    {u"Decimal", VK_OEM_PERIOD_KEY, {-2, -2, 0x834, 0x10034, 0x20034, 0x50034, 0x70034}},
};
const TableRow LEGACY_TABLE[] = {
    {u"F1", 0x70, {0x1003B, 0x10054, 0x1005E, 0x10068, 0x30054, 0x5005E}},
    {u"F2", 0x71, {0x1003C, 0x10055, 0x1005F, 0x10069, 0x30055, 0x5005F}},
    {u"F3", 0x72, {0x1003D, 0x10056, 0x10060, 0x1006A, 0x30056, 0x50060}},
    {u"F4", 0x73, {0x1003E, 0x10057, 0x10061, 0x1006B, 0x30057, 0x50061}},
    {u"F5", 0x74, {0x1003F, 0x10058, 0x10062, 0x1006C, 0x30058, 0x50062}},
    {u"F6", 0x75, {0x10040, 0x10059, 0x10063, 0x1006D, 0x30059, 0x50063}},
    {u"F7", 0x76, {0x10041, 0x1005A, 0x10064, 0x1006E, 0x3005A, 0x50064}},
    {u"F8", 0x77, {0x10042, 0x1005B, 0x10065, 0x1006F, 0x3005B, 0x50065}},
    {u"F9", 0x78, {0x10043, 0x1005C, 0x10066, 0x10070, 0x3005C, 0x50066}},
    {u"F10", 0x79, {0x10044, 0x1005D, 0x10067, 0x10071, 0x3005D, 0x50067}},
    {u"F11", 0x7A, {0x10085, 0x10087, 0x10089, 0x1008B, 0x30087, 0x50089}},
    {u"F12", 0x7B, {0x10086, 0x10088, 0x1008A, 0x1008C, 0x30088, 0x5008A}},
    {u"Home", VK_HOME_KEY, {0x10047, 0x100CA, 0x10077, -1, 0x300CA, 0x50077}},
    {u"End", VK_END_KEY, {0x1004F, 0x100CB, 0x10075, -1, 0x300CB, 0x50075}},
    {u"PgUp", VK_PRIOR_KEY, {0x10049, -1, 0x10084, -1, 0x30049, 0x50084}},
    {u"PgDn", VK_NEXT_KEY, {0x10051, -1, 0x10076, -1, 0x30051, 0x50076}},
    {u"Ins", VK_INSERT_KEY, {0x10052, -1, -1, -1, 0x30052, 0x50092}},
    {u"Del", VK_DELETE_KEY, {0x10053, -1, 0x10093, -1, 0x30053, -1}},
    {u"Up", VK_UP_KEY, {0x10048, -1, 0x1008D, -1, 0x30048, 0x5008D}},
    {u"Down", VK_DOWN_KEY, {0x10050, -1, 0x10091, -1, 0x30050, 0x50091}},
    {u"Left", VK_LEFT_KEY, {0x1004B, 0x100C8, 0x10073, 0x100F4, 0x300CC, 0x50073}},
    {u"Right", VK_RIGHT_KEY, {0x1004D, 0x100C9, 0x10074, 0x100F6, 0x300CD, 0x50074}},
    {u"A", 'A', {-2, -2, 1, 0x1001E, 0x20001, 0x5001E}},
    {u"B", 'B', {-2, -2, 2, 0x10030, 0x20002, 0x50030}},
    {u"C", 'C', {-2, -2, -1, 0x1002E, -1, 0x5002E}},
    {u"D", 'D', {-2, -2, 4, 0x10020, 0x20004, 0x50020}},
    {u"E", 'E', {-2, -2, 5, 0x10012, 0x20005, 0x50012}},
    {u"F", 'F', {-2, -2, 6, 0x10021, 0x20006, 0x50021}},
    {u"G", 'G', {-2, -2, 7, 0x10022, 0x20007, 0x50022}},
    {u"H", 'H', {-2, -2, 8, 0x10023, 0x20008, 0x50023}},
    {u"I", 'I', {-2, -2, 9, 0x10017, -1, 0x50017}},
    {u"J", 'J', {-2, -2, 10, 0x10024, 0x2000A, 0x50024}},
    {u"K", 'K', {-2, -2, 11, 0x10025, 0x2000B, 0x50025}},
    {u"L", 'L', {-2, -2, 12, 0x10026, 0x2000C, 0x50026}},
    {u"M", 'M', {-2, -2, -1, 0x10032, 0x2000D, 0x50032}},
    {u"N", 'N', {-2, -2, 14, 0x10031, 0x2000E, 0x50031}},
    {u"O", 'O', {-2, -2, 15, 0x10018, 0x2000F, 0x50018}},
    {u"P", 'P', {-2, -2, 16, 0x10019, 0x20010, 0x50019}},
    {u"Q", 'Q', {-2, -2, 17, 0x10010, 0x20011, 0x50010}},
    {u"R", 'R', {-2, -2, 18, 0x10013, 0x20012, 0x50013}},
    {u"S", 'S', {-2, -2, -1, 0x1001F, -1, 0x5001F}},
    {u"T", 'T', {-2, -2, 20, 0x10014, 0x20014, 0x50014}},
    {u"U", 'U', {-2, -2, 21, 0x10016, 0x20015, 0x50016}},
    {u"V", 'V', {-2, -2, 22, 0x1002F, 0x20016, 0x5002F}},
    {u"W", 'W', {-2, -2, 23, 0x10011, 0x20017, 0x50011}},
    {u"X", 'X', {-2, -2, 24, 0x1002D, 0x20018, 0x5002D}},
    {u"Y", 'Y', {-2, -2, 25, 0x10015, 0x20019, 0x50015}},
    {u"Z", 'Z', {-2, -2, 26, 0x1002C, 0x2001A, 0x5002C}},
    {u"1", '1', {-2, -2, -1, 0x100E2, -1, -1}},
    {u"2", '2', {-2, -2, -1, 0x100E3, -1, -1}},
    {u"3", '3', {-2, -2, -1, 0x100E4, -1, -1}},
    {u"4", '4', {-2, -2, -1, 0x100E5, -1, -1}},
    {u"5", '5', {-2, -2, -1, 0x100E6, -1, -1}},
    {u"6", '6', {-2, -2, -1, 0x100E7, -1, -1}},
    {u"7", '7', {-2, -2, -1, 0x100E8, -1, -1}},
    {u"8", '8', {-2, -2, -1, 0x100E9, -1, -1}},
    {u"9", '9', {-2, -2, -1, 0x100EA, -1, -1}},
    {u"0", '0', {-2, -2, -1, 0x100EB, -1, -1}},
    {u"BkSp", VK_BACK_KEY, {-2, -1, 127, 0x1000E, 0x3000E, 0x5000E}},
    {u"Grave", VK_OEM_3_KEY, {-2, -2, -1, 0x10029, 0x30029, 0x50029}},
    {u"-", VK_OEM_MINUS_KEY, {-2, -2, -1, 0x10082, -1, -1}},
    {u"=", VK_OEM_PLUS_KEY, {-2, -2, -1, 0x10083, -1, -1}},
    {u"[", VK_OEM_4_KEY, {-2, -2, -1, 0x1001A, -1, 0x5001A}},
    {u"]", VK_OEM_6_KEY, {-2, -2, -1, 0x1001B, -1, 0x5001B}},
    {u"\\", VK_OEM_5_KEY, {-2, -2, 28, 0x1002B, -1, 0x5002B}},
    {u";", VK_OEM_1_KEY, {-2, -2, -1, 0x10027, -1, 0x50027}},
    {u"'", VK_OEM_7_KEY, {-2, -2, -1, 0x10028, -1, 0x50028}},
    {u",", VK_OEM_COMMA_KEY, {-2, -2, -1, 0x10033, -1, 0x50033}},
    {u".", VK_OEM_PERIOD_KEY, {-2, -2, -1, 0x10034, -1, 0x50034}},
    {u"/", VK_OEM_2_KEY, {-2, -2, -1, 0x10035, -1, 0x50035}},
    {u"Num/", VK_DIVIDE_KEY, {-2, -2, -1, -1, 0x30035, -1}},
    {u"Num*", VK_MULTIPLY_KEY, {-2, -2, 0x10037, 0x1002A, 0x30037, 0x50037}},
    {u"Num-", VK_SUBTRACT_KEY, {-2, -2, 0x1004A, -2, 0x3004A, 0x5004A}},
    {u"Num+", VK_ADD_KEY, {-2, -2, 0x1004E, -2, 0x3004E, 0x5004E}},
};

std::string Narrow(const std::u16string& text) {
    std::string narrow;
    for (char16_t unit : text) narrow += unit < 0x80 ? static_cast<char>(unit) : '?';
    return narrow;
}

std::u16string Prefixed(int column, const char16_t* name) {
    return std::u16string(PREFIXES[column]) + name;
}

ConsoleKey PressOf(const TableRow& row, int column) {
    const Modifiers m = COLUMN_MODIFIERS[column];
    return {row.virtualKey, TYPED, m.shift, m.ctrl, m.alt};
}

// A usable cell is passed with its code and name; a cell of -1 or -2 passes
// the typed character on, still named.
void ExpectColumn(const TableRow& row, int column, bool extendedKeys) {
    SCOPED_TRACE(Narrow(Prefixed(column, row.name)));
    const HostKey key = TranslateKey(PressOf(row, column), extendedKeys);
    EXPECT_EQ(std::u16string(key.name), Prefixed(column, row.name));
    if (row.codes[column] > 0) {
        EXPECT_EQ(key.code, row.codes[column]);
        EXPECT_TRUE(key.fromTable);
    } else {
        EXPECT_EQ(key.code, TYPED);
        EXPECT_FALSE(key.fromTable);
    }
}

TEST(KeyTranslationTest, ExtendedNumberingGivesEveryCell) {
    ASSERT_EQ(std::size(EXTENDED_TABLE), 72u);
    for (const TableRow& row : EXTENDED_TABLE) {
        for (int column = 0; column < 7; ++column) ExpectColumn(row, column, true);
    }
}

TEST(KeyTranslationTest, LegacyNumberingGivesEveryCell) {
    ASSERT_EQ(std::size(LEGACY_TABLE), 74u);
    for (const TableRow& row : LEGACY_TABLE) {
        for (int column = 0; column < 6; ++column) ExpectColumn(row, column, false);
    }
}

// Alt+Shift has no column, nor has Ctrl+Alt+Shift in the legacy numbering:
// the plug-in adds no flag for Shift there, so the key goes by the code of
// the combination without Shift, unnamed.
TEST(KeyTranslationTest, CombinationsWithoutColumnGoByTheCodeWithoutShift) {
    struct Case {
        const TableRow* table;
        std::size_t rows;
        bool extendedKeys;
        bool ctrl;
        int column;  // whose code stands in
    };
    const Case cases[] = {
        {EXTENDED_TABLE, std::size(EXTENDED_TABLE), true, false, 3},
        {LEGACY_TABLE, std::size(LEGACY_TABLE), false, false, 3},
        {LEGACY_TABLE, std::size(LEGACY_TABLE), false, true, 5},
    };
    for (const Case& c : cases) {
        for (std::size_t i = 0; i < c.rows; ++i) {
            const TableRow& row = c.table[i];
            SCOPED_TRACE(Narrow(row.name) + (c.ctrl ? " with Ctrl+Alt+Shift" : " with Alt+Shift"));
            const HostKey key = TranslateKey({row.virtualKey, TYPED, true, c.ctrl, true}, c.extendedKeys);
            EXPECT_EQ(key.code, row.codes[c.column] > 0 ? row.codes[c.column] : TYPED);
            EXPECT_EQ(key.name[0], u'\0');
            EXPECT_FALSE(key.fromTable);
        }
    }
}

TEST(KeyTranslationTest, KeysWithoutRowPassTheirCharacterUnnamed) {
    struct Case {
        ConsoleKey key;
        bool extendedKeys;
        KeyCode code;
    };
    const Case cases[] = {
        {{VK_SPACE_KEY, u' ', false, false, false}, true, u' '},
        {{VK_TAB_KEY, 9, true, false, false}, true, 9},
        {{VK_ESCAPE_KEY, 27, false, false, false}, false, 27},
        {{0x60, u'0', false, false, false}, true, u'0'},        // keypad 0
        {{VK_SUBTRACT_KEY, u'-', false, true, false}, true, u'-'},  // keypad minus: legacy only
        {{VK_RETURN_KEY, 13, false, false, false}, false, 13},  // no Enter row in the legacy numbering
        {{0, u'\u00E9', false, false, false}, true, u'\u00E9'},
    };
    for (const Case& c : cases) {
        const HostKey key = TranslateKey(c.key, c.extendedKeys);
        EXPECT_EQ(key.code, c.code) << "virtual key " << c.key.virtualKey;
        EXPECT_EQ(key.name[0], u'\0');
    }
}

// Every cell can be pressed from a script by its table name and prefix.
TEST(KeyTranslationTest, ScriptNamesReachEveryUsableCell) {
    for (bool extendedKeys : {true, false}) {
        const TableRow* table = extendedKeys ? EXTENDED_TABLE : LEGACY_TABLE;
        const std::size_t rows = extendedKeys ? std::size(EXTENDED_TABLE) : std::size(LEGACY_TABLE);
        for (std::size_t i = 0; i < rows; ++i) {
            for (int column = 0; column < (extendedKeys ? 7 : 6); ++column) {
                if (table[i].codes[column] <= 0) continue;
                const std::u16string name = Prefixed(column, table[i].name);
                SCOPED_TRACE(Narrow(name));
                ConsoleKey key{};
                ASSERT_TRUE(ParseScriptKey(name.c_str(), &key));
                EXPECT_EQ(TranslateKey(key, extendedKeys).code, table[i].codes[column]);
            }
        }
    }
}

TEST(KeyTranslationTest, ScriptKeyNames) {
    struct Case {
        const char16_t* text;
        ConsoleKey key;
    };
    const Case cases[] = {
        {u"Ctrl-Shift-F5", {0x74, 0, true, true, false}},
        {u"shift-ctrl-f5", {0x74, 0, true, true, false}},
        {u"a-b", {'B', u'b', false, false, true}},
        {u"S-A", {'A', u'A', true, false, false}},
        {u"A", {'A', u'a', false, false, false}},
        {u"Ctrl-A", {'A', 1, false, true, false}},
        {u"Ctrl-Shift-C", {'C', 3, true, true, false}},
        {u"Control-Alt-R", {'R', 0, false, true, true}},
        {u"Ctl-Backspace", {VK_BACK_KEY, 0x7F, false, true, false}},
        {u"BkSp", {VK_BACK_KEY, 8, false, false, false}},
        {u"Alt--", {VK_OEM_MINUS_KEY, u'-', false, false, true}},
        {u"Ctrl-Num-", {VK_SUBTRACT_KEY, 0, false, true, false}},
        {u"Shift-1", {'1', u'!', true, false, false}},
        {u"Shift-'", {VK_OEM_7_KEY, u'"', true, false, false}},
        {u"Ctrl-[", {VK_OEM_4_KEY, 0x1B, false, true, false}},
        {u"pageup", {VK_PRIOR_KEY, 0, false, false, false}},
        {u"Enter", {VK_RETURN_KEY, 13, false, false, false}},
        {u"Ctrl-Enter", {VK_RETURN_KEY, 10, false, true, false}},
        {u"Esc", {VK_ESCAPE_KEY, 27, false, false, false}},
        {u"Space", {VK_SPACE_KEY, u' ', false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        ConsoleKey key{};
        ASSERT_TRUE(ParseScriptKey(c.text, &key));
        EXPECT_EQ(key.virtualKey, c.key.virtualKey);
        EXPECT_EQ(key.character, c.key.character);
        EXPECT_EQ(key.shift, c.key.shift);
        EXPECT_EQ(key.ctrl, c.key.ctrl);
        EXPECT_EQ(key.alt, c.key.alt);
    }
    for (const char16_t* text : {u"", u"Ctrl", u"Ctrl-", u"Foo", u"Ctrl-Foo", u"Hyper-A", u"Alt-Shift", u"--", u"F13"}) {
        ConsoleKey key{1, 2, true, true, true};
        EXPECT_FALSE(ParseScriptKey(text, &key)) << Narrow(text);
        EXPECT_EQ(key.virtualKey, 1);
    }
}

TEST(KeyTranslationTest, TypedCharactersComeFromTheirKeys) {
    struct Case {
        char16_t character;
        int virtualKey;
        bool shift;
    };
    const Case cases[] = {
        {u'a', 'A', false}, {u'Z', 'Z', true},  {u'0', '0', false},  {u'%', '5', true},
        {u' ', VK_SPACE_KEY, false}, {u'"', VK_OEM_7_KEY, true}, {u'^', '6', true},
        {u'/', VK_OEM_2_KEY, false}, {u'[', VK_OEM_4_KEY, false}, {u']', VK_OEM_6_KEY, false},
        {u'@', '2', true}, {u'*', '8', true}, {u'\\', VK_OEM_5_KEY, false}, {u'`', VK_OEM_3_KEY, false},
        {u'\u00E9', 0, false},
    };
    for (const Case& c : cases) {
        const ConsoleKey key = KeyForCharacter(c.character);
        EXPECT_EQ(key.virtualKey, c.virtualKey) << static_cast<int>(c.character);
        EXPECT_EQ(key.shift, c.shift) << static_cast<int>(c.character);
        EXPECT_EQ(key.character, c.character);
        EXPECT_FALSE(key.ctrl || key.alt);
    }
}

}  // namespace
