#include "edit/escape_char.h"

#include "host/host_api.h"
#include "host/host_expansion.h"

namespace tolvek {

char16_t GetEscapeChar() {
    char16_t buffer[HOST_BUFFER_UNITS];
    ExpandHostText(buffer, HOST_BUFFER_UNITS, u"%@option[escapechar]");
    if (buffer[0] != u'\0' && buffer[1] == u'\0') return buffer[0];
    return u'^';
}

}  // namespace tolvek
