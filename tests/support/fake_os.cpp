#include "fake_os.h"

#include <cstdlib>
#include <cstring>

#include "host_text.h"
#include "os/os.h"

namespace os = tolvek::os;

namespace {

bool shiftHeld = false;
bool ctrlHeld = false;
bool altHeld = false;
int modifierReads = 0;

void* foregroundWindow = nullptr;
int messageBoxCount = 0;
bool noDesktop = false;

// The last message box, in fixed storage so that showing one allocates
// nothing (the allocation test runs the help box too).
constexpr std::size_t BOX_TEXT_UNITS = 2048;
void* lastBoxOwner = nullptr;
char16_t lastBoxText[BOX_TEXT_UNITS];
char16_t lastBoxCaption[BOX_TEXT_UNITS];

void CopyText(char16_t* to, const char16_t* from) {
    host_side::CopyTextCut(to, BOX_TEXT_UNITS, from, host_side::TextUnits(from));
}

// --- Registry storage, fixed in size ---

constexpr std::size_t NAME_UNITS = 64;
constexpr std::size_t MAX_KEYS = 8;
constexpr std::size_t MAX_VALUES = 16;
constexpr std::size_t MAX_HANDLES = 8;
constexpr int ROOT_COUNT = 2;

struct Entry {
    char16_t name[NAME_UNITS];
    std::uint32_t type;
    std::size_t size;
    unsigned char data[fake_os::MAX_VALUE_BYTES];
};

struct Key {
    bool exists;
    os::RegistryRoot root;
    char16_t path[NAME_UNITS];
    Entry values[MAX_VALUES];
    std::size_t valueCount;
};

struct Handle {
    bool open;
    bool writable;
    Key* key;
};

Key keys[MAX_KEYS];
Handle handles[MAX_HANDLES];
bool failingRoots[ROOT_COUNT];
int openAttempts[ROOT_COUNT];
char16_t failingWrite[NAME_UNITS];

int RootIndex(os::RegistryRoot root) {
    return root == os::RegistryRoot::CurrentUser ? 0 : 1;
}

// Key paths and value names compare as the registry compares them: A to Z
// without case.
bool SameName(const char16_t* a, const char16_t* b) {
    return host_side::SameNameIgnoringAsciiCase(a, b, host_side::TextUnits(b));
}

void CopyName(char16_t* to, const char16_t* from) {
    host_side::CopyTextCut(to, NAME_UNITS, from, host_side::TextUnits(from));
}

Key* FindKey(os::RegistryRoot root, const char16_t* path) {
    for (Key& key : keys) {
        if (key.exists && key.root == root && SameName(key.path, path)) return &key;
    }
    return nullptr;
}

Key* MakeKey(os::RegistryRoot root, const char16_t* path) {
    if (Key* found = FindKey(root, path)) return found;
    for (Key& key : keys) {
        if (!key.exists) {
            key = Key{};
            key.exists = true;
            key.root = root;
            CopyName(key.path, path);
            return &key;
        }
    }
    std::abort();  // the tests never need more keys
}

Entry* FindValue(Key& key, const char16_t* name) {
    for (std::size_t i = 0; i < key.valueCount; ++i) {
        if (SameName(key.values[i].name, name)) return &key.values[i];
    }
    return nullptr;
}

void StoreValue(Key& key, const char16_t* name, std::uint32_t type, const void* data, std::size_t size) {
    if (size > fake_os::MAX_VALUE_BYTES) std::abort();
    Entry* value = FindValue(key, name);
    if (value == nullptr) {
        if (key.valueCount == MAX_VALUES) std::abort();
        value = &key.values[key.valueCount++];
        CopyName(value->name, name);
    }
    value->type = type;
    value->size = size;
    if (size > 0) std::memcpy(value->data, data, size);
}

bool OpenHandle(os::RegistryRoot root, const char16_t* path, bool create, os::RegistryKey* result) {
    ++openAttempts[RootIndex(root)];
    if (failingRoots[RootIndex(root)]) return false;
    Key* key = create ? MakeKey(root, path) : FindKey(root, path);
    if (key == nullptr) return false;
    for (Handle& handle : handles) {
        if (!handle.open) {
            handle = Handle{true, create, key};
            *result = &handle;
            return true;
        }
    }
    std::abort();  // a leak of handles: the tests would notice KeysLeftOpen
}

Handle* Live(os::RegistryKey key) {
    auto* handle = static_cast<Handle*>(key);
    if (handle < handles || handle >= handles + MAX_HANDLES || !handle->open) std::abort();
    return handle;
}

}  // namespace

