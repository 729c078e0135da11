// The stand-in host's own command-line editor: a line of UTF-16 text with a
// cursor, edited by the keys the plug-in passes on. Portable code.
#pragma once

#include <cstddef>

#include "key_translation.h"

namespace standin {

constexpr int LINE_UNITS = 4096;  // the line's capacity, terminator included

struct EditLine {
    char16_t text[LINE_UNITS];
    int length;
    int cursor;  // 0 to length
};

// Empties the line.
void ClearLine(EditLine* line);

// Replaces the text (cut to the capacity) and puts the cursor at its end.
void SetLineText(EditLine* line, const char16_t* text);

// Puts the cursor at `position`, kept within 0 and the line's length.
void SetCursor(EditLine* line, int position);

// Takes the line as the plug-in left it in the buffer: measures it again and
// places the cursor where `cursor` points. Returns false, with the cursor
// kept within the line, when `cursor` does not point at one of the line's
// characters or its terminator. Only addresses are compared: the plug-in
// may have left the pointer anywhere.
bool TakeLineFromBuffer(EditLine* line, const char16_t* cursor);

// What the host does with a key the plug-in passed on.
enum class LineEffect {
    None,     // the key means nothing to the line
    Changed,  // text or cursor changed
    Submit,   // Enter: run the line
    Cancel,   // Ctrl+C: drop the line
};

// Printable characters (typed without Ctrl or Alt, or with both, as AltGr
// does) insert at the cursor; Left, Right, Home, End move it; Backspace and
// Del delete before or at it; Esc empties the line; Enter submits it.
LineEffect ApplyHostKey(EditLine* line, const ConsoleKey& key);

}  // namespace standin
