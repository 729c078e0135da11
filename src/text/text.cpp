#include "text/text.h"

namespace tolvek {

std::size_t TextLength(const char16_t* text) {
    // Four units a turn; each is read only after the one before it was
    // found to be no terminator.
    std::size_t length = 0;
    for (;; length += 4) {
        if (text[length] == u'\0') return length;
        if (text[length + 1] == u'\0') return length + 1;
        if (text[length + 2] == u'\0') return length + 2;
        if (text[length + 3] == u'\0') return length + 3;
    }
}

char16_t ToUpperAscii(char16_t unit) {
    return (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - (u'a' - u'A')) : unit;
}

bool TextEquals(const char16_t* left, const char16_t* right) {
    for (std::size_t i = 0;; ++i) {
        if (left[i] != right[i]) return false;
        if (left[i] == u'\0') return true;
    }
}

bool EqualsIgnoringAsciiCase(const char16_t* left, const char16_t* right) {
    for (std::size_t i = 0;; ++i) {
        if (ToUpperAscii(left[i]) != ToUpperAscii(right[i])) return false;
        if (left[i] == u'\0') return true;
    }
}

std::size_t AppendBounded(char16_t* buffer, std::size_t capacity, const char16_t* source) {
    std::size_t length = 0;
    while (length + 1 < capacity && buffer[length] != u'\0') ++length;
    for (std::size_t i = 0; length + 1 < capacity && source[i] != u'\0'; ++i) {
        buffer[length++] = source[i];
    }
    buffer[length] = u'\0';
    return length;
}

std::size_t CopyBounded(char16_t* buffer, std::size_t capacity, const char16_t* source) {
    buffer[0] = u'\0';
    return AppendBounded(buffer, capacity, source);
}

void FillBuffer(char16_t* buffer, std::size_t capacity, const char16_t* source) {
    for (std::size_t i = CopyBounded(buffer, capacity, source); i < capacity; ++i) {
        buffer[i] = u'\0';
    }
}

}  // namespace tolvek
