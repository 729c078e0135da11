#include "plugin/lifecycle.h"

#include "host/host_api.h"
#include "host/host_expansion.h"
#include "host/host_version.h"
#include "host/plugin_identity.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/registry_store.h"
#include "plugin/plugin_state.h"

namespace tolvek {

namespace {

void PrintBannerUnlessQuiet() {
    char16_t buffer[HOST_BUFFER_UNITS];
    ExpandHostText(buffer, HOST_BUFFER_UNITS, u"%[_transient]%[_pipe]%[noloadmsg]");
    // Not transient, not in a pipe, load messages not switched off.
    if (buffer[0] == u'0' && buffer[1] == u'0' && buffer[2] == u'\0') {
        Printf(u"%s v%d.%d.%d loaded.\r\n", PLUGIN_NAME, PLUGIN_MAJOR_VERSION, PLUGIN_MINOR_VERSION, PLUGIN_BUILD);
    }
}

}  // namespace

void ProbeHostVersion() {
    char16_t buffer[HOST_BUFFER_UNITS];
    ExpandHostText(buffer, HOST_BUFFER_UNITS, u"%_4ver");
    HostVersion = HostVersionFromText(buffer);
    ExtendedKeyMode = UsesExtendedKeys(HostVersion);
}

void StartPlugin() {
    ProbeHostVersion();
    HotkeySlotCodes stored{};
    // A failed load is silent: the plug-in starts with the built-in defaults.
    HotkeySlots = LoadHotkeysFromRegistry(stored) == StoreResult::Done ? stored : DefaultHotkeys;
    PrintBannerUnlessQuiet();
}

}  // namespace tolvek
