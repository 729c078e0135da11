// The key tables: invariants over both sets, and literal values pinned from
// each rule and each group of literal rows.
#include <gtest/gtest.h>

#include <string>

#include "fake_host.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_tables.h"
#include "text/text.h"

using namespace tolvek;

namespace {

constexpr KeySet LEGACY{false};
constexpr KeySet EXTENDED{true};
constexpr KeySet BOTH_SETS[] = {LEGACY, EXTENDED};

std::string SetName(KeySet set) {
    return set.extended ? "extended" : "legacy";
}

std::string RowLabel(KeySet set, int row) {
    return SetName(set) + " row " + std::to_string(row) + " " + host_side::Narrow(KeyRowName(set, row));
}

// The row of `name` (exact match), or -1.
int RowOf(KeySet set, const std::u16string& name) {
    for (int row = 0; row < KeyRowCount(set); ++row) {
        if (name == KeyRowName(set, row)) return row;
    }
    return -1;
}

using Row7 = std::array<KeyCode, 7>;

// The cells of a named row; a legacy row's missing seventh cell reads 0.
Row7 CellsOf(KeySet set, const std::u16string& name) {
    Row7 cells{};
    const int row = RowOf(set, name);
    EXPECT_GE(row, 0) << host_side::Narrow(name);
    if (row < 0) return cells;
    for (int column = 0; column < KeyColumnCount(set); ++column) cells[column] = KeyCell(set, row, column);
    return cells;
}

TEST(KeyTables, SizesAndRowOrder) {
    EXPECT_EQ(KeyRowCount(LEGACY), 74);
    EXPECT_EQ(KeyColumnCount(LEGACY), 6);
    EXPECT_EQ(KeyAliasCount(LEGACY), 17);
    EXPECT_EQ(KeyRowCount(EXTENDED), 72);
    EXPECT_EQ(KeyColumnCount(EXTENDED), 7);
    EXPECT_EQ(KeyAliasCount(EXTENDED), 25);

    // The first and last row of each group.
    const struct {
        int row;
        std::u16string legacy;
        std::u16string extended;
    } rows[] = {
        {0, u"F1", u"F1"},        {9, u"F10", u"F10"},
        {11, u"F12", u"F12"},     {12, u"Home", u"Home"},
        {21, u"Right", u"Right"}, {22, u"A", u"A"},
        {47, u"Z", u"Z"},         {48, u"1", u"1"},
        {57, u"0", u"0"},         {58, u"BkSp", u"Backspace"},
        {62, u"[", u"Enter"},     {67, u",", u"*"},
        {70, u"Num/", u","},      {71, u"Num*", u"Decimal"},
        {73, u"Num+", u""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(KeyRowName(LEGACY, row.row), row.legacy) << row.row;
        if (row.row < KeyRowCount(EXTENDED)) {
            EXPECT_EQ(KeyRowName(EXTENDED, row.row), row.extended) << row.row;
        }
    }
}

TEST(KeyTables, CellsAreUniqueCodesOrMarkers) {
    for (const KeySet set : BOTH_SETS) {
        for (int row = 0; row < KeyRowCount(set); ++row) {
            SCOPED_TRACE(RowLabel(set, row));
            bool usable = false;
            for (int column = 0; column < KeyColumnCount(set); ++column) {
                const KeyCode cell = KeyCell(set, row, column);
                EXPECT_TRUE(cell > 0 || cell == KEY_UNUSABLE || cell == KEY_NOT_ALLOWED)
                    << "column " << column << " holds " << cell;
                EXPECT_NE(cell, NO_HOTKEY);
                usable = usable || cell > 0;
                if (cell <= 0) continue;
                // No positive code anywhere later in the table.
                for (int other = row; other < KeyRowCount(set); ++other) {
                    for (int c = (other == row ? column + 1 : 0); c < KeyColumnCount(set); ++c) {
                        EXPECT_NE(KeyCell(set, other, c), cell)
                            << "column " << column << " again in " << RowLabel(set, other) << " column " << c;
                    }
                }
            }
            EXPECT_TRUE(usable) << "no usable combination";
        }
    }
}

TEST(KeyTables, NamesAreUniqueIgnoringCaseAndAliasesLeadToNames) {
    for (const KeySet set : BOTH_SETS) {
        for (int row = 0; row < KeyRowCount(set); ++row) {
            for (int other = row + 1; other < KeyRowCount(set); ++other) {
                EXPECT_FALSE(EqualsIgnoringAsciiCase(KeyRowName(set, row), KeyRowName(set, other)))
                    << RowLabel(set, row) << " and " << RowLabel(set, other);
            }
        }
        for (int alias = 0; alias < KeyAliasCount(set); ++alias) {
            SCOPED_TRACE(SetName(set) + " alias " + host_side::Narrow(KeyAliasName(set, alias)));
            EXPECT_GE(RowOf(set, KeyAliasTarget(set, alias)), 0) << "target is no table name";
            for (int row = 0; row < KeyRowCount(set); ++row) {
                EXPECT_FALSE(EqualsIgnoringAsciiCase(KeyAliasName(set, alias), KeyRowName(set, row)));
            }
            // A replaced name is never renamed again by a later alias.
            for (int later = alias + 1; later < KeyAliasCount(set); ++later) {
                EXPECT_FALSE(EqualsIgnoringAsciiCase(KeyAliasTarget(set, alias), KeyAliasName(set, later)));
            }
        }
    }
}

TEST(KeyTables, FunctionKeyRules) {
    const Row7 f1 = {0x1003B, 0x10054, 0x1005E, 0x10068, 0x30054, 0x5005E, 0x7005E};
    const Row7 f10 = {0x10044, 0x1005D, 0x10067, 0x10071, 0x3005D, 0x50067, 0x70067};
    const Row7 f11 = {0x10085, 0x10087, 0x10089, 0x1008B, 0x30087, 0x50089, 0x70089};
    const Row7 f12 = {0x10086, 0x10088, 0x1008A, 0x1008C, 0x30088, 0x5008A, 0x7008A};
    EXPECT_EQ(CellsOf(EXTENDED, u"F1"), f1);
    EXPECT_EQ(CellsOf(EXTENDED, u"F10"), f10);
    EXPECT_EQ(CellsOf(EXTENDED, u"F11"), f11);
    EXPECT_EQ(CellsOf(EXTENDED, u"F12"), f12);
    Row7 legacyF12 = f12;
    legacyF12[6] = 0;
    EXPECT_EQ(CellsOf(LEGACY, u"F12"), legacyF12);
    EXPECT_EQ(CellsOf(LEGACY, u"F5")[COLUMN_CTRL_ALT], 0x50062);
}

TEST(KeyTables, LetterRulesAndExceptions) {
    const Row7 a = {-2, -2, 1, 0x1001E, 0x20001, 0x5001E, 0x7001E};
    const Row7 c = {-2, -2, -1, 0x1002E, -1, 0x5002E, 0x7002E};
    const Row7 i = {-2, -2, 9, 0x10017, -1, 0x50017, 0x70017};
    const Row7 m = {-2, -2, 0xD, 0x10032, 0x2000D, 0x50032, 0x70032};
    const Row7 s = {-2, -2, -1, 0x1001F, -1, 0x5001F, 0x7001F};
    const Row7 z = {-2, -2, 26, 0x1002C, 0x2001A, 0x5002C, 0x7002C};
    EXPECT_EQ(CellsOf(EXTENDED, u"A"), a);
    EXPECT_EQ(CellsOf(EXTENDED, u"C"), c);
    EXPECT_EQ(CellsOf(EXTENDED, u"I"), i);
    EXPECT_EQ(CellsOf(EXTENDED, u"M"), m);
    EXPECT_EQ(CellsOf(EXTENDED, u"S"), s);
    EXPECT_EQ(CellsOf(EXTENDED, u"Z"), z);
    EXPECT_EQ(CellsOf(LEGACY, u"M")[COLUMN_CTRL], -1);  // Enter in the legacy set
    EXPECT_EQ(CellsOf(LEGACY, u"M")[COLUMN_CTRL_SHIFT], 0x2000D);
    EXPECT_EQ(CellsOf(LEGACY, u"Q")[COLUMN_ALT], 0x10010);
    EXPECT_EQ(CellsOf(LEGACY, u"L")[COLUMN_CTRL], 12);
    EXPECT_EQ(CellsOf(LEGACY, u"R")[COLUMN_CTRL], 18);
}

TEST(KeyTables, DigitRules) {
    EXPECT_EQ(CellsOf(LEGACY, u"1"), (Row7{-2, -2, -1, 0x100E2, -1, -1, 0}));
    EXPECT_EQ(CellsOf(LEGACY, u"0"), (Row7{-2, -2, -1, 0x100EB, -1, -1, 0}));
    EXPECT_EQ(CellsOf(EXTENDED, u"1"), (Row7{-2, -2, 0xE2, 0x100E2, 0x200E2, 0x500E2, 0x700E2}));
    EXPECT_EQ(CellsOf(EXTENDED, u"9"), (Row7{-2, -2, 0xEA, 0x100EA, 0x200EA, 0x500EA, 0x700EA}));
    EXPECT_EQ(CellsOf(EXTENDED, u"0"), (Row7{-2, -2, 0xEB, 0x100EB, 0x200EB, 0x500EB, 0x700EB}));
}

TEST(KeyTables, NavigationRows) {
    EXPECT_EQ(CellsOf(EXTENDED, u"Home"), (Row7{0x10047, 0x100CA, 0x10077, -1, 0x300CA, 0x50077, 0x70077}));
    EXPECT_EQ(CellsOf(EXTENDED, u"Ins"), (Row7{0x10052, -1, -1, -1, 0x30052, 0x50092, 0x70092}));
    EXPECT_EQ(CellsOf(EXTENDED, u"Del"), (Row7{0x10053, -1, 0x10093, -1, 0x30053, -1, 0x70093}));
    EXPECT_EQ(CellsOf(EXTENDED, u"Left"), (Row7{0x1004B, 0x100C8, 0x10073, 0x100F4, 0x300CC, 0x50073, 0x70073}));
    EXPECT_EQ(CellsOf(LEGACY, u"Right"), (Row7{0x1004D, 0x100C9, 0x10074, 0x100F6, 0x300CD, 0x50074, 0}));
    EXPECT_EQ(CellsOf(LEGACY, u"PgDn")[COLUMN_CTRL], 0x10076);
}

TEST(KeyTables, RemainingLegacyRows) {
    EXPECT_EQ(CellsOf(LEGACY, u"BkSp"), (Row7{-2, -1, 0x7F, 0x1000E, 0x3000E, 0x5000E, 0}));
    EXPECT_EQ(CellsOf(LEGACY, u"="), (Row7{-2, -2, -1, 0x10083, -1, -1, 0}));
    EXPECT_EQ(CellsOf(LEGACY, u"\\"), (Row7{-2, -2, 0x1C, 0x1002B, -1, 0x5002B, 0}));
    EXPECT_EQ(CellsOf(LEGACY, u"Num/"), (Row7{-2, -2, -1, -1, 0x30035, -1, 0}));
    EXPECT_EQ(CellsOf(LEGACY, u"Num*"), (Row7{-2, -2, 0x10037, 0x1002A, 0x30037, 0x50037, 0}));
    EXPECT_EQ(CellsOf(LEGACY, u"Num-"), (Row7{-2, -2, 0x1004A, -2, 0x3004A, 0x5004A, 0}));
}

TEST(KeyTables, RemainingExtendedRows) {
    EXPECT_EQ(CellsOf(EXTENDED, u"Backspace"), (Row7{-2, 0x87F, 0x7F, 0x1000E, 0x3000E, 0x5000E, 0x7000E}));
    EXPECT_EQ(CellsOf(EXTENDED, u"Plus"), (Row7{-2, -2, 0x8BB, 0x10083, 0x208BB, 0x508BB, 0x708BB}));
    EXPECT_EQ(CellsOf(EXTENDED, u"Enter"), (Row7{-2, 0x80D, 0xC0D, -1, 0x2080D, 0x5080D, 0x7080D}));
    EXPECT_EQ(CellsOf(EXTENDED, u"["), (Row7{-2, -2, 0x8DB, 0x1001A, 0x208DB, 0x5001A, 0x7001A}));
    EXPECT_EQ(CellsOf(EXTENDED, u"Divide"), (Row7{-2, -2, 0x835, 0x10035, 0x20035, 0x50035, 0x70035}));
    EXPECT_EQ(CellsOf(EXTENDED, u"*"), (Row7{-2, -2, 0x10037, 0x1002A, 0x30037, 0x50037, 0x70037}));
    EXPECT_EQ(CellsOf(EXTENDED, u"Decimal"), (Row7{-2, -2, 0x834, 0x10034, 0x20034, 0x50034, 0x70034}));
}

// Relations the two sets are known to keep, checked over every row.
TEST(KeyTables, CrossChecks) {
    // Rows 1 to 58 agree between the sets but for Ctrl-M and the digits.
    for (int row = 0; row < 58; ++row) {
        const std::u16string name = KeyRowName(LEGACY, row);
        if (name.size() == 1 && name[0] >= u'0' && name[0] <= u'9') continue;
        for (int column = 0; column < LEGACY_KEY_COLUMNS; ++column) {
            if (name == u"M" && column == COLUMN_CTRL) continue;
            EXPECT_EQ(KeyCell(LEGACY, row, column), KeyCell(EXTENDED, row, column))
                << RowLabel(LEGACY, row) << " column " << column;
        }
    }
    // Ctrl+Alt+Shift is Ctrl+Alt plus 0x20000, but for Del.
    for (int row = 0; row < KeyRowCount(EXTENDED); ++row) {
        if (std::u16string(KeyRowName(EXTENDED, row)) == u"Del") continue;
        EXPECT_EQ(KeyCell(EXTENDED, row, COLUMN_CTRL_ALT_SHIFT), KeyCell(EXTENDED, row, COLUMN_CTRL_ALT) + 0x20000)
            << RowLabel(EXTENDED, row);
    }
}

TEST(KeyTables, AliasesAndPrefixes) {
    EXPECT_EQ(std::u16string(KeyAliasName(LEGACY, 0)), u"PageUp");
    EXPECT_EQ(std::u16string(KeyAliasName(LEGACY, 16)), u"Slash");
    EXPECT_EQ(std::u16string(KeyAliasTarget(LEGACY, 16)), u"/");
    EXPECT_EQ(std::u16string(KeyAliasName(EXTENDED, 24)), u"Dot");
    EXPECT_EQ(std::u16string(KeyAliasTarget(EXTENDED, 24)), u"Decimal");
    // The one-character aliases are single code units, not encoded text.
    const struct {
        int row;
        char16_t unit;
        std::u16string target;
    } singles[] = {{7, 0x00BD, u"Minus"}, {12, 0x00DB, u"["}, {13, 0x00DD, u"]"}, {14, 0x00DC, u"\\"}};
    for (const auto& single : singles) {
        EXPECT_EQ(std::u16string(KeyAliasName(EXTENDED, single.row)), std::u16string(1, single.unit));
        EXPECT_EQ(std::u16string(KeyAliasTarget(EXTENDED, single.row)), single.target);
    }
    const std::u16string prefixes[] = {u"",          u"Shift-",         u"Ctrl-", u"Alt-", u"Ctrl-Shift-",
                                       u"Ctrl-Alt-", u"Ctrl-Alt-Shift-"};
    for (int column = 0; column < KEY_COLUMN_COUNT; ++column) {
        EXPECT_EQ(std::u16string(ModifierPrefixes[column]), prefixes[column]);
    }
}

}  // namespace
