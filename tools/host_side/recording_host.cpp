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
// Texts whose expansion fills the caller's whole buffer, with no room
// left for a terminator.
constexpr std::size_t MAX_FILL_UNITS = 8192;
struct BufferFill {
    char16_t text[256];
    char16_t unit;
    std::size_t units;
};
BufferFill fills[4];
std::size_t fillCount = 0;

const BufferFill* FillFor(const char16_t* buffer) {
    const std::size_t length = host_side::TextUnits(buffer);
    for (std::size_t i = 0; i < fillCount; ++i) {
        if (host_side::SameNameIgnoringAsciiCase(fills[i].text, buffer, length)) return &fills[i];
    }
    return nullptr;
}
void* expectedErrorHandle = nullptr;
int expandCalls = 0;
int expandCallsWithOtherFlags = 0;  // the host's contract: the flags are always 1
int clearEditLineCalls = 0;
int otherHandleCalls = 0;

}  // namespace

namespace host_side {

void ResetRecording(void* standardErrorHandle) {
    standardOutput.Clear();
    standardError.Clear();
    expansions.Clear();
    fillCount = 0;
    expectedErrorHandle = standardErrorHandle;
    expandCalls = 0;
    expandCallsWithOtherFlags = 0;
    clearEditLineCalls = 0;
    otherHandleCalls = 0;
    SetRecordedExpansion(u"%@option[escapechar]", u"^");
}

void SetRecordedExpansion(const char16_t* text, const char16_t* expansion) {
    expansions.Set(text, expansion);
}

void SetRecordedBufferFill(const char16_t* text, char16_t unit, std::size_t units) {
    if (fillCount == sizeof fills / sizeof fills[0]) return;
    BufferFill& fill = fills[fillCount++];
    CopyTextCut(fill.text, sizeof fill.text / sizeof fill.text[0], text, TextUnits(text));
    fill.unit = unit;
    fill.units = units < MAX_FILL_UNITS ? units : MAX_FILL_UNITS;
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
int RecordedExpandCallsWithOtherFlags() {
    return expandCallsWithOtherFlags;
}
int RecordedClearEditLineCalls() {
    return clearEditLineCalls;
}
int RecordedQprintfOnOtherHandles() {
    return otherHandleCalls;
}

}  // namespace host_side

extern "C" {

int ExpandVariables(char16_t* buffer, int flags) {
    ++expandCalls;
    if (flags != 1) ++expandCallsWithOtherFlags;
    if (const BufferFill* fill = FillFor(buffer)) {
        for (std::size_t i = 0; i < fill->units; ++i) buffer[i] = fill->unit;
        return 0;
    }
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
