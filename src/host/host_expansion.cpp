#include "host/host_expansion.h"

#include "host/host_api.h"
#include "text/text.h"

namespace tolvek {

void ExpandHostText(char16_t* buffer, std::size_t capacity, const char16_t* text) {
    FillBuffer(buffer, capacity, text);
    ExpandVariables(buffer, 1);
    buffer[capacity - 1] = u'\0';
}

}  // namespace tolvek
