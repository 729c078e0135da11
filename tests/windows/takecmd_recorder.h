// Controls of the TakeCmd.dll that the Wine tests put beside tolvek.dll.
#pragma once

extern "C" {

// Forgets output, counters and expansions; the escape character expands to
// "^". A Qprintf on a handle other than standard error is marked
// "[wrong handle]" in the recorded standard error from now on.
void StandInReset();
// From now on `text` expands to `expansion`; other texts stay as they are.
void StandInSetExpansion(const char16_t* text, const char16_t* expansion);
// Everything printed since the last reset.
const char16_t* StandInStandardOutput();
const char16_t* StandInStandardError();
int StandInClearEditLineCalls();
int StandInExpandCalls();

}  // extern "C"
