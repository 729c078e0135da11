// The variables the stand-in host expands for its plug-ins. Portable code.
//
// Recognised references: %name (letters, digits, "_" and "$"), %[name],
// %@function[arguments] (looked up under "@function[arguments]", brackets
// nesting) and %% for a percent sign. Names compare without regard to the
// case of A-Z. A reference to a name that holds no value expands to nothing,
// as an unset variable does at a command prompt.
#pragma once

#include <cstddef>

namespace standin {

constexpr std::size_t VARIABLE_UNITS = 256;  // name or value, terminator included

// Gives `name` the value `value` (both cut to VARIABLE_UNITS - 1). Returns
// false when the table of variables is full.
bool SetHostVariable(const char16_t* name, const char16_t* value);

// The value of `name`, or null when it has none.
const char16_t* HostVariable(const char16_t* name);

// Forgets every variable and sets the defaults of an interactive session:
// _4ver 24; _transient, _pipe and _batch 0; _batchname empty; _batchline 0;
// the escape character (@option[escapechar]) "^". noloadmsg is left unset,
// as a user sets it only to silence the plug-ins' load messages, so that
// "%[_transient]%[_pipe]%[noloadmsg]" expands to "00".
void ResetHostVariables();

// Replaces the text in `buffer` by its expansion, cut to `capacity` units
// with the terminator.
void ExpandHostVariables(char16_t* buffer, std::size_t capacity);

}  // namespace standin
