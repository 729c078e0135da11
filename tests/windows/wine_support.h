// What the Wine tests share: the real tolvek.dll loaded the way a host loads
// it, and a registry without the plug-in's settings.
#pragma once

#include <string>

#include "host/host_api.h"

namespace wine {

// The address of an export of tolvek.dll, loaded once with LoadLibraryW;
// fails the test run when the DLL or the name is missing.
void* PluginExport(const char* name);

template <typename Function>
Function* Export(const char* name) {
    return reinterpret_cast<Function*>(PluginExport(name));
}

// Points tolvek.dll's import of `function` from `library` (names compared
// without case) at `replacement`, and returns the address it held before;
// null when the DLL imports no such function. The DLL's own calls go
// through this entry, so a test can stand in for a Windows service.
void* ReplacePluginImport(const char* library, const char* function, void* replacement);

// Removes the plug-in's registry key under both roots: no settings anywhere.
void DeleteTolvekKeys();

}  // namespace wine
