// What the host shows about the command: the help box and the usage text.
#pragma once

namespace tolvek {

// For the command's name (A to Z in any case) shows the help text in a
// message box owned by the foreground window, captioned "Tolvek Plugin
// Help", and returns true once it is closed. When no box can be shown (no
// interactive desktop), prints the help text on standard output instead,
// as "tolvek /?" does, and still returns true. Any other name, or null,
// gives false and shows nothing.
[[nodiscard]] bool ShowHelp(const char16_t* name);

// For the command's name copies the usage text (the help text from its
// syntax line on, 734 units) into `buffer`, the host's buffer of
// HOST_BUFFER_UNITS units, and returns true. Any other name, a null name
// or a null buffer gives false and leaves the buffer untouched.
[[nodiscard]] bool FillUsage(const char16_t* name, char16_t* buffer);

}  // namespace tolvek
