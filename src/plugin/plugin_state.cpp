#include "plugin/plugin_state.h"

namespace tolvek {

int HostVersion = 0;
bool ExtendedKeyMode = false;
HotkeySlotCodes HotkeySlots = DefaultHotkeys;
ArgumentTable ArgumentList;

}  // namespace tolvek
