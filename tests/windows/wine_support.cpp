#include "wine_support.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace wine {

void* PluginExport(const char* name) {
    static HMODULE plugin = LoadLibraryW(L"tolvek.dll");
    if (plugin == nullptr) {
        std::fprintf(stderr, "LoadLibraryW(tolvek.dll) failed: %lu\n", GetLastError());
        std::abort();
    }
    FARPROC address = GetProcAddress(plugin, name);
    if (address == nullptr) {
        std::fprintf(stderr, "tolvek.dll exports no %s\n", name);
        std::abort();
    }
    return reinterpret_cast<void*>(address);
}

namespace {

void SetKey(BYTE virtualKey, bool down) {
    const bool held = (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
    if (held == down) return;
    keybd_event(virtualKey, 0, down ? 0 : KEYEVENTF_KEYUP, 0);
}

}  // namespace

void HoldModifiers(bool shift, bool ctrl, bool alt) {
    SetKey(VK_SHIFT, shift);
    SetKey(VK_CONTROL, ctrl);
    SetKey(VK_MENU, alt);
}

void DeleteTolvekKeys() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        const LSTATUS status = RegDeleteTreeW(root, L"Software\\DARevavev");
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
            std::fprintf(stderr, "RegDeleteTreeW failed: %ld\n", static_cast<long>(status));
            std::abort();
        }
    }
}

std::string Narrow(const std::u16string& text) {
    std::string narrow;
    for (char16_t unit : text) narrow += unit < 0x80 ? static_cast<char>(unit) : '?';
    return narrow;
}

}  // namespace wine
