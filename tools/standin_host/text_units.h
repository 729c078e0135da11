// What separates words on the stand-in host's command and script lines.
#pragma once

namespace standin {

// A blank or a tab: what separates words on a command or script line.
inline bool IsBlank(char16_t unit) {
    return unit == u' ' || unit == u'\t';
}

}  // namespace standin
