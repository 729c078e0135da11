// Hotkey names in both key sets: parsing, formatting, the round trip between
// them, an option's value of one or two names, and the listing of every
// usable hotkey.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "hotkeys/hotkey_names.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_codes.h"
#include "hotkeys/key_tables.h"
#include "stand_in_test.h"

using namespace tolvek;

namespace tolvek {

// GoogleTest names a pair's result in a failure.
void PrintTo(HotkeyPairResult result, std::ostream* out) {
    const char* const names[] = {"Parsed", "MissingName", "UnknownName", "UnusableKey", "KeyNotAllowed"};
    *out << names[static_cast<int>(result)];
}

}  // namespace tolvek

namespace {

using HotkeyNamesTest = StandInTest;

KeyCode ParseIn(bool extended, const std::u16string& name) {
    return ParseHotkeyName(KeySet{extended}, name.c_str());
}

std::u16string FormatIn(bool extended, KeyCode code) {
    char16_t out[HOTKEY_NAME_UNITS];
    std::fill(std::begin(out), std::end(out), u'#');
    FormatHotkeyName(KeySet{extended}, code, out);
    return out;
}

std::vector<std::u16string> ListingIn(bool extended) {
    const KeySet set{extended};
    std::vector<std::u16string> lines;
    for (int row = 0; row < KeyRowCount(set); ++row) {
        char16_t line[HOTKEY_NAME_UNITS];
        std::fill(std::begin(line), std::end(line), u'#');
        FormatKeyRowHotkeys(set, row, line);
        lines.emplace_back(line);
    }
    return lines;
}

TEST_F(HotkeyNamesTest, ParsesNamesInBothSets) {
    struct Row {
        std::u16string name;
        KeyCode legacy;
        KeyCode extended;
    };
    const Row rows[] = {
        // The built-in defaults, by name.
        {u"Ctrl-Left", 0x10073, 0x10073},
        {u"Ctrl-Right", 0x10074, 0x10074},
        {u"Ctrl-L", 12, 12},
        {u"Ctrl-R", 18, 18},
        {u"Ctrl-BkSp", 127, 127},  // an alias in the extended set
        // Modifier words: any case, any order, repeated, short forms.
        {u"CONTROL-ALT-R", 0x50013, 0x50013},
        {u"control-alt-r", 0x50013, 0x50013},
        {u"ctl-A-r", 0x50013, 0x50013},
        {u"a-b", 0x10030, 0x10030},
        {u"Shift-Ctrl-A", 0x20001, 0x20001},
        {u"c-s-a", 0x20001, 0x20001},
        {u"c-ctrl-CONTROL-a", 1, 1},
        {u"s-F1", 0x10054, 0x10054},
        // Cells of -1 and -2 come back as they stand.
        {u"A", -2, -2},
        {u"Shift-A", -2, -2},
        {u"Ctrl-C", -1, -1},
        {u"Ctrl-Alt-Del", -1, -1},
        {u"Ctrl-Alt-Shift-Del", 0, 0x70093},
        // Alt+Shift has no column; Ctrl+Alt+Shift only in the extended set.
        {u"Alt-Shift-A", 0, 0},
        {u"Shift-Alt-Left", 0, 0},
        {u"Ctrl-Alt-Shift-A", 0, 0x7001E},
        {u"s-c-a-Left", 0, 0x70073},
        // A "-" that starts a token belongs to it.
        {u"Alt--", 0x10082, 0x108BD},
        {u"-", -2, -2},
        {u"Alt---", 0, 0},
        {u"--", 0, 0},
        // A "-" that ends the name belongs to the key name: every cell of
        // the legacy "Num-" row can be named.
        {u"Num-", -2, 0},
        {u"Shift-Num-", -2, 0},
        {u"Ctrl-Num-", 0x1004A, 0},
        {u"Alt-Num-", -2, 0},
        {u"Ctrl-Shift-Num-", 0x3004A, 0},
        {u"Ctrl-Alt-Num-", 0x5004A, 0},
        {u"Ctrl-Alt-Shift-Num-", 0, 0},
        {u"Shift-Alt-", 0, 0},
        {u"Ctrl-Num+", 0x1004E, 0},
        {u"Ctrl-Shift-Num+", 0x3004E, 0},
        // Not hotkey names.
        {u"", 0, 0},
        {u"Ctrl", 0, 0},
        {u"Ctrl-", 0, 0},
        {u"Foo-A", 0, 0},
        {u"NONE", 0, 0},
        {u"Ctrl-Left ", 0, 0},
        {u" Ctrl-Left", 0, 0},
        {u"Ctrl-Alt-Ctrl-Shift-", 0, 0},
        // Aliases, and the names the two sets swap.
        {u"pageup", 0x10049, 0x10049},
        {u"Ctrl-PAGEDOWN", 0x10076, 0x10076},
        {u"Alt-Grave", 0x10029, 0x10860},
        {u"Alt-`", 0, 0x10860},
        {u"Ctrl-Backspace", 127, 127},
        {u"Alt-Minus", 0x10082, 0x108BD},
        {u"Alt-=", 0x10083, 0x10083},
        {u"Alt-Equals", 0x10083, 0x10083},
        {u"Ctrl-+", 0, 0x8BB},
        {u"Ctrl-Multiply", 0, 0x10037},
        {u"Ctrl-/", -1, 0x835},
        {u"Alt-Slash", 0x10035, 0},
        {u"Alt-dot", 0x10034, 0x10034},
        {u"Ctrl-Enter", 0, 0xC0D},
        {u"Ctrl-\u00DB", 0, 0x8DB},
        {u"Ctrl-\u00FB", 0, 0},  // no case folding beyond A-Z
        {u"Ctrl-\u00BD", 0, 0x8BD},
        {u"Ctrl-Alt-\u00DD", 0, 0x5001B},
        {u"Ctrl-Shift-\u00DC", 0, 0x208DC},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(host_side::Narrow(row.name));
        EXPECT_EQ(ParseIn(false, row.name), row.legacy) << "legacy";
        EXPECT_EQ(ParseIn(true, row.name), row.extended) << "extended";
    }
    EXPECT_EQ(ParseHotkeyName(LegacyKeys, nullptr), 0);
    EXPECT_EQ(fake_host::StandardOutput(), u"");
    EXPECT_EQ(fake_host::StandardError(), u"");
}

TEST_F(HotkeyNamesTest, OverlongTokensAreCutAndMatchNothing) {
    const std::u16string longWord(3000, u'x');
    for (const bool extended : {false, true}) {
        EXPECT_EQ(ParseIn(extended, longWord), 0);
        EXPECT_EQ(ParseIn(extended, u"Ctrl-" + longWord), 0);
        EXPECT_EQ(ParseIn(extended, longWord + u"-Left"), 0);
        EXPECT_EQ(ParseIn(extended, u"Left" + std::u16string(1019, u' ')), 0);
        // The limit is per token: many short words are fine.
        std::u16string manyWords;
        for (int i = 0; i < 600; ++i) manyWords += u"ctrl-";
        EXPECT_EQ(ParseIn(extended, manyWords + u"Left"), 0x10073);
    }
}

// An option's value: the result, the two keys (NO_HOTKEY unless parsed),
// and the part of the value refused (none for a missing name).
TEST_F(HotkeyNamesTest, ParsesHotkeyPairs) {
    using Result = HotkeyPairResult;
    constexpr KeyCode NO = NO_HOTKEY;
    struct Row {
        std::u16string value;
        Result result;
        KeyCode first;
        KeyCode second;
        std::u16string rejected;
    };
    const std::u16string longName(1100, u'Q');
    const Row rows[] = {
        {u"Alt-L", Result::Parsed, KEY_ALT_L, NO, u""},
        {u"Alt-L,Alt-M", Result::Parsed, KEY_ALT_L, KEY_ALT_M, u""},
        {u"Alt-L;alt-l", Result::Parsed, KEY_ALT_L, NO, u""},  // a key given twice counts once
        {u"Alt-,,Alt-L", Result::Parsed, 0x10033, KEY_ALT_L, u""},
        {u"Alt--,Ctrl-K", Result::Parsed, 0x10082, 11, u""},
        {u"NONE", Result::Parsed, NO, NO, u""},
        {u"none,Alt-L", Result::Parsed, KEY_ALT_L, NO, u""},
        {u"Alt-L,None", Result::Parsed, KEY_ALT_L, NO, u""},
        {u"", Result::MissingName, NO, NO, u""},
        {u",Alt-L", Result::MissingName, NO, NO, u""},
        {u"Alt-L,", Result::MissingName, NO, NO, u""},
        {u";", Result::MissingName, NO, NO, u""},
        {u"Alt-L,Bogus", Result::UnknownName, NO, NO, u"Bogus"},
        {u"Alt-L,Ctrl-NONE", Result::UnknownName, NO, NO, u"Ctrl-NONE"},  // NONE only alone
        {u"Bogus,Alt-L", Result::UnknownName, NO, NO, u"Bogus"},
        {u"Alt-L,Alt-M,Alt-N", Result::UnknownName, NO, NO, u"Alt-M,Alt-N"},
        {longName + u",Alt-L", Result::UnknownName, NO, NO, std::u16string(1023, u'Q')},
        {u"Alt-L,Ctrl-C", Result::UnusableKey, NO, NO, u"Ctrl-C"},
        {u"A,Alt-L", Result::KeyNotAllowed, NO, NO, u"A"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(host_side::Narrow(row.value.substr(0, 40)));
        const HotkeyPair pair = ParseHotkeyPair(LegacyKeys, row.value.c_str());
        EXPECT_EQ(pair.result, row.result);
        EXPECT_EQ(pair.first, row.first);
        EXPECT_EQ(pair.second, row.second);
        EXPECT_EQ(host_side::Narrow(row.value.substr(pair.rejectedStart, pair.rejectedLength)),
                  host_side::Narrow(row.rejected));
    }
    EXPECT_EQ(ParseHotkeyPair(LegacyKeys, nullptr).result, Result::MissingName);
    EXPECT_EQ(fake_host::StandardOutput(), u"");
    EXPECT_EQ(fake_host::StandardError(), u"");
}

TEST_F(HotkeyNamesTest, FormatsCodesInBothSets) {
    struct Row {
        KeyCode code;
        std::u16string legacy;
        std::u16string extended;
    };
    const Row rows[] = {
        {0x10073, u"Ctrl-Left", u"Ctrl-Left"},
        {0x20001, u"Ctrl-Shift-A", u"Ctrl-Shift-A"},
        {0x7001E, u"(unknown)", u"Ctrl-Alt-Shift-A"},
        {0x7000E, u"(unknown)", u"Ctrl-Alt-Shift-Backspace"},
        {127, u"Ctrl-BkSp", u"Ctrl-Backspace"},
        {0x10083, u"Alt-=", u"Alt-Plus"},
        {0x1004A, u"Ctrl-Num-", u"(unknown)"},
        {0x1003B, u"F1", u"F1"},
        // The table markers stand in cells but name no key.
        {KEY_UNUSABLE, u"(unknown)", u"(unknown)"},
        {KEY_NOT_ALLOWED, u"(unknown)", u"(unknown)"},
        {NO_HOTKEY, u"(unknown)", u"(unknown)"},
        {0, u"(unknown)", u"(unknown)"},
        {0x10073 | 0x800, u"(unknown)", u"(unknown)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << std::hex << row.code);
        EXPECT_EQ(host_side::Narrow(FormatIn(false, row.code)), host_side::Narrow(row.legacy));
        EXPECT_EQ(host_side::Narrow(FormatIn(true, row.code)), host_side::Narrow(row.extended));
    }
    FormatHotkeyName(LegacyKeys, 0x10073, nullptr);
}

TEST_F(HotkeyNamesTest, EveryUsableCellSurvivesFormatAndParse) {
    for (const bool extended : {false, true}) {
        const KeySet set{extended};
        for (int row = 0; row < KeyRowCount(set); ++row) {
            for (int column = 0; column < KeyColumnCount(set); ++column) {
                const KeyCode code = KeyCell(set, row, column);
                if (code <= 0) continue;
                const std::u16string name = FormatIn(extended, code);
                EXPECT_EQ(ParseIn(extended, name), code)
                    << (extended ? "extended " : "legacy ") << host_side::Narrow(name);
            }
        }
    }
}

TEST_F(HotkeyNamesTest, ListsEveryKeyWithItsUsableCombinations) {
    const std::vector<std::u16string> legacy = ListingIn(false);
    ASSERT_EQ(legacy.size(), 74u);
    EXPECT_EQ(host_side::Narrow(legacy[0]),
              host_side::Narrow(u"F1 \u00B7 Shift-F1 \u00B7 Ctrl-F1 \u00B7 Alt-F1 \u00B7 Ctrl-Shift-F1 \u00B7 "
                                u"Ctrl-Alt-F1"));
    EXPECT_EQ(legacy[48], u"Alt-1");
    EXPECT_EQ(legacy[70], u"Ctrl-Shift-Num/");
    EXPECT_EQ(legacy[72], u"Ctrl-Num- \u00B7 Ctrl-Shift-Num- \u00B7 Ctrl-Alt-Num-");

    const std::vector<std::u16string> extended = ListingIn(true);
    ASSERT_EQ(extended.size(), 72u);
    EXPECT_EQ(host_side::Narrow(extended[58]),
              host_side::Narrow(u"Shift-Backspace \u00B7 Ctrl-Backspace \u00B7 Alt-Backspace \u00B7 "
                                u"Ctrl-Shift-Backspace \u00B7 Ctrl-Alt-Backspace \u00B7 Ctrl-Alt-Shift-Backspace"));
    EXPECT_EQ(extended[17], u"Del \u00B7 Ctrl-Del \u00B7 Ctrl-Shift-Del \u00B7 Ctrl-Alt-Shift-Del");
    EXPECT_EQ(fake_host::StandardError(), u"");
}

}  // namespace
