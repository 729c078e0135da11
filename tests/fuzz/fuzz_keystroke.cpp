// The keystroke handler over arbitrary lines, cursors, slots, modifier
// states, escape characters and both key modes. Checks that the cursor stays
// on the line, the line never grows, only deletions shorten it and only by
// one contiguous span, a key matching no slot leaves everything as it was,
// and well-formed UTF-16 stays well formed.
#include <cstdlib>
#include <cstring>

#include "edit/keystroke_handler.h"
#include "plugin/exports.h"
#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_input.h"
#include "host/host_generation.h"
#include "hotkeys/hotkey_slots.h"
#include "text/text.h"

namespace {

constexpr std::size_t LINE_UNITS = 9000;

const char16_t* const ESCAPES[] = {u"^", u"~", u"\"", u" ", u"%", u"/", u"]", u"", u"^^", u","};

void Require(bool condition) {
    if (!condition) std::abort();
}

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

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

// The new line is the old one less one contiguous span.
bool IsOldLessOneSpan(const char16_t* before, std::size_t oldLength, const char16_t* after, std::size_t newLength) {
    std::size_t prefix = 0;
    while (prefix < newLength && before[prefix] == after[prefix]) ++prefix;
    const std::size_t removed = oldLength - newLength;
    return std::memcmp(after + prefix, before + prefix + removed, (newLength - prefix) * sizeof(char16_t)) == 0;
}

struct Call {
    KeystrokeRecord record;
    char16_t line[LINE_UNITS];
    char16_t name[64];
};

Call call;
Call before;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    fake_host::Reset();
    fake_os::Reset();

    const std::uint8_t flags = input.Byte();
    ExtendedKeyMode = (flags & 1) != 0;
    fake_os::HoldModifiers((flags & 2) != 0, (flags & 4) != 0, (flags & 8) != 0);
    fake_host::SetExpansion(u"%@option[escapechar]", ESCAPES[input.Byte() % (sizeof ESCAPES / sizeof *ESCAPES)]);

    ResetHotkeysToDefaults();
    if (flags & 0x10) {
        for (KeyCode& slot : HotkeySlots) slot = static_cast<KeyCode>(input.Word() & 0x7FFFF);
    }
    const std::uint8_t keyChoice = input.Byte();
    const KeyCode code = (keyChoice < 8) ? HotkeySlots[keyChoice] : static_cast<KeyCode>(input.Word());
    const std::uint16_t cursorChoice = input.Unit();

    std::memset(static_cast<void*>(&call.record), 0xA5, sizeof call.record);
    const std::size_t length = input.RestAsText(call.line, LINE_UNITS);
    const std::size_t lineLength = TextLength(call.line);
    std::size_t cursor = cursorChoice % (lineLength + 2);  // one past the end is refused
    call.record.keyCode = code;
    call.record.lineStart = call.line;
    call.record.cursorPos = call.line + cursor;
    call.record.redraw = 0;
    std::memcpy(call.name, u"NoSuchKey", sizeof u"NoSuchKey");
    call.record.keyName = call.name;
    std::memcpy(static_cast<void*>(&before), &call, sizeof call);
    (void)length;

    Require(key(&call.record) == 0);

    const bool consumed = call.record.keyCode == 0 && code != 0;
    if (!consumed) {
        Require(std::memcmp(static_cast<const void*>(&call), &before, sizeof call) == 0);
        Require(fake_host::ClearEditLineCalls() == 0);
        return 0;
    }

    Require(cursor <= lineLength);
    const std::size_t newLength = TextLength(call.line);
    const long newCursor = call.record.cursorPos - call.line;
    Require(newCursor >= 0 && static_cast<std::size_t>(newCursor) <= newLength);
    Require(newLength <= lineLength);
    if (newLength < lineLength) {
        Require(fake_host::ClearEditLineCalls() == 1);
        Require(IsOldLessOneSpan(before.line, lineLength, call.line, newLength));
        Require(call.record.redraw == 1);
    } else {
        Require(fake_host::ClearEditLineCalls() == 0);
        Require(std::memcmp(call.line, before.line, (lineLength + 1) * sizeof(char16_t)) == 0);
    }
    const bool cursorInsidePair = cursor > 0 && cursor < lineLength && IsLow(before.line[cursor]) &&
                                  IsHigh(before.line[cursor - 1]);
    if (WellFormed(before.line, lineLength) && !cursorInsidePair) {
        Require(WellFormed(call.line, newLength));
    }
    return 0;
}
