// What the plug-in and its host exchange: the services of TakeCmd.dll that
// the plug-in calls, and the records whose byte layout the host fixes.
//
// Text is NUL-terminated UTF-16. Portable code uses char16_t; on Windows it
// is the same 16-bit unit as the host's wchar_t, and every service has C
// linkage (ClearEditLine is mapped to its decorated name by the import
// definition), so these declarations bind to the host's exports unchanged.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tolvek {

// Key code in the host's numbering; what its values mean is said in
// hotkeys/key_codes.h.
using KeyCode = std::int32_t;

// The size of the host's text buffers, in units with the terminator: the
// buffer the host hands to Usage, and the expansion buffers the plug-in
// hands to ExpandVariables (but for the batch file's position, which may be
// a long path and gets a larger one). The host may fill an expansion
// buffer to its last unit and leave no terminator.
constexpr std::size_t HOST_BUFFER_UNITS = 1024;

extern "C" {

// Replaces the buffer's text in place by its expansion. `flags` is always 1.
int ExpandVariables(char16_t* buffer, int flags);

// Formatted text on standard output: %s takes UTF-16 text, %d a signed and
// %u an unsigned 32-bit integer.
int Printf(const char16_t* format, ...);

// The same formatting, written to `handle` (always the standard error handle).
int Qprintf(void* handle, const char16_t* format, ...);

// The text on standard output, unchanged.
int QPuts(const char16_t* text);

// Called once just before characters are removed from the edit line.
void ClearEditLine(char16_t* line);

}  // extern "C"

// The record the host passes to the keystroke handler. Only the named fields
// are used, under the names the host gives them; the host's own bytes are
// neither read nor written.
struct KeystrokeRecord {
    std::int32_t keyCode;  // 0 when the key is given by name only
    std::uint8_t hostBytesA[20];
    char16_t* lineStart;  // the edit line, changed in place
    char16_t* cursorPos;  // the cursor's character in that line
    std::int32_t redraw;  // set to 1 after a change
    std::uint8_t hostBytesB[4];
    char16_t* keyName;  // the key's name (extended key mode only)
};

static_assert(offsetof(KeystrokeRecord, keyCode) == 0);
static_assert(offsetof(KeystrokeRecord, lineStart) == 24);
static_assert(offsetof(KeystrokeRecord, cursorPos) == 32);
static_assert(offsetof(KeystrokeRecord, redraw) == 40);
static_assert(offsetof(KeystrokeRecord, keyName) == 48);
static_assert(sizeof(KeystrokeRecord) == 56);

// The plug-in's identity record, handed to the host by GetPluginInfo. The
// fields keep the names and the capitals the host gives them, which the
// naming check lets stand.
// NOLINTBEGIN(readability-identifier-naming)
struct PluginInfoRecord {
    const char16_t* Name;
    const char16_t* Author;
    const char16_t* Email;
    const char16_t* WebPage;
    const char16_t* Description;
    const char16_t* FunctionList;
    std::int32_t MajorVersion;
    std::int32_t MinorVersion;
    std::int32_t Build;
    std::uint8_t reserved[20];
};
// NOLINTEND(readability-identifier-naming)

static_assert(offsetof(PluginInfoRecord, Name) == 0);
static_assert(offsetof(PluginInfoRecord, Author) == 8);
static_assert(offsetof(PluginInfoRecord, Email) == 16);
static_assert(offsetof(PluginInfoRecord, WebPage) == 24);
static_assert(offsetof(PluginInfoRecord, Description) == 32);
static_assert(offsetof(PluginInfoRecord, FunctionList) == 40);
static_assert(offsetof(PluginInfoRecord, MajorVersion) == 48);
static_assert(offsetof(PluginInfoRecord, MinorVersion) == 52);
static_assert(offsetof(PluginInfoRecord, Build) == 56);
static_assert(sizeof(PluginInfoRecord) == 80);

}  // namespace tolvek
