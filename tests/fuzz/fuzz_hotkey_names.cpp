// Hotkey names in both key sets: arbitrary text through ParseHotkeyName and
// arbitrary codes through FormatHotkeyName, each held to the other rather
// than to a search of the tables. A parse gives 0, -1, -2 or a positive
// code, and leaves its text alone; a positive result formats to a name that
// parses back to the same code, in any case. Formatting names only positive
// codes, with a name that parses back to the code (but for the legacy
// "Num-" row), writes "(unknown)" for any other, and never writes past its
// 1024 units.
#include <cstring>

#include "fake_host.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "hotkeys/hotkey_names.h"
#include "hotkeys/key_codes.h"
#include "hotkeys/key_tables.h"
#include "text/text.h"

using namespace tolvek;

namespace {

constexpr std::size_t NAME_UNITS = 3000;  // names up to and beyond a token's 1023 units
constexpr char16_t GUARD = 0x5A5A;

// The output buffer of FormatHotkeyName with a guard behind it.
struct Formatted {
    char16_t name[HOTKEY_NAME_UNITS];
    char16_t guard[32];
};

// The codes of the legacy "Num-" row: formatting gives a name ending in
// "-", which the parser takes as a modifier word, so they cannot round-trip.
bool IsLegacyNumMinus(KeySet set, KeyCode code) {
    if (set.extended) return false;
    for (int row = 0; row < KeyRowCount(set); ++row) {
        if (!TextEquals(KeyRowName(set, row), u"Num-")) continue;
        for (int column = 0; column < KeyColumnCount(set); ++column) {
            if (KeyCell(set, row, column) == code) return true;
        }
    }
    return false;
}

// Formats `code`, checks the guard and the terminator, and tells whether
// a key was named.
bool FormatChecked(KeySet set, KeyCode code, Formatted& out) {
    for (char16_t& unit : out.name) unit = GUARD;
    for (char16_t& unit : out.guard) unit = GUARD;
    FormatHotkeyName(set, code, out.name);
    for (char16_t unit : out.guard) FUZZ_REQUIRE(unit == GUARD);
    bool terminated = false;
    for (char16_t unit : out.name) terminated = terminated || unit == u'\0';
    FUZZ_REQUIRE(terminated);
    return !TextEquals(out.name, u"(unknown)");
}

void CheckFormat(KeySet set, KeyCode code) {
    Formatted out;
    const bool named = FormatChecked(set, code, out);
    if (!named) return;
    FUZZ_REQUIRE(code > 0 && TextLength(out.name) <= 24);
    if (!IsLegacyNumMinus(set, code)) FUZZ_REQUIRE(ParseHotkeyName(set, out.name) == code);
}

void CheckParse(KeySet set, const char16_t* name, std::size_t length) {
    static char16_t copy[NAME_UNITS];
    std::memcpy(copy, name, (length + 1) * sizeof(char16_t));
    const KeyCode code = ParseHotkeyName(set, name);
    FUZZ_REQUIRE(std::memcmp(copy, name, (length + 1) * sizeof(char16_t)) == 0);
    FUZZ_REQUIRE(code >= 0 || IsKeyTableMarker(code));
    if (code > 0) {
        Formatted out;
        FUZZ_REQUIRE(FormatChecked(set, code, out));
        FUZZ_REQUIRE(ParseHotkeyName(set, out.name) == code);
        // A name the table itself gives ignores case like any other.
        for (char16_t* at = out.name; *at != u'\0'; ++at) {
            if (*at >= u'A' && *at <= u'Z') *at = static_cast<char16_t>(*at + 32);
        }
        FUZZ_REQUIRE(ParseHotkeyName(set, out.name) == code);
    }
}

char16_t name[NAME_UNITS];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    fake_host::Reset();

    // A code to format (the first four bytes), then the name to parse;
    // both go through both key sets. Neither operation may print.
    const KeyCode code = static_cast<KeyCode>(input.Word());
    input.RestAsText(name, NAME_UNITS);
    for (const KeySet set : {LegacyKeys, ExtendedKeys}) {
        CheckFormat(set, code);
        CheckParse(set, name, TextLength(name));
    }
    FUZZ_REQUIRE(fake_host::StandardOutput().empty() && fake_host::StandardError().empty());
    return 0;
}