namespace fake_os {

void HoldModifiers(bool shift, bool ctrl, bool alt) {
    shiftHeld = shift;
    ctrlHeld = ctrl;
    altHeld = alt;
}

int ModifierReads() {
    return modifierReads;
}

void Reset() {
    HoldModifiers(false, false, false);
    modifierReads = 0;
    foregroundWindow = nullptr;
    messageBoxCount = 0;
    noDesktop = false;
    lastBoxOwner = nullptr;
    lastBoxText[0] = u'\0';
    lastBoxCaption[0] = u'\0';
    for (Key& key : keys) key.exists = false;
    for (Handle& handle : handles) handle.open = false;
    for (int root = 0; root < ROOT_COUNT; ++root) {
        failingRoots[root] = false;
        openAttempts[root] = 0;
    }
    failingWrite[0] = u'\0';
}

void SetForegroundWindow(void* window) {
    foregroundWindow = window;
}
void RemoveDesktop() {
    noDesktop = true;
}
int MessageBoxCount() {
    return messageBoxCount;
}
MessageBoxShown LastMessageBox() {
    return MessageBoxShown{lastBoxOwner, lastBoxText, lastBoxCaption};
}

void CreateKey(os::RegistryRoot root, const char16_t* path) {
    MakeKey(root, path);
}

void SetValue(os::RegistryRoot root, const char16_t* path, const char16_t* name, std::uint32_t type, const void* data,
              std::size_t size) {
    StoreValue(*MakeKey(root, path), name, type, data, size);
}

void SetNumber(os::RegistryRoot root, const char16_t* path, const char16_t* name, std::uint32_t value) {
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    SetValue(root, path, name, REG_DWORD_TYPE, bytes, sizeof bytes);
}

bool KeyExists(os::RegistryRoot root, const char16_t* path) {
    return FindKey(root, path) != nullptr;
}

StoredValue Value(os::RegistryRoot root, const char16_t* path, const char16_t* name) {
    StoredValue result{};
    Key* key = FindKey(root, path);
    const Entry* value = key != nullptr ? FindValue(*key, name) : nullptr;
    if (value == nullptr) return result;
    result.exists = true;
    result.type = value->type;
    result.size = value->size;
    std::memcpy(result.data, value->data, sizeof result.data);
    return result;
}

void FailKeyOpens(os::RegistryRoot root) {
    failingRoots[RootIndex(root)] = true;
}
void FailWritesOf(const char16_t* name) {
    CopyName(failingWrite, name);
}
int KeyOpenAttempts(os::RegistryRoot root) {
    return openAttempts[RootIndex(root)];
}

int KeysLeftOpen() {
    int count = 0;
    for (const Handle& handle : handles) count += handle.open ? 1 : 0;
    return count;
}

}  // namespace fake_os

namespace tolvek::os {

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

void* ForegroundWindow() {
    return foregroundWindow;
}

bool ShowMessageBox(void* owner, const char16_t* text, const char16_t* caption) {
    if (noDesktop) return false;
    ++messageBoxCount;
    lastBoxOwner = owner;
    CopyText(lastBoxText, text);
    CopyText(lastBoxCaption, caption);
    return true;
}

bool CreateRegistryKeyForWriting(RegistryRoot root, const char16_t* path, RegistryKey* key) {
    return OpenHandle(root, path, true, key);
}

bool OpenRegistryKeyForReading(RegistryRoot root, const char16_t* path, RegistryKey* key) {
    return OpenHandle(root, path, false, key);
}

bool QueryRegistryValue(RegistryKey key, const char16_t* name, std::uint32_t* data) {
    Handle* handle = Live(key);
    if (handle->writable) return false;
    const Entry* value = FindValue(*handle->key, name);
    if (value == nullptr) return false;
    if (value->size > sizeof *data) {
        // What a failed query leaves in the buffer is not defined; write
        // the start of the data, as a partial copy would.
        std::memcpy(data, value->data, sizeof *data);
        return false;
    }
    if (value->size > 0) std::memcpy(data, value->data, value->size);
    return true;
}

bool SetRegistryNumber(RegistryKey key, const char16_t* name, std::uint32_t value) {
    Handle* handle = Live(key);
    if (!handle->writable || SameName(failingWrite, name)) return false;
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    StoreValue(*handle->key, name, fake_os::REG_DWORD_TYPE, bytes, sizeof bytes);
    return true;
}

void CloseRegistryKey(RegistryKey key) {
    Live(key)->open = false;
}

}  // namespace tolvek::os
