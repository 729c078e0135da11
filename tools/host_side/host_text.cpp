#include "host_text.h"

namespace host_side {

std::size_t TextUnits(const char16_t* text) {
    std::size_t length = 0;
    while (text[length] != u'\0') ++length;
    return length;
}

bool SameNameIgnoringAsciiCase(const char16_t* name, const char16_t* text, std::size_t length) {
    std::size_t i = 0;
    for (; i < length; ++i) {
        if (name[i] == u'\0' || AsciiUpper(name[i]) != AsciiUpper(text[i])) return false;
    }
    return name[i] == u'\0';
}

void CopyTextCut(char16_t* to, std::size_t capacity, const char16_t* from, std::size_t length) {
    std::size_t i = 0;
    for (; i < length && from[i] != u'\0' && i + 1 < capacity; ++i) to[i] = from[i];
    to[i] = u'\0';
}

std::string Narrow(const std::u16string& text) {
    static const char HexDigits[] = "0123456789ABCDEF";
    std::string narrow;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            narrow += static_cast<char>(unit);
            continue;
        }
        narrow += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4) narrow += HexDigits[(unit >> shift) & 0xF];
    }
    return narrow;
}

}  // namespace host_side
