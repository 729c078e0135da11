// The stand-in host library: records what the plug-in prints and answers
// its variable expansions from a small table.
#include "takecmd_standin.h"

#include <windows.h>

#include <cstdarg>
#include <cstddef>

#include "host_format.h"

namespace {

constexpr std::size_t OUTPUT_UNITS = 1 << 17;
constexpr std::size_t MAX_EXPANSIONS = 16;
constexpr std::size_t TEXT_UNITS = 1024;

struct Stream {
    char16_t text[OUTPUT_UNITS];
    std::size_t length;

    void Append(const char16_t* piece) {
        while (*piece != u'\0' && length + 1 < OUTPUT_UNITS) text[length++] = *piece++;
        text[length] = u'\0';
    }
    void Clear() {
        length = 0;
        text[0] = u'\0';
    }
};

struct Expansion {
    char16_t from[TEXT_UNITS];
    char16_t to[TEXT_UNITS];
};

Stream standardOutput;
Stream standardError;
Expansion expansions[MAX_EXPANSIONS];
std::size_t expansionCount = 0;
int clearEditLineCalls = 0;
int expandCalls = 0;

bool Same(const char16_t* a, const char16_t* b) {
    while (*a != u'\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

void Copy(char16_t* to, const char16_t* from) {
    std::size_t i = 0;
    for (; from[i] != u'\0' && i + 1 < TEXT_UNITS; ++i) to[i] = from[i];
    to[i] = u'\0';
}

void AppendFormatted(Stream& stream, const char16_t* format, va_list values) {
    static char16_t formatted[OUTPUT_UNITS / 4];
    FormatHostText(formatted, OUTPUT_UNITS / 4, format, values);
    stream.Append(formatted);
}

}  // namespace

extern "C" {

void StandInReset() {
    standardOutput.Clear();
    standardError.Clear();
    expansionCount = 0;
    clearEditLineCalls = 0;
    expandCalls = 0;
    StandInSetExpansion(u"%@option[escapechar]", u"^");
}

void StandInSetExpansion(const char16_t* text, const char16_t* expansion) {
    for (std::size_t i = 0; i < expansionCount; ++i) {
        if (Same(expansions[i].from, text)) {
            Copy(expansions[i].to, expansion);
            return;
        }
    }
    if (expansionCount == MAX_EXPANSIONS) return;
    Copy(expansions[expansionCount].from, text);
    Copy(expansions[expansionCount].to, expansion);
    ++expansionCount;
}

const char16_t* StandInStandardOutput() { return standardOutput.text; }
const char16_t* StandInStandardError() { return standardError.text; }
int StandInClearEditLineCalls() { return clearEditLineCalls; }
int StandInExpandCalls() { return expandCalls; }

int ExpandVariables(char16_t* buffer, int /*flags*/) {
    ++expandCalls;
    for (std::size_t i = 0; i < expansionCount; ++i) {
        if (Same(expansions[i].from, buffer)) {
            Copy(buffer, expansions[i].to);
            break;
        }
    }
    return 0;
}

int Printf(const char16_t* format, ...) {
    va_list values;
    va_start(values, format);
    AppendFormatted(standardOutput, format, values);
    va_end(values);
    return 0;
}

int Qprintf(void* handle, const char16_t* format, ...) {
    va_list values;
    va_start(values, format);
    // Anything not written to the real standard error handle is marked.
    if (handle != GetStdHandle(STD_ERROR_HANDLE)) standardError.Append(u"[wrong handle]");
    AppendFormatted(standardError, format, values);
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
