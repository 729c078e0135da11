// Controls of the stand-in host library (the host's own TakeCmd.dll), which
// the stand-in host program calls; the plug-in sees only the host services.
#pragma once

extern "C" {

// Gives a host variable a value for ExpandVariables, e.g. "_4ver" = "23" or
// "@option[escapechar]" = "^". Returns 0, or -1 when the table is full.
int HostSetVariable(const char16_t* name, const char16_t* value);

// The value ExpandVariables gives `name` now; null when it has none.
const char16_t* HostVariableValue(const char16_t* name);

// ClearEditLine calls `hook` with the line it was given (null: no hook).
void HostSetClearEditLineHook(void (*hook)(char16_t* line));

// Writes text to standard output (stream 1) or standard error (stream 2)
// the way the print services do: to a console as UTF-16, elsewhere as UTF-8.
void HostWrite(int stream, const char16_t* text);

// How many times the print services (Printf, Qprintf, QPuts) have written,
// so that the host can tell whether a call of the plug-in printed anything.
int HostPrintCount();

}  // extern "C"
