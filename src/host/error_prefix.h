// The opening of every error message the plug-in writes.
#pragma once

#include "host/host_api.h"
#include "os/os.h"

namespace tolvek {

// Writes "Tolvek plugin: " to standard error and, while a batch file runs,
// the batch file's name, its current line in square brackets and two
// blanks, as literal text (a "%" in the name prints as itself). The caller
// then writes its message with its own Qprintf on the standard error
// handle.
void PrintErrorPrefix();

// Writes one error message: the prefix, then `format` filled with `values`
// through Qprintf on the standard error handle, fetched anew.
template <typename... Values>
void ReportError(const char16_t* format, Values... values) {
    PrintErrorPrefix();
    Qprintf(os::StandardErrorHandle(), format, values...);
}

}  // namespace tolvek
