// The function list of a plug-in record, such as "tolvek,*key": the names
// of its commands, comma-separated, and its keystroke handler, marked with a
// leading "*". Portable code.
#pragma once

#include <cstddef>

namespace standin {

constexpr int MAX_COMMANDS = 16;
constexpr std::size_t FUNCTION_NAME_UNITS = 64;

struct FunctionList {
    char16_t commands[MAX_COMMANDS][FUNCTION_NAME_UNITS];
    int commandCount;
    char16_t keystrokeHandler[FUNCTION_NAME_UNITS];  // empty when there is none
};

// Splits `text` at the commas; blanks around a name are dropped, empty
// entries are skipped, names are cut to FUNCTION_NAME_UNITS - 1 units, and
// commands beyond MAX_COMMANDS are dropped. A starred entry names the
// keystroke handler; of several, the first counts.
FunctionList ParseFunctionList(const char16_t* text);

// The command that `line` calls: the index of the command whose name is the
// line's first word (compared without regard to the case of A-Z), or -1.
// `arguments` receives the offset of the text after the name and the blanks
// that follow it.
int FindCommand(const FunctionList& list, const char16_t* line, int* arguments);

}  // namespace standin
