#include "plugin/lifecycle.h"

#include <cstddef>
#include <cstdint>

#include "host/host_api.h"
#include "host/host_generation.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/registry_store.h"
#include "plugin/plugin_info.h"
#include "text/char_class.h"
#include "text/text.h"

namespace {

constexpr std::size_t EXPANSION_UNITS = 1024;

constexpr std::uint32_t LOWEST_HOST_VERSION = 8;
constexpr std::uint32_t HIGHEST_HOST_VERSION = 100;
constexpr int FIRST_EXTENDED_HOST_VERSION = 24;

// Puts `text` into a zero-filled buffer and lets the host expand it.
void Expand(char16_t (&buffer)[EXPANSION_UNITS], const char16_t* text) {
    FillBuffer(buffer, EXPANSION_UNITS, text);
    ExpandVariables(buffer, 1);
    buffer[EXPANSION_UNITS - 1] = u'\0';
}

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

void PrintBannerUnlessQuiet() {
    char16_t buffer[EXPANSION_UNITS];
    Expand(buffer, u"%[_transient]%[_pipe]%[noloadmsg]");
    // Not transient, not in a pipe, load messages not switched off.
    if (buffer[0] == u'0' && buffer[1] == u'0' && buffer[2] == u'\0') {
        Printf(u"%s v%d.%d.%d loaded.\r\n", PLUGIN_NAME, PLUGIN_MAJOR_VERSION, PLUGIN_MINOR_VERSION, PLUGIN_BUILD);
    }
}

}  // namespace

void ProbeHostVersion() {
    char16_t buffer[EXPANSION_UNITS];
    Expand(buffer, u"%_4ver");
    const Conversion version = ToUnsigned32(buffer);
    HostVersion = 0;
    if (!version.overflow && version.value >= LOWEST_HOST_VERSION && version.value <= HIGHEST_HOST_VERSION) {
        HostVersion = static_cast<int>(version.value);
    }
    ExtendedKeyMode = HostVersion >= FIRST_EXTENDED_HOST_VERSION;
}

int StartPlugin() {
    ProbeHostVersion();
    if (LoadHotkeysFromRegistry(0) != 0) ResetHotkeysToDefaults();
    PrintBannerUnlessQuiet();
    return 0;
}
