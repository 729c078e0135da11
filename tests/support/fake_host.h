// The host library as the native tests see it: the recording stand-in of
// tools/host_side (it answers variable expansions from a small table, keeps
// what is printed on standard output and standard error, and counts
// ClearEditLine calls), with the native stand-in's standard error handle.
// All storage is fixed, so the stand-in itself never allocates.
#pragma once

#include <cstddef>
#include <string>

#include "host_text.h"  // host_side::Narrow, for readable test failures

namespace fake_host {

// Forgets all output, counters and expansions; the escape character
// expansion answers "^" again.
void Reset();

// The expansion of `text` from now on. Texts without an answer expand to
// themselves, the way the host leaves unknown text.
void SetExpansion(const char16_t* text, const char16_t* expansion);

// From now on the expansion of `text` fills the caller's whole buffer of
// `units` units with `unit`, leaving no terminator.
void SetBufferFill(const char16_t* text, char16_t unit, std::size_t units);

// Everything printed so far.
std::u16string StandardOutput();
std::u16string StandardError();

// Number of calls so far; among the expansions, those whose flags were not
// 1, which the host's contract never allows.
int ExpandCalls();
int ExpandCallsWithOtherFlags();
int ClearEditLineCalls();

// Qprintf calls whose handle was not the standard error handle.
int QprintfOnOtherHandles();

}  // namespace fake_host
