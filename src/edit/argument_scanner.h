// Finds where the arguments of the edit line begin, the way the command
// processor splits a line: blanks separate, double quotes group, the escape
// character protects the next character, %@function[...] references nest
// (a comma separates inside their brackets), and a / switch starts a new
// argument even inside a word. A pure function of its arguments: it reads
// the line and nothing else. The rules are in argument_rules.h, the fast
// passes that stand in for them over most of a line in scan_accelerator.h,
// and the scan that drives both in boundary_scan.h.
#pragma once

#include <cstdint>

namespace tolvek {

// Mode bits of FindArgumentBoundary.
constexpr int SCAN_RIGHT = 0x01;            // clear: search leftward
constexpr int SCAN_STOP_AT_BRACKET = 0x80;  // a "]" closing a reference is a boundary too

// What FindArgumentBoundary returns when there is no boundary.
constexpr std::int32_t NO_BOUNDARY = -1;

// Searches the `length` units of `line` (which end in its terminator) for
// the nearest argument boundary strictly left of `cursor` (the last one
// before it) or, with SCAN_RIGHT, strictly right of it (the first one after
// it), with `escape` as the escape character. Returns the boundary, or
// NO_BOUNDARY when there is none or the line is empty.
std::int32_t FindArgumentBoundary(const char16_t* line, std::int32_t length, std::int32_t cursor, int mode,
                                  char16_t escape);

}  // namespace tolvek
