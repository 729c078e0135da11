// The escape character the host has in force.
#pragma once

namespace tolvek {

// Asks the host (one expansion of "%@option[escapechar]") and returns its
// escape character, or "^" when the answer is not exactly one character.
char16_t GetEscapeChar();

}  // namespace tolvek
