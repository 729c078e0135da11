#include "edit_line.h"

#include <cstdint>

namespace standin {
namespace {

int Measure(const char16_t* text) {
    int length = 0;
    while (length < LINE_UNITS - 1 && text[length] != u'\0') ++length;
    return length;
}

bool InsertAtCursor(EditLine* line, char16_t character) {
    if (line->length + 1 >= LINE_UNITS) return false;
    for (int i = line->length; i > line->cursor; --i) line->text[i] = line->text[i - 1];
    line->text[line->cursor++] = character;
    line->text[++line->length] = u'\0';
    return true;
}

bool RemoveAt(EditLine* line, int position) {
    if (position < 0 || position >= line->length) return false;
    for (int i = position; i < line->length; ++i) line->text[i] = line->text[i + 1];
    --line->length;
    if (line->cursor > position) --line->cursor;
    return true;
}

bool MoveTo(EditLine* line, int position) {
    if (position < 0 || position > line->length || position == line->cursor) return false;
    line->cursor = position;
    return true;
}

LineEffect ChangedIf(bool changed) {
    return changed ? LineEffect::Changed : LineEffect::None;
}

}  // namespace

void ClearLine(EditLine* line) {
    line->text[0] = u'\0';
    line->length = 0;
    line->cursor = 0;
}

void SetLineText(EditLine* line, const char16_t* text) {
    int length = 0;
    while (length < LINE_UNITS - 1 && text[length] != u'\0') {
        line->text[length] = text[length];
        ++length;
    }
    line->text[length] = u'\0';
    line->length = length;
    line->cursor = length;
}

void SetCursor(EditLine* line, int position) {
    line->cursor = position < 0 ? 0 : position > line->length ? line->length : position;
}

bool TakeLineFromBuffer(EditLine* line, const char16_t* cursor) {
    line->text[LINE_UNITS - 1] = u'\0';
    line->length = Measure(line->text);
    // From the addresses, not by subtracting the pointers: that is defined
    // only for pointers into the same array.
    const auto start = reinterpret_cast<std::uintptr_t>(line->text);
    const auto at = reinterpret_cast<std::uintptr_t>(cursor);
    const std::uintptr_t offset = at - start;
    const bool inside = at >= start && offset % sizeof(char16_t) == 0 &&
                        offset / sizeof(char16_t) <= static_cast<std::uintptr_t>(line->length);
    SetCursor(line, inside ? static_cast<int>(offset / sizeof(char16_t)) : line->cursor);
    return inside;
}

LineEffect ApplyHostKey(EditLine* line, const ConsoleKey& key) {
    const bool plainOrAltGr = key.ctrl == key.alt;
    if (!key.ctrl && !key.alt) {
        switch (key.virtualKey) {
        case VK_LEFT_KEY: return ChangedIf(MoveTo(line, line->cursor - 1));
        case VK_RIGHT_KEY: return ChangedIf(MoveTo(line, line->cursor + 1));
        case VK_HOME_KEY: return ChangedIf(MoveTo(line, 0));
        case VK_END_KEY: return ChangedIf(MoveTo(line, line->length));
        case VK_BACK_KEY: return ChangedIf(line->cursor > 0 && RemoveAt(line, line->cursor - 1));
        case VK_DELETE_KEY: return ChangedIf(RemoveAt(line, line->cursor));
        case VK_RETURN_KEY: return LineEffect::Submit;
        case VK_ESCAPE_KEY: {
            const bool hadText = line->length > 0;
            ClearLine(line);
            return ChangedIf(hadText);
        }
        default: break;
        }
    }
    if (key.ctrl && !key.alt && key.character == 3) return LineEffect::Cancel;
    if (plainOrAltGr && key.character >= u' ' && key.character != 0x7F) {
        return ChangedIf(InsertAtCursor(line, key.character));
    }
    return LineEffect::None;
}

}  // namespace standin
