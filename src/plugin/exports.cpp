// The entry points the host calls, under their plain names. Each one hands
// over to the module that does the work and never lets anything escape.
#include "plugin/exports.h"

#include "command/tolvek_command.h"
#include "edit/keystroke_handler.h"
#include "host/host_api.h"
#include "plugin/help.h"
#include "plugin/lifecycle.h"
#include "plugin/plugin_info.h"
#include "plugin/plugin_state.h"

namespace tolvek {

extern "C" {

PluginInfoRecord* GetPluginInfo() noexcept {
    FillPluginInfo(PluginInfo);
    return &PluginInfo;
}

int InitializePlugin() noexcept {
    StartPlugin(HostVersion, ExtendedKeyMode, HotkeySlots);
    return 0;
}

int ShutdownPlugin() noexcept {
    return 0;
}

int Help(const char16_t* name) noexcept {
    return ShowHelp(name);
}

int Usage(const char16_t* name, char16_t* buffer) noexcept {
    return FillUsage(name, buffer);
}

int tolvek(const char16_t* arguments) noexcept {
    return RunTolvekCommand(arguments, CurrentKeySet(), HotkeySlots, ArgumentList);
}

int key(KeystrokeRecord* record) noexcept {
    HandleKeystroke(record, HotkeySlots, CurrentKeySet());
    return 0;
}

}  // extern "C"

}  // namespace tolvek
