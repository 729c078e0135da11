#include "fake_host.h"

#include <cstdarg>
#include <cstddef>

#include "fake_os.h"
#include "host/host_api.h"
#include "host_format.h"

namespace {

constexpr std::size_t OUTPUT_UNITS = 1 << 17;
constexpr std::size_t MAX_EXPANSIONS = 16;
constexpr std::size_t TEXT_UNITS = 9000;

struct Stream {
    char16_t text[OUTPUT_UNITS];
    std::size_t length;

    void Append(const char16_t* piece) {
        while (*piece != u'\0' && length + 1 < OUTPUT_UNITS) text[length++] = *piece++;
        text[length] = u'\0';
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
int expandCalls = 0;
int clearEditLineCalls = 0;
int otherHandleCalls = 0;

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
    char16_t formatted[OUTPUT_UNITS / 4];
    FormatHostText(formatted, OUTPUT_UNITS / 4, format, values);
    stream.Append(formatted);
}

}  // namespace

namespace fake_host {

void Reset() {
    standardOutput.length = 0;
    standardOutput.text[0] = u'\0';
    standardError.length = 0;
    standardError.text[0] = u'\0';
    expansionCount = 0;
    expandCalls = 0;
    clearEditLineCalls = 0;
    otherHandleCalls = 0;
    SetExpansion(u"%@option[escapechar]", u"^");
}

void SetExpansion(const char16_t* text, const char16_t* expansion) {
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
    for (std::size_t i = 0; i < expansionCount; ++i) {
        if (Same(expansions[i].from, buffer)) {
            // The plug-in's buffers hold at least 1024 units.
            std::size_t n = 0;
            for (; expansions[i].to[n] != u'\0' && n + 1 < 1024; ++n) buffer[n] = expansions[i].to[n];
            buffer[n] = u'\0';
            return 0;
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
    if (handle != fake_os::STANDARD_ERROR_HANDLE) ++otherHandleCalls;
    va_list values;
    va_start(values, format);
    AppendFormatted(standardError, format, values);
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
