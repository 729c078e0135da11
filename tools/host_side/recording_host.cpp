#include "recording_host.h"

#include <cstdarg>

#include "expansion_table.h"
#include "output_capture.h"

namespace {

// The plug-in's expansion buffers hold at least 1024 units.
constexpr std::size_t EXPANSION_BUFFER_UNITS = 1024;

host_side::Stream StandardOutput;
host_side::Stream StandardError;
// Whole texts and their expansions; the batch position may be as long as
// the 8192-unit buffer the plug-in offers for it.
host_side::ExpansionTable<256, 9000, 16> Expansions;
// Texts whose expansion fills the caller's whole buffer, with no room
// left for a terminator.
constexpr std::size_t MAX_FILL_UNITS = 8192;
struct BufferFill {
    char16_t text[256];
    char16_t unit;
    std::size_t units;
};
BufferFill Fills[4];
std::size_t FillCount = 0;

const BufferFill* FillFor(const char16_t* buffer) {
    const std::size_t length = host_side::TextUnits(buffer);
    for (std::size_t i = 0; i < FillCount; ++i) {
        if (host_side::SameNameIgnoringAsciiCase(Fills[i].text, buffer, length)) return &Fills[i];
    }
    return nullptr;
}
void* ExpectedErrorHandle = nullptr;
int ExpandCalls = 0;
int ExpandCallsWithOtherFlags = 0;  // the host's contract: the flags are always 1
int ClearEditLineCalls = 0;
int OtherHandleCalls = 0;

}  // namespace

namespace host_side {

void ResetRecording(void* standardErrorHandle) {
    StandardOutput.Clear();
    StandardError.Clear();
    Expansions.Clear();
    FillCount = 0;
    ExpectedErrorHandle = standardErrorHandle;
    ExpandCalls = 0;
    ExpandCallsWithOtherFlags = 0;
    ClearEditLineCalls = 0;
    OtherHandleCalls = 0;
    SetRecordedExpansion(u"%@option[escapechar]", u"^");
}

void SetRecordedExpansion(const char16_t* text, const char16_t* expansion) {
    Expansions.Set(text, expansion);
}

void SetRecordedBufferFill(const char16_t* text, char16_t unit, std::size_t units) {
    if (FillCount == sizeof Fills / sizeof Fills[0]) return;
    BufferFill& fill = Fills[FillCount++];
    CopyTextCut(fill.text, sizeof fill.text / sizeof fill.text[0], text, TextUnits(text));
    fill.unit = unit;
    fill.units = units < MAX_FILL_UNITS ? units : MAX_FILL_UNITS;
}

const char16_t* RecordedStandardOutput() {
    return StandardOutput.text;
}
const char16_t* RecordedStandardError() {
    return StandardError.text;
}
int RecordedExpandCalls() {
    return ExpandCalls;
}
int RecordedExpandCallsWithOtherFlags() {
    return ExpandCallsWithOtherFlags;
}
int RecordedClearEditLineCalls() {
    return ClearEditLineCalls;
}
int RecordedQprintfOnOtherHandles() {
    return OtherHandleCalls;
}

}  // namespace host_side

extern "C" {

int ExpandVariables(char16_t* buffer, int flags) {
    ++ExpandCalls;
    if (flags != 1) ++ExpandCallsWithOtherFlags;
    if (const BufferFill* fill = FillFor(buffer)) {
        for (std::size_t i = 0; i < fill->units; ++i) buffer[i] = fill->unit;
        return 0;
    }
    const char16_t* expansion = Expansions.Find(buffer);
    if (expansion != nullptr)
        host_side::CopyTextCut(buffer, EXPANSION_BUFFER_UNITS, expansion, host_side::TextUnits(expansion));
    return 0;
}

int Printf(const char16_t* format, ...) {
    va_list values;
    va_start(values, format);
    StandardOutput.AppendFormatted(format, values);
    va_end(values);
    return 0;
}

int Qprintf(void* handle, const char16_t* format, ...) {
    if (handle != ExpectedErrorHandle) {
        ++OtherHandleCalls;
        StandardError.Append(u"[wrong handle]");
    }
    va_list values;
    va_start(values, format);
    StandardError.AppendFormatted(format, values);
    va_end(values);
    return 0;
}

int QPuts(const char16_t* text) {
    StandardOutput.Append(text);
    return 0;
}

void ClearEditLine(char16_t* /*line*/) {
    ++ClearEditLineCalls;
}

}  // extern "C"
