// The exported tolvek command over arbitrary argument text, in both key
// modes, with the stand-in registry holding chosen hotkeys and failing as
// planned. Starting from slots and stored values that all name hotkeys of
// the current table (or no key), the slots must still do so afterwards;
// the result is 0, 1 or 2 (-1 only for null text); all output goes through
// the host's services, errors always after the plug-in's prefix; a usage
// error touches neither the registry nor standard output, and nothing ever
// writes the machine-wide key or leaves a key open.
#include <cstring>
#include <string>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_tables.h"
#include "plugin/exports.h"
#include "plugin/plugin_state.h"
#include "stdio_watch.h"
#include "text/text.h"

using namespace tolvek;

namespace {

constexpr std::size_t TEXT_UNITS = 12000;
constexpr char16_t PATH[] = u"Software\\DARevavev\\Tolvek";
constexpr os::RegistryRoot ROOTS[] = {os::RegistryRoot::CurrentUser, os::RegistryRoot::LocalMachine};
const char16_t* const VALUE_NAMES[HOTKEY_SLOT_COUNT] = {
    u"MoveLeft",  u"MoveRight",  u"DeleteLeft",  u"DeleteRight",
    u"MoveLeft2", u"MoveRight2", u"DeleteLeft2", u"DeleteRight2",
};
const std::u16string PREFIX = u"Tolvek plugin: ";

// Every code a slot may hold in one key mode: the table's positive cells
// and NO_HOTKEY, which comes first.
std::vector<KeyCode> ValidCodes(bool extended) {
    ExtendedKeyMode = extended;
    const KeySet set = CurrentKeySet();
    std::vector<KeyCode> codes{NO_HOTKEY};
    for (int row = 0; row < KeyRowCount(set); ++row) {
        for (int column = 0; column < KeyColumnCount(set); ++column) {
            if (KeyCell(set, row, column) > 0) codes.push_back(KeyCell(set, row, column));
        }
    }
    return codes;
}

bool IsValid(const std::vector<KeyCode>& codes, KeyCode code) {
    for (KeyCode valid : codes) {
        if (valid == code) return true;
    }
    return false;
}

using Snapshot = std::vector<fake_os::StoredValue>;

Snapshot RegistryNow() {
    Snapshot snapshot;
    for (os::RegistryRoot root : ROOTS) {
        for (const char16_t* name : VALUE_NAMES) snapshot.push_back(fake_os::Value(root, PATH, name));
    }
    return snapshot;
}

bool SameValue(const fake_os::StoredValue& a, const fake_os::StoredValue& b) {
    if (a.exists != b.exists) return false;
    return !a.exists || (a.type == b.type && a.size == b.size && std::memcmp(a.data, b.data, a.size) == 0);
}

bool SameRoot(const Snapshot& a, const Snapshot& b, int root) {
    for (int k = 0; k < HOTKEY_SLOT_COUNT; ++k) {
        if (!SameValue(a[root * HOTKEY_SLOT_COUNT + k], b[root * HOTKEY_SLOT_COUNT + k])) return false;
    }
    return true;
}

bool StartsWith(const std::u16string& text, const std::u16string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

char16_t text[TEXT_UNITS];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<KeyCode> VALID[2] = {ValidCodes(false), ValidCodes(true)};
    static fuzz::StdioWatch watch;
    FuzzInput input(data, size);
    fake_host::Reset();
    fake_os::Reset();

    // Flags: 1 extended key mode; 2 and 4 create the user's and the
    // machine-wide key; 8 and 16 make opening them fail; 32 makes writing
    // one value fail; 64 runs a batch file; 128 repeats the text up to a
    // chosen length, so that short inputs reach the tokenizer's limits.
    const std::uint8_t flags = input.Byte();
    const bool extended = (flags & 1) != 0;
    const std::vector<KeyCode>& valid = VALID[extended ? 1 : 0];
    const auto pick = [&](std::uint8_t choice) { return valid[choice % valid.size()]; };
    ExtendedKeyMode = extended;

    for (KeyCode& slot : HotkeySlots) slot = pick(input.Byte());
    for (int root = 0; root < 2; ++root) {
        if ((flags & (2 << root)) == 0) continue;
        fake_os::CreateKey(ROOTS[root], PATH);
        for (const char16_t* name : VALUE_NAMES) {
            const std::uint8_t choice = input.Byte();
            if (choice == 0) continue;  // value missing
            fake_os::SetNumber(ROOTS[root], PATH, name, static_cast<std::uint32_t>(pick(choice - 1)));
        }
    }
    if (flags & 8) fake_os::FailKeyOpens(os::RegistryRoot::CurrentUser);
    if (flags & 16) fake_os::FailKeyOpens(os::RegistryRoot::LocalMachine);
    const std::uint8_t failingWrite = input.Byte();
    if (flags & 32) fake_os::FailWritesOf(VALUE_NAMES[failingWrite % HOTKEY_SLOT_COUNT]);
    fake_host::SetExpansion(u"%_batch", (flags & 64) ? u"2" : u"0");
    fake_host::SetExpansion(u"%_batchname [%_batchline]  ", u"C:\\50%.cmd [3]  ");
    const std::size_t repeatTo = (flags & 128) ? input.Unit() % (TEXT_UNITS - 1) : 0;

    input.RestAsText(text, TEXT_UNITS);
    const std::size_t length = TextLength(text);
    if (repeatTo > length && length > 0) {
        for (std::size_t i = length; i < repeatTo; ++i) text[i] = text[i - length];
        text[repeatTo] = u'\0';
    }

    const HotkeySlotCodes slotsBefore = HotkeySlots;
    const Snapshot registryBefore = RegistryNow();

    watch.Open();
    const int nullResult = tolvek::tolvek(nullptr);
    const long bypassedOnNull = watch.Close();
    FUZZ_REQUIRE(nullResult == -1 && bypassedOnNull == 0);
    FUZZ_REQUIRE(fake_host::StandardOutput().empty() && fake_host::StandardError().empty());
    FUZZ_REQUIRE(slotsBefore == HotkeySlots);

    watch.Open();
    const int result = tolvek::tolvek(text);
    const long bypassed = watch.Close();
    FUZZ_REQUIRE(bypassed == 0);

    FUZZ_REQUIRE(result == 0 || result == 1 || result == 2);
    for (KeyCode slot : HotkeySlots) FUZZ_REQUIRE(IsValid(valid, slot));

    const std::u16string out = fake_host::StandardOutput();
    const std::u16string err = fake_host::StandardError();
    FUZZ_REQUIRE(err.empty() || StartsWith(err, PREFIX));
    FUZZ_REQUIRE(fake_host::QprintfOnOtherHandles() == 0);
    if (result == 0) FUZZ_REQUIRE(err.empty());
    if (result != 0) FUZZ_REQUIRE(out.empty());
    if (result == 2) FUZZ_REQUIRE(!err.empty());

    const Snapshot registryAfter = RegistryNow();
    FUZZ_REQUIRE(SameRoot(registryBefore, registryAfter, 1));  // the machine-wide key is never written
    if (result == 1) FUZZ_REQUIRE(SameRoot(registryBefore, registryAfter, 0));
    FUZZ_REQUIRE(fake_os::KeysLeftOpen() == 0);

    ExtendedKeyMode = false;
    HotkeySlots = DefaultHotkeys;
    return 0;
}
