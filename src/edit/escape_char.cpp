#include "edit/escape_char.h"

#include "host/host_api.h"
#include "text/text.h"

namespace tolvek {

namespace {

constexpr int EXPANSION_BUFFER_UNITS = 1024;

}  // namespace

char16_t GetEscapeChar() {
    char16_t buffer[EXPANSION_BUFFER_UNITS];
    FillBuffer(buffer, EXPANSION_BUFFER_UNITS, u"%@option[escapechar]");
    ExpandVariables(buffer, 1);
    if (buffer[0] != u'\0' && buffer[1] == u'\0') return buffer[0];
    return u'^';
}

}  // namespace tolvek
