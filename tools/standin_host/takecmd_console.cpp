// The stand-in host's library: the services of TakeCmd.dll that a plug-in
// calls, writing to the real console streams, with variables that the
// stand-in host program sets from its command line.
#include "takecmd_console.h"

#include <windows.h>

#include <cstdarg>
#include <cstddef>

#include "host/host_api.h"
#include "host_format.h"
#include "host_variables.h"

namespace {

constexpr std::size_t EXPANSION_UNITS = 1024;  // the smallest buffer a plug-in passes
constexpr std::size_t FORMAT_UNITS = 16384;
constexpr int UTF8_CHUNK_UNITS = 2048;

void (*ClearEditLineHook)(char16_t*) = nullptr;
int PrintCount = 0;

// The host variables hold their defaults from the moment the library loads.
struct DefaultVariables {
    DefaultVariables() noexcept { standin::ResetHostVariables(); }
};
DefaultVariables HostVariablesAtLoad;

void WriteText(HANDLE handle, const char16_t* text) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text == nullptr) return;
    std::size_t length = 0;
    while (text[length] != u'\0') ++length;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, reinterpret_cast<const wchar_t*>(text), static_cast<DWORD>(length), &written, nullptr);
        return;
    }
    // A file or pipe gets UTF-8, in pieces that never split a surrogate pair.
    static char Utf8Bytes[UTF8_CHUNK_UNITS * 3 + 4];
    for (std::size_t start = 0; start < length;) {
        std::size_t count = length - start < UTF8_CHUNK_UNITS ? length - start : UTF8_CHUNK_UNITS;
        if (start + count < length && text[start + count - 1] >= 0xD800 && text[start + count - 1] < 0xDC00) --count;
        const int size = WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const wchar_t*>(text + start),
                                             static_cast<int>(count), Utf8Bytes, sizeof Utf8Bytes, nullptr, nullptr);
        if (size > 0) WriteFile(handle, Utf8Bytes, static_cast<DWORD>(size), &written, nullptr);
        start += count;
    }
}

void WriteFormatted(HANDLE handle, const char16_t* format, va_list values) {
    static char16_t Formatted[FORMAT_UNITS];
    ++PrintCount;
    if (format == nullptr) return;
    FormatHostText(Formatted, FORMAT_UNITS, format, values);
    WriteText(handle, Formatted);
}

}  // namespace

extern "C" {

int ExpandVariables(char16_t* buffer, int /*flags*/) {
    standin::ExpandHostVariables(buffer, EXPANSION_UNITS);
    return 0;
}

int Printf(const char16_t* format, ...) {
    va_list values;
    va_start(values, format);
    WriteFormatted(GetStdHandle(STD_OUTPUT_HANDLE), format, values);
    va_end(values);
    return 0;
}

int Qprintf(void* handle, const char16_t* format, ...) {
    va_list values;
    va_start(values, format);
    WriteFormatted(static_cast<HANDLE>(handle), format, values);
    va_end(values);
    return 0;
}

int QPuts(const char16_t* text) {
    ++PrintCount;
    WriteText(GetStdHandle(STD_OUTPUT_HANDLE), text);
    return 0;
}

void ConsoleClearEditLine(char16_t* line) {
    if (ClearEditLineHook != nullptr) ClearEditLineHook(line);
}

int HostSetVariable(const char16_t* name, const char16_t* value) {
    return standin::SetHostVariable(name, value) ? 0 : -1;
}

const char16_t* HostVariableValue(const char16_t* name) {
    return standin::HostVariable(name);
}

void HostSetClearEditLineHook(void (*hook)(char16_t* line)) {
    ClearEditLineHook = hook;
}

void HostWrite(int stream, const char16_t* text) {
    WriteText(GetStdHandle(stream == 2 ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), text);
}

int HostPrintCount() {
    return PrintCount;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

}  // extern "C"
