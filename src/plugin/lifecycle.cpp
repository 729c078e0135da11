#include "plugin/lifecycle.h"

#include <cstddef>

#include "host/host_api.h"
#include "host/host_version.h"
#include "host/plugin_identity.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/registry_store.h"
#include "plugin/plugin_state.h"
#include "text/text.h"

namespace tolvek {

namespace {

constexpr std::size_t EXPANSION_UNITS = 1024;

// Puts `text` into a zero-filled buffer and lets the host expand it.
void Expand(char16_t (&buffer)[EXPANSION_UNITS], const char16_t* text) {
    FillBuffer(buffer, EXPANSION_UNITS, text);
    ExpandVariables(buffer, 1);
    buffer[EXPANSION_UNITS - 1] = u'\0';
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
    HostVersion = HostVersionFromText(buffer);
    ExtendedKeyMode = UsesExtendedKeys(HostVersion);
}

void StartPlugin() {
    ProbeHostVersion();
    HotkeySlotCodes stored{};
    // A failed load is silent: the plug-in starts with the built-in defaults.
    HotkeySlots = LoadHotkeysFromRegistry(stored) == StoreResult::Done ? stored : DEFAULT_HOTKEYS;
    PrintBannerUnlessQuiet();
}

}  // namespace tolvek
