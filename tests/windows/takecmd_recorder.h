// Controls of the stand-in host library used by the Wine tests.
#pragma once

extern "C" {

// Forgets output, counters and expansions; the escape character expands to "^".
void StandInReset();
// From now on `text` expands to `expansion`; other texts stay as they are.
void StandInSetExpansion(const char16_t* text, const char16_t* expansion);
// Everything printed since the last reset.
const char16_t* StandInStandardOutput();
const char16_t* StandInStandardError();
int StandInClearEditLineCalls();
int StandInExpandCalls();

}  // extern "C"
