// The steps of a stand-in host script, one per line. Portable code.
//
//   # text          a comment, not shown
//   say TEXT        shows TEXT in the transcript ("say" alone: an empty line)
//   type TEXT       types TEXT key by key, each key offered to the plug-in
//   key NAME ...    presses the named keys one after the other
//   line TEXT       sets the edit line to TEXT, the cursor at its end
//   cursor N        puts the cursor at position N (0 is the first character);
//                   "cursor end" at the end of the line
//   run TEXT        sets the edit line to TEXT and presses Enter
//
// Blank lines are skipped. Words are separated by blanks; the text of "say",
// "type", "line" and "run" is the rest of the line after one blank, kept as
// it is.
#pragma once

namespace standin {

enum class StepKind { Skip, Say, Type, Key, Line, Cursor, Run, Unknown };

struct Step {
    StepKind kind;
    const char16_t* argument;  // points into the script line; empty for none
};

Step ParseStep(const char16_t* line);

// The next blank-separated word of `text` from `*position` on, copied into
// `word` (cut to `capacity` units with the terminator); false at the end.
bool NextWord(const char16_t* text, int* position, char16_t* word, int capacity);

}  // namespace standin
