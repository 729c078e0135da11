// The stand-in host library: records what the plug-in prints and answers
// its variable expansions from a small table.
#include "takecmd_recorder.h"

#include <windows.h>

#include <cstdarg>
#include <cstddef>

#include "output_capture.h"

namespace {

// The plug-in's expansion buffers hold at least 1024 units.
constexpr std::size_t EXPANSION_BUFFER_UNITS = 1024;

host_recorder::Stream standardOutput;
host_recorder::Stream standardError;
host_recorder::ExpansionTable expansions;
int clearEditLineCalls = 0;
int expandCalls = 0;

}  // namespace

extern "C" {

void StandInReset() {
    standardOutput.Clear();
    standardError.Clear();
    expansions.Clear();
    clearEditLineCalls = 0;
    expandCalls = 0;
    StandInSetExpansion(u"%@option[escapechar]", u"^");
}

void StandInSetExpansion(const char16_t* text, const char16_t* expansion) {
    expansions.Set(text, expansion);
}

const char16_t* StandInStandardOutput() { return standardOutput.text; }
const char16_t* StandInStandardError() { return standardError.text; }
int StandInClearEditLineCalls() { return clearEditLineCalls; }
int StandInExpandCalls() { return expandCalls; }

int ExpandVariables(char16_t* buffer, int /*flags*/) {
    ++expandCalls;
    expansions.Expand(buffer, EXPANSION_BUFFER_UNITS);
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
    va_list values;
    va_start(values, format);
    // Anything not written to the real standard error handle is marked.
    if (handle != GetStdHandle(STD_ERROR_HANDLE)) standardError.Append(u"[wrong handle]");
    standardError.AppendFormatted(format, values);
    va_end(values);
    return 0;
}

int QPuts(const char16_t* text) {
    standardOutput.Append(text);
    return 0;
}

void StandInClearEditLine(char16_t* /*line*/) {
    ++clearEditLineCalls;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

}  // extern "C"
