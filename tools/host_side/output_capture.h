// What the stand-ins of the host library keep, in fixed storage so that they
// never allocate: the text printed on a stream, and a table of variable
// expansions.
#pragma once

#include <cstdarg>
#include <cstddef>

#include "host_format.h"

namespace host_recorder {

constexpr std::size_t STREAM_UNITS = 1 << 17;
constexpr std::size_t EXPANSION_UNITS = 9000;
constexpr std::size_t MAX_EXPANSIONS = 16;

inline bool SameText(const char16_t* a, const char16_t* b) {
    while (*a != u'\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// Copies `from` into `to` of `capacity` units, cut so the terminator fits.
inline void CopyText(char16_t* to, std::size_t capacity, const char16_t* from) {
    std::size_t i = 0;
    for (; from[i] != u'\0' && i + 1 < capacity; ++i) to[i] = from[i];
    to[i] = u'\0';
}

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
        static char16_t formatted[STREAM_UNITS / 4];
        FormatHostText(formatted, STREAM_UNITS / 4, format, values);
        Append(formatted);
    }
};

// Texts and what they expand to; a text without an entry stays as it is,
// the way the host leaves text it does not know.
class ExpansionTable {
public:
    void Clear() { count_ = 0; }

    void Set(const char16_t* text, const char16_t* expansion) {
        for (std::size_t i = 0; i < count_; ++i) {
            if (SameText(entries_[i].from, text)) {
                CopyText(entries_[i].to, EXPANSION_UNITS, expansion);
                return;
            }
        }
        if (count_ == MAX_EXPANSIONS) return;
        CopyText(entries_[count_].from, EXPANSION_UNITS, text);
        CopyText(entries_[count_].to, EXPANSION_UNITS, expansion);
        ++count_;
    }

    // Replaces the text in `buffer` (of `capacity` units) by its expansion.
    void Expand(char16_t* buffer, std::size_t capacity) const {
        for (std::size_t i = 0; i < count_; ++i) {
            if (SameText(entries_[i].from, buffer)) {
                CopyText(buffer, capacity, entries_[i].to);
                return;
            }
        }
    }

private:
    struct Entry {
        char16_t from[EXPANSION_UNITS];
        char16_t to[EXPANSION_UNITS];
    };
    Entry entries_[MAX_EXPANSIONS];
    std::size_t count_ = 0;
};

}  // namespace host_recorder
