#include "plugin/plugin_state.h"

namespace tolvek {

PluginInfoRecord PluginInfo;
int HostVersion = 0;
bool ExtendedKeyMode = false;
HotkeySlotCodes HotkeySlots = DefaultHotkeys;
ArgumentTable ArgumentList;

}  // namespace tolvek
