#include "fake_host.h"

#include <cstdarg>
#include <cstddef>

#include "fake_os.h"
#include "host/host_api.h"
#include "output_capture.h"

namespace {

// The plug-in's expansion buffers hold at least 1024 units.
constexpr std::size_t EXPANSION_BUFFER_UNITS = 1024;

host_recorder::Stream standardOutput;
host_recorder::Stream standardError;
host_recorder::ExpansionTable expansions;
int expandCalls = 0;
int clearEditLineCalls = 0;
int otherHandleCalls = 0;

}  // namespace

namespace fake_host {

void Reset() {
    standardOutput.Clear();
    standardError.Clear();
    expansions.Clear();
    expandCalls = 0;
    clearEditLineCalls = 0;
    otherHandleCalls = 0;
    SetExpansion(u"%@option[escapechar]", u"^");
}

void SetExpansion(const char16_t* text, const char16_t* expansion) {
    expansions.Set(text, expansion);
}

std::u16string StandardOutput() { return std::u16string(standardOutput.text, standardOutput.length); }
std::u16string StandardError() { return std::u16string(standardError.text, standardError.length); }
int ExpandCalls() { return expandCalls; }
int ClearEditLineCalls() { return clearEditLineCalls; }
int QprintfOnOtherHandles() { return otherHandleCalls; }

std::string Narrow(const std::u16string& text) {
    std::string narrow;
    for (char16_t unit : text) {
        if (unit < 0x80) {
            narrow += static_cast<char>(unit);
        } else {
            static const char HEX[] = "0123456789ABCDEF";
            narrow += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) narrow += HEX[(unit >> shift) & 0xF];
        }
    }
    return narrow;
}

}  // namespace fake_host

extern "C" {

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
    if (handle != fake_os::STANDARD_ERROR_HANDLE) ++otherHandleCalls;
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
