#include "fake_os.h"

#include "os/os.h"

namespace {

bool shiftHeld = false;
bool ctrlHeld = false;
bool altHeld = false;
int modifierReads = 0;

}  // namespace

namespace fake_os {

void HoldModifiers(bool shift, bool ctrl, bool alt) {
    shiftHeld = shift;
    ctrlHeld = ctrl;
    altHeld = alt;
}

int ModifierReads() { return modifierReads; }

void Reset() {
    HoldModifiers(false, false, false);
    modifierReads = 0;
}

}  // namespace fake_os

namespace os {

bool IsKeyHeld(int virtualKey) {
    ++modifierReads;
    switch (virtualKey) {
    case VK_SHIFT_KEY: return shiftHeld;
    case VK_CONTROL_KEY: return ctrlHeld;
    case VK_ALT_KEY: return altHeld;
    default: return false;
    }
}

void* StandardErrorHandle() {
    return fake_os::STANDARD_ERROR_HANDLE;
}

}  // namespace os
