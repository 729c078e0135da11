// A recording stand-in for the host library, for native tests: it answers
// variable expansions from a small table, keeps what is printed on standard
// output and standard error, and counts ClearEditLine calls. All storage is
// fixed, so the stand-in itself never allocates.
#pragma once

#include <string>

namespace fake_host {

// Forgets all output, counters and expansions; the escape character
// expansion answers "^" again.
void Reset();

// The expansion of `text` from now on. Texts without an answer expand to
// themselves, the way the host leaves unknown text.
void SetExpansion(const char16_t* text, const char16_t* expansion);

// Everything printed so far.
std::u16string StandardOutput();
std::u16string StandardError();

// Number of calls so far.
int ExpandCalls();
int ClearEditLineCalls();

// Qprintf calls whose handle was not the standard error handle.
int QprintfOnOtherHandles();

// Converts for readable test failures.
std::string Narrow(const std::u16string& text);

}  // namespace fake_host
