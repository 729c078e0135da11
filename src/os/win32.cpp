// The Windows side of the os services: the only file that includes
// <windows.h>.
#include <windows.h>

#include "os/os.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));
static_assert(sizeof(DWORD) == sizeof(std::uint32_t));

// On Windows both are the same 16-bit unit.
const wchar_t* Wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

HKEY RootKey(tolvek::os::RegistryRoot root) {
    return root == tolvek::os::RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

}  // namespace

namespace tolvek::os {

bool IsKeyHeld(int virtualKey) {
    return (static_cast<unsigned short>(GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

void* StandardErrorHandle() {
    return GetStdHandle(STD_ERROR_HANDLE);
}

void* ForegroundWindow() {
    return GetForegroundWindow();
}

bool ShowMessageBox(void* owner, const char16_t* text, const char16_t* caption) {
    // MessageBoxW answers 0 only when it could not show the box; any button
    // that closed it gives a button's number.
    return MessageBoxW(static_cast<HWND>(owner), Wide(text), Wide(caption), MB_OK) != 0;
}

bool CreateRegistryKeyForWriting(RegistryRoot root, const char16_t* path, RegistryKey* key) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(RootKey(root), Wide(path), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    *key = opened;
    return true;
}

bool OpenRegistryKeyForReading(RegistryRoot root, const char16_t* path, RegistryKey* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(RootKey(root), Wide(path), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    *key = opened;
    return true;
}

bool QueryRegistryValue(RegistryKey key, const char16_t* name, std::uint32_t* data) {
    DWORD size = sizeof *data;
    return RegQueryValueExW(static_cast<HKEY>(key), Wide(name), nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                            &size) == ERROR_SUCCESS;
}

bool SetRegistryNumber(RegistryKey key, const char16_t* name, std::uint32_t value) {
    const DWORD data = value;
    return RegSetValueExW(static_cast<HKEY>(key), Wide(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

void CloseRegistryKey(RegistryKey key) {
    RegCloseKey(static_cast<HKEY>(key));
}

}  // namespace tolvek::os

// The load and unload notifications do no work of the plug-in's own.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
