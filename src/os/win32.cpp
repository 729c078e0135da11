// The Windows side of the os services: the only file that includes
// <windows.h>.
#include <windows.h>

#include "os/os.h"

namespace os {

bool IsKeyHeld(int virtualKey) {
    return (static_cast<unsigned short>(GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

void* StandardErrorHandle() {
    return GetStdHandle(STD_ERROR_HANDLE);
}

}  // namespace os

// The load and unload notifications do no work of the plug-in's own.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
