// The keystroke handler over arbitrary lines (up to 8191 units and beyond),
// cursors, slots, modifier states, escape characters, keys given by code
// or by name, and both key modes. The target knows from how it built the
// press which code the key stands for, not how the handler reads it, and
// checks:
// - an untrustworthy record, a key that stands for no key, and a key
//   pressed without Ctrl (only Ctrl adds modifier flags) that no slot holds
//   leave the record and the line byte for byte as they were;
// - a key pressed without Ctrl that one slot alone holds triggers that
//   slot's action: the moves change no text and go the right way;
//   DeleteLeft removes the units just before the cursor and puts the cursor
//   where they began; DeleteRight removes units from the cursor on and keeps
//   the cursor;
// - a consumed key (code 0, and in extended key mode the name emptied)
//   leaves the cursor on the line and the text as it was, or with one span
//   taken out that starts or ends at the cursor; the host hears of a
//   deletion exactly once, and of nothing else; redraw is set exactly when
//   something changed; well-formed UTF-16 stays well formed;
// - a null record is left alone;
// - the scan with the portable block classifier, which targets without
//   SSE2 use, finds on the line the boundaries this target's scan finds.
#include <bit>
#include <cstdint>
#include <cstring>

#include "edit/argument_scanner.h"
#include "edit/boundary_scan.h"
#include "edit/scan_blocks.h"
#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "hotkeys/hotkey_names.h"
#include "hotkeys/hotkey_slots.h"
#include "plugin/exports.h"
#include "plugin/plugin_state.h"
#include "text/text.h"

using namespace tolvek;

