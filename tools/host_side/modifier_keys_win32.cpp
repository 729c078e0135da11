#include "modifier_keys.h"

#include <windows.h>

#include <cstddef>

namespace host_side {
namespace {

struct ModifierKey {
    BYTE virtualKey;
    bool down;
};

bool IsHeld(BYTE virtualKey) {
    return (static_cast<unsigned short>(GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

template <std::size_t N>
bool AllArrived(const ModifierKey (&keys)[N]) {
    for (const ModifierKey& key : keys) {
        if (IsHeld(key.virtualKey) != key.down) return false;
    }
    return true;
}

constexpr DWORD WAIT_MILLISECONDS = 1000;

}  // namespace

bool HoldModifierKeys(bool shift, bool ctrl, bool alt) {
    const ModifierKey keys[] = {{VK_SHIFT, shift}, {VK_CONTROL, ctrl}, {VK_MENU, alt}};
    for (const ModifierKey& key : keys) {
        if (IsHeld(key.virtualKey) != key.down) keybd_event(key.virtualKey, 0, key.down ? 0 : KEYEVENTF_KEYUP, 0);
    }
    const DWORD start = GetTickCount();
    while (!AllArrived(keys)) {
        if (GetTickCount() - start > WAIT_MILLISECONDS) return false;
        Sleep(1);
    }
    return true;
}

}  // namespace host_side
