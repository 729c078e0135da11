#include "plugin/lifecycle.h"

#include "host/host_api.h"
#include "host/host_expansion.h"
#include "host/host_version.h"
#include "host/plugin_identity.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/registry_store.h"

namespace tolvek {

namespace {

void PrintBannerUnlessQuiet() {
    char16_t buffer[HOST_BUFFER_UNITS];
    ExpandHostText(buffer, HOST_BUFFER_UNITS, u"%[_transient]%[_pipe]%[noloadmsg]");
    // Not transient, not in a pipe, load messages not switched off.
    if (buffer[0] == u'0' && buffer[1] == u'0' && buffer[2] == u'\0') {
        Printf(u"%s v%d.%d.%d loaded.\r\n", PluginName, PLUGIN_MAJOR_VERSION, PLUGIN_MINOR_VERSION, PLUGIN_BUILD);
    }
}

}  // namespace

int ProbeHostVersion() {
    char16_t buffer[HOST_BUFFER_UNITS];
    ExpandHostText(buffer, HOST_BUFFER_UNITS, u"%_4ver");
    return HostVersionFromText(buffer);
}

PluginStart StartPlugin() {
    PluginStart start{};
    start.hostVersion = ProbeHostVersion();
    start.extendedKeyMode = UsesExtendedKeys(start.hostVersion);
    // A failed load is silent: the plug-in starts with the built-in defaults.
    if (LoadHotkeysFromRegistry(start.slots) != StoreResult::Done) start.slots = DefaultHotkeys;
    PrintBannerUnlessQuiet();
    return start;
}

}  // namespace tolvek
