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

void DeleteTolvekKeys() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        const LSTATUS status = RegDeleteTreeW(root, L"Software\\DARevavev");
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
            std::fprintf(stderr, "RegDeleteTreeW failed: %ld\n", static_cast<long>(status));
            std::abort();
        }
    }
}

}  // namespace wine
