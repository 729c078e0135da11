#include "wine_support.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace wine {

namespace {

HMODULE Plugin() {
    static HMODULE plugin = LoadLibraryW(L"tolvek.dll");
    if (plugin == nullptr) {
        std::fprintf(stderr, "LoadLibraryW(tolvek.dll) failed: %lu\n", GetLastError());
        std::abort();
    }
    return plugin;
}

// The import address table entry of `function` in the import descriptor
// `entry` of the image at `base`; null when it imports no such name.
ULONGLONG* ImportSlot(BYTE* base, const IMAGE_IMPORT_DESCRIPTOR& entry, const char* function) {
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA64*>(base + entry.OriginalFirstThunk);
    auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA64*>(base + entry.FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
        if (IMAGE_SNAP_BY_ORDINAL64(names->u1.Ordinal)) continue;
        const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) return &addresses->u1.Function;
    }
    return nullptr;
}

}  // namespace

void* ReplacePluginImport(const char* library, const char* function, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(Plugin());
    const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name != 0;
         ++entry) {
        if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), library) != 0) continue;
        ULONGLONG* slot = ImportSlot(base, *entry, function);
        if (slot == nullptr) return nullptr;
        DWORD protection = 0;
        VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
        void* before = reinterpret_cast<void*>(*slot);
        *slot = reinterpret_cast<ULONGLONG>(replacement);
        VirtualProtect(slot, sizeof *slot, protection, &protection);
        return before;
    }
    return nullptr;
}

void* PluginExport(const char* name) {
    FARPROC address = GetProcAddress(Plugin(), name);
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
