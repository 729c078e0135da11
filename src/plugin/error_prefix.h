// The opening of every error message the plug-in writes.
#pragma once

// Writes "Tolvek plugin: " to standard error and, while a batch file runs,
// the batch file's name, its current line in square brackets and two
// blanks, as literal text (a "%" in the name prints as itself). The caller
// then writes its message with its own Qprintf on the standard error
// handle. Always returns 0.
int PrintErrorPrefix();
