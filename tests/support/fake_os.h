// Scriptable stand-ins for the operating-system services, for native tests.
// All storage is fixed, so the stand-ins themselves never allocate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "os/os.h"

namespace fake_os {

namespace os = tolvek::os;

// The handle StandardErrorHandle hands out.
inline void* const STANDARD_ERROR_HANDLE = reinterpret_cast<void*>(0x5E5E);

// Which modifier keys count as held from now on.
void HoldModifiers(bool shift, bool ctrl, bool alt);

// Number of modifier-key reads since the last Reset.
int ModifierReads();

// Releases every key, clears the counters, forgets the message boxes and
// empties the registry (no keys, no planned failures).
void Reset();

// --- Message boxes ----------------------------------------------------

// The window ForegroundWindow hands out from now on (null after Reset).
void SetForegroundWindow(void* window);

struct MessageBoxShown {
    void* owner;
    std::u16string text;
    std::u16string caption;
};

// From now on no box can be shown, as without an interactive desktop
// (until Reset).
void RemoveDesktop();

// Number of boxes shown since the last Reset, and the last of them.
int MessageBoxCount();
MessageBoxShown LastMessageBox();

// --- Registry ---------------------------------------------------------
// Two roots holding keys by path; key paths and value names compare without
// case for A to Z. Values carry a type and 0 to 16 bytes of data. Queries
// behave as the real registry's do for a 4-byte buffer: shorter data fills
// the first bytes and succeeds, longer data fails after scribbling over the
// buffer, a missing value fails. A key opened for reading cannot be
// written, one opened for writing cannot be queried.

constexpr std::uint32_t REG_SZ_TYPE = 1;
constexpr std::uint32_t REG_BINARY_TYPE = 3;
constexpr std::uint32_t REG_DWORD_TYPE = 4;
constexpr std::size_t MAX_VALUE_BYTES = 16;

// Creates an empty key (nothing when it exists already).
void CreateKey(os::RegistryRoot root, const char16_t* path);

// Stores a value, creating its key; replaces a value of the same name.
void SetValue(os::RegistryRoot root, const char16_t* path, const char16_t* name, std::uint32_t type, const void* data,
              std::size_t size);
void SetNumber(os::RegistryRoot root, const char16_t* path, const char16_t* name, std::uint32_t value);

struct StoredValue {
    bool exists;
    std::uint32_t type;
    std::size_t size;
    unsigned char data[MAX_VALUE_BYTES];
};

bool KeyExists(os::RegistryRoot root, const char16_t* path);
StoredValue Value(os::RegistryRoot root, const char16_t* path, const char16_t* name);

// From now on opening or creating any key under `root` fails.
void FailKeyOpens(os::RegistryRoot root);

// From now on writing a value called `name` fails (one name at a time).
void FailWritesOf(const char16_t* name);

// Attempts to open or create a key under `root` since the last Reset, and
// the number of keys opened and not yet closed.
int KeyOpenAttempts(os::RegistryRoot root);
int KeysLeftOpen();

}  // namespace fake_os