namespace {

constexpr std::size_t LINE_UNITS = 9000;
constexpr std::size_t NAME_UNITS = 64;

// What a press must do: a slot's action (slot n and n + 4 are action n),
// pass the key on, or either, which the target cannot tell.
enum class Expect { MoveLeft, MoveRight, DeleteLeft, DeleteRight, PassedOn, Unknown };

bool IsHigh(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLow(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool WellFormed(const char16_t* line, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (IsHigh(line[i])) {
            if (i + 1 >= length || !IsLow(line[i + 1])) return false;
            ++i;
        } else if (IsLow(line[i])) {
            return false;
        }
    }
    return true;
}

// A key that stands for `code`, pressed with or without Ctrl: see above.
Expect ExpectedOf(KeyCode code, bool ctrl) {
    if (code == 0 || code == NO_HOTKEY || IsKeyTableMarker(code)) return Expect::PassedOn;
    if (ctrl) return Expect::Unknown;
    unsigned holders = 0;
    for (int slot = 0; slot < HOTKEY_SLOT_COUNT; ++slot) {
        if (HotkeySlots[slot] == code) holders |= 1U << slot;
    }
    if (holders == 0) return Expect::PassedOn;
    if (!std::has_single_bit(holders)) return Expect::Unknown;
    return static_cast<Expect>(std::countr_zero(holders) % SECOND_KEY_OFFSET);
}

void RequireSameScanWithPortableClassifier(const char16_t* line, std::size_t length, std::size_t cursor,
                                           char16_t escape) {
    const auto n = static_cast<std::int32_t>(length);
    const auto from = static_cast<std::int32_t>(cursor);
    for (const int mode : {0, SCAN_RIGHT, SCAN_RIGHT | SCAN_STOP_AT_BRACKET}) {
        FUZZ_REQUIRE(ScanForBoundary<ClassifyScanBlockPortable>(line, n, from, mode, escape) ==
                     FindArgumentBoundary(line, n, from, mode, escape));
    }
}

bool SameUnits(const char16_t* a, const char16_t* b, std::size_t count) {
    return std::memcmp(a, b, count * sizeof(char16_t)) == 0;
}

struct Call {
    KeystrokeRecord record;
    char16_t line[LINE_UNITS];
    char16_t name[NAME_UNITS];
};

Call call;
Call before;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    fake_host::Reset();
    fake_os::Reset();

    // Flags: 1 extended key mode; 2, 4, 8 hold Shift, Ctrl, Alt; 16 fills
    // the slots with arbitrary codes; 32 gives the key by name only; 64
    // repeats the line up to a chosen length; 128 hands over a line or a
    // cursor that cannot be trusted.
    const std::uint8_t flags = input.Byte();
    ExtendedKeyMode = (flags & 1) != 0;
    const bool shift = (flags & 2) != 0;
    const bool ctrl = (flags & 4) != 0;
    const bool alt = (flags & 8) != 0;
    fake_os::HoldModifiers(shift, ctrl, alt);
    // The host's escape character: the byte itself (none for 0), or with the
    // top bit set its low seven bits twice, an answer the plug-in refuses.
    const std::uint8_t escapeByte = input.Byte();
    const auto escape = static_cast<char16_t>(escapeByte & 0x7F);
    const char16_t escapeAnswer[] = {escape, (escapeByte & 0x80) != 0 ? escape : u'\0', u'\0'};
    fake_host::SetExpansion(u"%@option[escapechar]", escapeAnswer);

    HotkeySlots = DefaultHotkeys;
    if (flags & 0x10) {
        for (KeyCode& slot : HotkeySlots) slot = static_cast<KeyCode>(input.Word() & 0x7FFFF);
    }
    const std::uint8_t keyChoice = input.Byte();
    const KeyCode code = (keyChoice < 8) ? HotkeySlots[keyChoice] : static_cast<KeyCode>(input.Word());
    const std::uint16_t cursorChoice = input.Unit();
    const std::size_t repeatTo = (flags & 0x40) ? input.Unit() % LINE_UNITS : 0;

    std::memset(static_cast<void*>(&call), 0xA5, sizeof call);
    input.RestAsText(call.line, LINE_UNITS);
    std::size_t lineLength = TextLength(call.line);
    if (repeatTo > lineLength && lineLength > 0) {
        for (std::size_t i = lineLength; i < repeatTo; ++i) call.line[i] = call.line[i - lineLength];
        call.line[repeatTo] = u'\0';
        lineLength = repeatTo;
    }

    std::size_t cursor = cursorChoice % (lineLength + 2);  // one past the end is refused
    call.record.keyCode = code;
    call.record.lineStart = call.line;
    call.record.cursorPos = call.line + cursor;
    call.record.redraw = (cursorChoice & 0x2000) ? 7 : 0;  // the handler may set it, never clear it
    call.record.keyName = call.name;
    CopyBounded(call.name, NAME_UNITS, u"NoSuchKey");
    KeyCode standsFor = code;  // the code the key stands for, 0 for none
    if (flags & 0x20) {
        // The host names the key and gives no code: the name of the chosen
        // code, which names it in the extended key set, or text that names
        // no key.
        call.record.keyCode = 0;
        FormatHotkeyName(CurrentKeySet(), code, call.name);
        const bool named = !TextEquals(call.name, u"(unknown)") && (cursorChoice & 0x8000) == 0;
        if (!named) CopyBounded(call.name, NAME_UNITS, u"Ctrl-NoSuchKey");
        if (!named || !ExtendedKeyMode || (cursorChoice & 0x4000) != 0) standsFor = 0;
    }
    // A host may hand over no name at all, with a code or without one.
    if ((cursorChoice & 0x4000) != 0) call.record.keyName = nullptr;
    Expect expect = ExpectedOf(standsFor, ctrl);
    if (cursor > lineLength || (flags & 0x80) != 0) expect = Expect::PassedOn;  // not to be trusted
    if (flags & 0x80) {
        const auto start = reinterpret_cast<std::uintptr_t>(call.line);
        switch (cursorChoice % 3) {
        case 0: call.record.lineStart = nullptr; break;
        case 1: call.record.cursorPos = reinterpret_cast<char16_t*>(start - sizeof(char16_t)); break;
        default: call.record.cursorPos = reinterpret_cast<char16_t*>(start + 2 * cursor + 1); break;
        }
    }
    std::memcpy(static_cast<void*>(&before), &call, sizeof call);
    RequireSameScanWithPortableClassifier(call.line, lineLength, cursor, escape != u'\0' ? escape : u'^');
    FUZZ_REQUIRE(key(nullptr) == 0 && fake_host::ExpandCalls() == 0);

    FUZZ_REQUIRE(key(&call.record) == 0);
    FUZZ_REQUIRE(fake_host::StandardOutput().empty() && fake_host::StandardError().empty());

    const bool untouched =
        std::memcmp(static_cast<const void*>(&call), &before, sizeof call) == 0 && fake_host::ClearEditLineCalls() == 0;
    if (expect == Expect::PassedOn || (expect == Expect::Unknown && untouched)) {
        FUZZ_REQUIRE(untouched);
        return 0;
    }

    // Consumed, whatever the action made of the line.
    FUZZ_REQUIRE(call.record.keyCode == 0);
    FUZZ_REQUIRE(call.record.lineStart == call.line);
    if (ExtendedKeyMode && call.record.keyName != nullptr) {
        FUZZ_REQUIRE(call.name[0] == u'\0');
        FUZZ_REQUIRE(SameUnits(call.name + 1, before.name + 1, NAME_UNITS - 1));
    } else {
        FUZZ_REQUIRE(SameUnits(call.name, before.name, NAME_UNITS));
    }
    FUZZ_REQUIRE(std::memcmp(call.record.hostBytesA, before.record.hostBytesA, sizeof call.record.hostBytesA) == 0);
    FUZZ_REQUIRE(std::memcmp(call.record.hostBytesB, before.record.hostBytesB, sizeof call.record.hostBytesB) == 0);

    const std::size_t newLength = TextLength(call.line);
    const std::ptrdiff_t cursorAfter = call.record.cursorPos - call.line;
    FUZZ_REQUIRE(cursorAfter >= 0 && static_cast<std::size_t>(cursorAfter) <= newLength);
    const auto newCursor = static_cast<std::size_t>(cursorAfter);
    FUZZ_REQUIRE(newLength <= lineLength);
    const std::size_t removed = lineLength - newLength;
    // The units behind the old terminator are never touched.
    FUZZ_REQUIRE(SameUnits(call.line + lineLength + 1, before.line + lineLength + 1, LINE_UNITS - lineLength - 1));

    // The text as it was, or one span taken out that ends at the old
    // cursor, where the new cursor is its start, or starts at the cursor.
    if (removed > 0) FUZZ_REQUIRE(newCursor == cursor || newCursor + removed == cursor);
    FUZZ_REQUIRE(SameUnits(call.line, before.line, newCursor));
    FUZZ_REQUIRE(SameUnits(call.line + newCursor, before.line + newCursor + removed, newLength - newCursor + 1));
    switch (expect) {
    case Expect::MoveLeft: FUZZ_REQUIRE(removed == 0 && (newCursor < cursor || newCursor == 0)); break;
    case Expect::MoveRight: FUZZ_REQUIRE(removed == 0 && (newCursor > cursor || newCursor == lineLength)); break;
    case Expect::DeleteLeft: FUZZ_REQUIRE(newCursor + removed == cursor && (removed > 0) == (cursor > 0)); break;
    case Expect::DeleteRight: FUZZ_REQUIRE(newCursor == cursor && (removed > 0) == (cursor < lineLength)); break;
    default: break;
    }

    const bool changed = removed > 0 || newCursor != cursor;
    FUZZ_REQUIRE(call.record.redraw == (changed ? 1 : before.record.redraw));
    FUZZ_REQUIRE(fake_host::ClearEditLineCalls() == (removed > 0 ? 1 : 0));

    const bool cursorInsidePair =
        cursor > 0 && cursor < lineLength && IsLow(before.line[cursor]) && IsHigh(before.line[cursor - 1]);
    if (WellFormed(before.line, lineLength) && !cursorInsidePair) {
        FUZZ_REQUIRE(WellFormed(call.line, newLength));
    }
    return 0;
}
