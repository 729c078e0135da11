#include "host/host_version.h"

#include <cstddef>
#include <cstdint>

#include "text/char_class.h"

namespace tolvek {

namespace {

constexpr std::uint32_t LOWEST_HOST_VERSION = 8;
constexpr std::uint32_t HIGHEST_HOST_VERSION = 100;

struct Conversion {
    std::uint32_t value;
    bool overflow;
};

// Reads `text` as an unsigned 32-bit decimal number the way the C library
// does: white space skipped, one optional sign (a minus negates modulo
// 2^32), digits up to the first other unit. No digits give 0; a magnitude
// beyond 32 bits is an overflow.
Conversion ToUnsigned32(const char16_t* text) {
    std::size_t i = 0;
    while (IsWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (text[i] == u'+' || text[i] == u'-') negative = text[i++] == u'-';
    std::uint64_t magnitude = 0;
    bool overflow = false;
    for (; text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[i] - u'0');
        if (magnitude > UINT32_MAX) {
            overflow = true;
            magnitude = UINT32_MAX;
        }
    }
    auto value = static_cast<std::uint32_t>(magnitude);
    if (negative) value = 0u - value;
    return {value, overflow};
}

}  // namespace

int HostVersionFromText(const char16_t* text) {
    const Conversion version = ToUnsigned32(text);
    if (version.overflow || version.value < LOWEST_HOST_VERSION || version.value > HIGHEST_HOST_VERSION) return 0;
    return static_cast<int>(version.value);
}

}  // namespace tolvek
