// The keystroke handler: carries out the four argument-wise actions when a
// key press matches one of the hotkey slots.
#pragma once

#include "host/host_api.h"

// Works out the key's effective code (the host's code, or in extended key
// mode the code of its name, plus the modifier flags of the keys held now),
// compares it with the hotkey slots and, on a match, moves the cursor or
// deletes an argument in the host's line, sets `redraw` when anything
// changed and consumes the key. A key that matches no slot, and a record
// whose line or cursor cannot be trusted, are left byte for byte as they
// were. Always returns 0.
int HandleKeystroke(KeystrokeRecord* record);

// Removes the characters at positions min(a, b) to max(a, b), both
// included, from `line` and closes the gap, after telling the host through
// ClearEditLine. Returns -1 when `line` is null, a or b is negative or lies
// beyond the line's terminator; 0 otherwise (an empty line is left alone).
int DeleteRange(char16_t* line, int a, int b);
