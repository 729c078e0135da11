// Finds where the arguments of the edit line begin, the way the command
// processor splits a line: blanks separate, double quotes group, the escape
// character protects the next character, %@function[...] references nest
// (a comma separates inside their brackets), and a / switch starts a new
// argument even inside a word.
#pragma once

#include <cstdint>

// Mode bits of FindArgumentBoundary.
constexpr int SCAN_RIGHT = 0x01;            // clear: search leftward
constexpr int SCAN_STOP_AT_BRACKET = 0x80;  // a "]" closing a reference is a boundary too

// Searches `line` for the nearest argument boundary strictly left of
// `*cursor` (the last one before it) or, with SCAN_RIGHT, strictly right of
// it (the first one after it). Returns 1 and stores the boundary in *cursor,
// or returns 0 and leaves *cursor alone when there is none or the line is
// empty. Asks the host for its escape character once per non-empty line.
int FindArgumentBoundary(const char16_t* line, std::int32_t* cursor, int mode);

// The same for a line whose length (units before the terminator) the caller
// knows already.
int FindArgumentBoundaryInLine(const char16_t* line, std::int32_t length, std::int32_t* cursor, int mode);

// The host's current escape character, or "^" when the host names none.
char16_t GetEscapeChar();
