#include "recording_host.h"

#include <cstdarg>

#include "expansion_table.h"
#include "output_capture.h"

namespace {

// The plug-in's expansion buffers hold at least 1024 units.
constexpr std::size_t EXPANSION_BUFFER_UNITS = 1024;

host_side::Stream standardOutput;
host_side::Stream standardError;
// Whole texts and their expansions; the batch position may be as long as
// the 8192-unit buffer the plug-in offers for it.
host_side::ExpansionTable<256, 9000, 16> expansions;
void* expectedErrorHandle = nullptr;
int expandCalls = 0;
int clearEditLineCalls = 0;
int otherHandleCalls = 0;

}  // namespace

namespace host_side {

void ResetRecording(void* standardErrorHandle) {
    standardOutput.Clear();
    standardError.Clear();
    expansions.Clear();
    expectedErrorHandle = standardErrorHandle;
    expandCalls = 0;
    clearEditLineCalls = 0;
    otherHandleCalls = 0;
    SetRecordedExpansion(u"%@option[escapechar]", u"^");
}

void SetRecordedExpansion(const char16_t* text, const char16_t* expansion) {
    expansions.Set(text, expansion);
}

const char16_t* RecordedStandardOutput() {
    return standardOutput.text;
}
const char16_t* RecordedStandardError() {
    return standardError.text;
}
int RecordedExpandCalls() {
    return expandCalls;
}
int RecordedClearEditLineCalls() {
    return clearEditLineCalls;
}
int RecordedQprintfOnOtherHandles() {
    return otherHandleCalls;
}

}  // namespace host_side

extern "C" {

int ExpandVariables(char16_t* buffer, int /*flags*/) {
    ++expandCalls;
    const char16_t* expansion = expansions.Find(buffer);
    if (expansion != nullptr)
        host_side::CopyTextCut(buffer, EXPANSION_BUFFER_UNITS, expansion, host_side::TextUnits(expansion));
    return 0;
}

int Printf(const char16_t* format, ...) {
    va_list values;
    va_start(values, format);
    standardOutput.AppendFormatted(format, values);
    va_end(values);
    return 0;
}

int Qprintf(void* handle, const char16_t* format, ...) {
    if (handle != expectedErrorHandle) {
        ++otherHandleCalls;
        standardError.Append(u"[wrong handle]");
    }
    va_list values;
    va_start(values, format);
    standardError.AppendFormatted(format, values);
    va_end(values);
    return 0;
}

int QPuts(const char16_t* text) {
    standardOutput.Append(text);
    return 0;
}

void ClearEditLine(char16_t* /*line*/) {
    ++clearEditLineCalls;
}

}  // extern "C"
