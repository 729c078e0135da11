// The text printed on one stream of the host, kept in fixed storage so that
// a recording stand-in of the host library never allocates.
#pragma once

#include <cstdarg>
#include <cstddef>

#include "host_format.h"

namespace host_side {

constexpr std::size_t STREAM_UNITS = 1 << 17;

// Everything printed on one stream; text past its capacity is dropped.
struct Stream {
    char16_t text[STREAM_UNITS];
    std::size_t length;

    void Clear() {
        length = 0;
        text[0] = u'\0';
    }

    void Append(const char16_t* piece) {
        while (*piece != u'\0' && length + 1 < STREAM_UNITS) text[length++] = *piece++;
        text[length] = u'\0';
    }

    void AppendFormatted(const char16_t* format, va_list values) {
        static char16_t Formatted[STREAM_UNITS / 4];
        FormatHostText(Formatted, STREAM_UNITS / 4, format, values);
        Append(Formatted);
    }
};

}  // namespace host_side
