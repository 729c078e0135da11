// The few operating-system services the plug-in needs. The Windows build
// implements them in win32.cpp; native tests put scriptable stand-ins here.
#pragma once

namespace os {

// Virtual-key codes of the modifier keys.
constexpr int VK_SHIFT_KEY = 0x10;
constexpr int VK_CONTROL_KEY = 0x11;
constexpr int VK_ALT_KEY = 0x12;

// True while the key is held down at the moment of the call.
bool IsKeyHeld(int virtualKey);

// The process's standard error handle, fetched anew on every call.
void* StandardErrorHandle();

}  // namespace os
