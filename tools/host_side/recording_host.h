// The recording stand-in of the host library, for the native tests and for
// the TakeCmd.dll of the Wine tests: it defines the five services a plug-in
// imports (ExpandVariables, Printf, Qprintf, QPuts and ClearEditLine, all
// with C linkage), keeps what is printed on standard output and standard
// error, answers expansions from a table of whole texts, and counts calls
// and the expansions asked with flags other than 1.
#pragma once

#include <cstddef>

namespace host_side {

// Forgets all output, counters and expansions; "%@option[escapechar]"
// expands to "^" again. From now on a Qprintf on any handle other than
// `standardErrorHandle` is counted and marked "[wrong handle]" in the
// recorded standard error.
void ResetRecording(void* standardErrorHandle);

// From now on a buffer holding exactly `text` (A to Z compared without
// case) expands to `expansion`; any other text stays as it is, the way the
// host leaves text it does not know.
void SetRecordedExpansion(const char16_t* text, const char16_t* expansion);

// From now on a buffer holding exactly `text` is filled with `units`
// copies of `unit` and no terminator, as a host may answer when the
// expansion fills the caller's whole buffer. `units` is at most 8192.
void SetRecordedBufferFill(const char16_t* text, char16_t unit, std::size_t units);

// Everything printed since the last reset.
const char16_t* RecordedStandardOutput();
const char16_t* RecordedStandardError();

// Calls since the last reset, and among the expansions those whose flags
// were not 1, the only value the host's contract allows.
int RecordedExpandCalls();
int RecordedExpandCallsWithOtherFlags();
int RecordedClearEditLineCalls();
int RecordedQprintfOnOtherHandles();

}  // namespace host_side
