// The entry points tolvek.dll exports under their plain names.
#pragma once

#include "host/host_api.h"

namespace tolvek {

// C linkage: the symbols are the plain names the host looks up, whatever
// the namespace (so the command is tolvek here, "tolvek" there).
extern "C" {

// The plug-in's identity record; the same address on every call.
PluginInfoRecord* GetPluginInfo() noexcept;

// Start-up: host generation, hotkeys, load banner. Always returns 0.
int InitializePlugin() noexcept;

// Does nothing; nothing is saved at exit. Always returns 0.
int ShutdownPlugin() noexcept;

// 1 after showing the help box for the command's name, else 0.
int Help(const char16_t* name) noexcept;

// 1 after filling the host's buffer of HOST_BUFFER_UNITS units with the
// usage text for the command's name, else 0 with the buffer untouched.
int Usage(const char16_t* name, char16_t* buffer) noexcept;

// The command and the keystroke handler are exported under the names that
// the record's function list gives the host, "tolvek,*key", which the
// naming check lets stand.
// NOLINTBEGIN(readability-identifier-naming)

// The configuration command: 0 on success, 1 on a usage error, 2 when the
// registry failed, -1 when `arguments` is null.
int tolvek(const char16_t* arguments) noexcept;

// The keystroke handler; always returns 0, the outcome is in the record.
int key(KeystrokeRecord* record) noexcept;

// NOLINTEND(readability-identifier-naming)

}  // extern "C"

}  // namespace tolvek
