// The few operating-system services the plug-in needs. The Windows build
// implements them in win32.cpp; native tests put scriptable stand-ins here.
#pragma once

#include <cstdint>

namespace tolvek {

namespace os {

// Virtual-key codes of the modifier keys.
constexpr int VK_SHIFT_KEY = 0x10;
constexpr int VK_CONTROL_KEY = 0x11;
constexpr int VK_ALT_KEY = 0x12;

// True while the key is held down at the moment of the call.
bool IsKeyHeld(int virtualKey);

// The process's standard error handle, fetched anew on every call.
void* StandardErrorHandle();

// The window the user works in at the moment; null when there is none.
void* ForegroundWindow();

// Shows a modal message box with `text`, `caption` and a single OK button,
// owned by `owner` (may be null), and returns once the box is closed: true
// whatever closed it, false when no box could be shown (there is no
// interactive desktop, as in a service or a remote shell session).
[[nodiscard]] bool ShowMessageBox(void* owner, const char16_t* text, const char16_t* caption);

// The two registry trees the hotkeys are kept in.
enum class RegistryRoot { CurrentUser, LocalMachine };

// An open registry key; only valid between a successful open or create and
// the matching CloseRegistryKey.
using RegistryKey = void*;

// Opens `path` under `root` for writing, creating it and any missing parent
// keys. True and *key set on success; false and *key untouched otherwise.
[[nodiscard]] bool CreateRegistryKeyForWriting(RegistryRoot root, const char16_t* path, RegistryKey* key);

// Opens the existing `path` under `root` for reading. True and *key set on
// success; false and *key untouched when it is missing or cannot be opened.
[[nodiscard]] bool OpenRegistryKeyForReading(RegistryRoot root, const char16_t* path, RegistryKey* key);

// Reads the data of value `name`, whatever its type, into the 4 bytes at
// `data`. Data shorter than 4 bytes fills the first bytes in memory order
// (the low-order bytes: every target is little-endian) and leaves the rest
// as they were. False when the value is missing or its data is longer
// than 4 bytes; then the 4 bytes may have been overwritten with anything.
[[nodiscard]] bool QueryRegistryValue(RegistryKey key, const char16_t* name, std::uint32_t* data);

// Writes `value` as a 4-byte little-endian number (type REG_DWORD) under
// `name`, replacing any value of that name whatever its type was.
[[nodiscard]] bool SetRegistryNumber(RegistryKey key, const char16_t* name, std::uint32_t value);

void CloseRegistryKey(RegistryKey key);

}  // namespace os

}  // namespace tolvek
