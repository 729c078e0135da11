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

namespace {

// The command's result as the host numbers it.
int HostResultOf(CommandResult result) {
    switch (result) {
    case CommandResult::Done: return 0;
    case CommandResult::UsageError: return 1;
    case CommandResult::StoreFailed: return 2;
    case CommandResult::NullArguments: return -1;
    }
    return -1;
}

}  // namespace

extern "C" {

PluginInfoRecord* GetPluginInfo() noexcept {
    FillPluginInfo(PluginInfo);
    return &PluginInfo;
}

int InitializePlugin() noexcept {
    const PluginStart start = StartPlugin();
    HostVersion = start.hostVersion;
    ExtendedKeyMode = start.extendedKeyMode;
    HotkeySlots = start.slots;
    return 0;
}

int ShutdownPlugin() noexcept {
    return 0;
}

int Help(const char16_t* name) noexcept {
    return ShowHelp(name) ? 1 : 0;
}

int Usage(const char16_t* name, char16_t* buffer) noexcept {
    return FillUsage(name, buffer) ? 1 : 0;
}

int tolvek(const char16_t* arguments) noexcept {
    return HostResultOf(RunTolvekCommand(arguments, CurrentKeySet(), HotkeySlots, ArgumentList));
}

int key(KeystrokeRecord* record) noexcept {
    HandleKeystroke(record, HotkeySlots, CurrentKeySet());
    return 0;
}

}  // extern "C"

}  // namespace tolvek
