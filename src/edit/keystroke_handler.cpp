#include "edit/keystroke_handler.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include "edit/argument_scanner.h"
#include "edit/escape_char.h"
#include "hotkeys/hotkey_names.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_codes.h"
#include "os/os.h"
#include "text/text.h"

namespace tolvek {

namespace {

enum class Action { MoveLeft, MoveRight, DeleteLeft, DeleteRight };

// ActionFor turns the slot of an action's first key into the action.
static_assert(static_cast<int>(Action::MoveLeft) == MoveLeft);
static_assert(static_cast<int>(Action::MoveRight) == MoveRight);
static_assert(static_cast<int>(Action::DeleteLeft) == DeleteLeft);
static_assert(static_cast<int>(Action::DeleteRight) == DeleteRight);

// The code the host gave, or in extended key mode the code of the key's
// name when the host gave none; 0 when the key is to be passed on.
KeyCode KeyCodeOf(const KeystrokeRecord& record, KeySet keys) {
    if (record.keyCode != 0) return record.keyCode;
    if (!keys.extended || record.keyName == nullptr) return 0;
    return ParseHotkeyName(keys, record.keyName);
}

// Adds the flags of the modifier combination held at this moment.
KeyCode AddHeldModifierFlags(KeyCode code, KeySet keys) {
    const bool shift = os::IsKeyHeld(os::VK_SHIFT_KEY);
    const bool ctrl = os::IsKeyHeld(os::VK_CONTROL_KEY);
    const bool alt = os::IsKeyHeld(os::VK_ALT_KEY);
    if (shift && ctrl && !alt) return code | CTRL_SHIFT_FLAG;
    if (ctrl && alt && !shift) return code | CTRL_ALT_FLAG;
    if (shift && ctrl && alt && keys.extended) return code | CTRL_SHIFT_FLAG | CTRL_ALT_FLAG;
    return code;
}

// Slots are compared action by action, the first key before the second.
// A code that is no key matches no slot, whatever the slots hold: NO_HOTKEY,
// which a switched-off slot holds, and the two key table markers, which a
// key given by name parses to when it cannot be a hotkey. No action for a
// key no slot holds.
std::optional<Action> ActionFor(const HotkeySlotCodes& slots, KeyCode code) {
    if (code == NO_HOTKEY || IsKeyTableMarker(code)) return std::nullopt;
    for (int slot = MoveLeft; slot <= DeleteRight; ++slot) {
        if (slots[slot] == code || slots[slot + SECOND_KEY_OFFSET] == code) {
            return static_cast<Action>(slot);
        }
    }
    return std::nullopt;
}

// The line and the cursor index of a record, when both can be trusted:
// a line, and a cursor on one of its characters or on its terminator.
[[nodiscard]] bool LocateCursor(const KeystrokeRecord& record, std::int32_t* cursor, std::int32_t* length) {
    if (record.lineStart == nullptr) return false;
    const std::size_t lineLength = TextLength(record.lineStart);
    const auto start = reinterpret_cast<std::uintptr_t>(record.lineStart);
    const auto at = reinterpret_cast<std::uintptr_t>(record.cursorPos);
    if (at < start || (at - start) % sizeof(char16_t) != 0) return false;
    const std::uintptr_t index = (at - start) / sizeof(char16_t);
    if (index > lineLength || lineLength > INT32_MAX) return false;
    *cursor = static_cast<std::int32_t>(index);
    *length = static_cast<std::int32_t>(lineLength);
    return true;
}

struct Outcome {
    std::int32_t cursor;
    bool changed;
};

// The line one keystroke works on, and the escape character of its scan.
struct EditedLine {
    char16_t* text;
    std::int32_t length;
    std::int32_t cursor;
    char16_t escape;
};

std::int32_t BoundaryFrom(const EditedLine& line, int mode) {
    return FindArgumentBoundary(line.text, line.length, line.cursor, mode, line.escape);
}

// The actions. A boundary is never the cursor's own position, so finding
// one always moves the cursor. The spans deleted are always within the line.

// To the start of the argument left of the cursor, else to the line's start.
Outcome MoveToLeftBoundary(const EditedLine& line) {
    const std::int32_t b = BoundaryFrom(line, 0);
    if (b != NO_BOUNDARY) return {b, true};
    return {0, line.cursor != 0};
}

// To the start of the argument right of the cursor, else to the line's end.
Outcome MoveToRightBoundary(const EditedLine& line) {
    const std::int32_t b = BoundaryFrom(line, SCAN_RIGHT);
    if (b != NO_BOUNDARY) return {b, true};
    return {line.length, line.cursor < line.length};
}

// Deletes from that start, or the line's start, up to the cursor.
Outcome DeleteLeftArgument(const EditedLine& line) {
    const std::int32_t c = line.cursor;
    const std::int32_t b = BoundaryFrom(line, 0);
    if (b != NO_BOUNDARY) {
        EraseUnits(line.text, b, c);
        return {b, true};
    }
    if (c == 0) return {c, false};
    EraseUnits(line.text, 0, c);
    return {0, true};
}

// Deletes from the cursor up to the next argument, or a "]" closing a
// reference, or else to the line's end.
Outcome DeleteRightArgument(const EditedLine& line) {
    const std::int32_t c = line.cursor;
    const std::int32_t n = line.length;
    const std::int32_t b = BoundaryFrom(line, SCAN_RIGHT | SCAN_STOP_AT_BRACKET);
    if (b != NO_BOUNDARY) {
        EraseUnits(line.text, c, b);
        return {c, true};
    }
    if (c >= n) return {c, false};
    EraseUnits(line.text, c, n);
    return {c, true};
}

// One case per action and no default, so that -Wswitch names a new action
// that has none.
Outcome Perform(Action action, const EditedLine& line) {
    switch (action) {
    case Action::MoveLeft: return MoveToLeftBoundary(line);
    case Action::MoveRight: return MoveToRightBoundary(line);
    case Action::DeleteLeft: return DeleteLeftArgument(line);
    case Action::DeleteRight: return DeleteRightArgument(line);
    }
    return {line.cursor, false};  // only for a value outside the enumeration
}

}  // namespace

void HandleKeystroke(KeystrokeRecord* record, const HotkeySlotCodes& slots, KeySet keys) {
    if (record == nullptr) return;

    const KeyCode named = KeyCodeOf(*record, keys);
    if (named == 0) return;
    const std::optional<Action> action = ActionFor(slots, AddHeldModifierFlags(named, keys));
    if (!action) return;

    std::int32_t cursor = 0;
    std::int32_t length = 0;
    if (!LocateCursor(*record, &cursor, &length)) return;

    // Every action scans a line with text once, and the scan needs the
    // escape character in force: the host is asked once, and not at all
    // for an empty line.
    const char16_t escape = length > 0 ? GetEscapeChar() : u'^';
    const Outcome outcome = Perform(*action, EditedLine{record->lineStart, length, cursor, escape});
    record->cursorPos = record->lineStart + outcome.cursor;
    if (outcome.changed) record->redraw = 1;

    record->keyCode = 0;
    if (keys.extended && record->keyName != nullptr) record->keyName[0] = u'\0';
}

void EraseUnits(char16_t* line, std::int32_t from, std::int32_t to) {
    if (line == nullptr || from < 0 || to <= from) return;
    const std::size_t length = TextLength(line);
    if (static_cast<std::size_t>(to) > length) return;
    ClearEditLine(line);
    // The tail from `to` through the terminator moves down to `from`.
    std::memmove(line + from, line + to, (length - static_cast<std::size_t>(to) + 1) * sizeof(char16_t));
}

}  // namespace tolvek
