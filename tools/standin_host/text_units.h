// Small helpers on UTF-16 units shared by the stand-in host's portable code.
#pragma once

namespace standin {

// a to z turned into A to Z; every other unit unchanged.
inline char16_t AsciiUpper(char16_t unit) {
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - (u'a' - u'A')) : unit;
}

// A blank or a tab: what separates words on a command or script line.
inline bool IsBlank(char16_t unit) {
    return unit == u' ' || unit == u'\t';
}

}  // namespace standin
