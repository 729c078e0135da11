#include "function_list.h"

#include "host_text.h"
#include "text_units.h"

namespace standin {
namespace {

void CopyName(char16_t* to, const char16_t* from, std::size_t length) {
    std::size_t i = 0;
    for (; i < length && i + 1 < FUNCTION_NAME_UNITS; ++i) to[i] = from[i];
    to[i] = u'\0';
}

// One entry of the list, the blanks around it trimmed.
struct Entry {
    const char16_t* start;
    const char16_t* end;
};

// The entry at `p`; `p` moves past it and the comma after it.
Entry NextEntry(const char16_t*& p) {
    while (IsBlank(*p)) ++p;
    const char16_t* start = p;
    while (*p != u'\0' && *p != u',') ++p;
    const char16_t* end = p;
    if (*p == u',') ++p;
    while (end > start && IsBlank(end[-1])) --end;
    return {start, end};
}

// "*name" names the keystroke handler (the first such entry counts), any
// other entry a command; an empty entry names nothing.
void AddEntry(FunctionList& list, Entry entry) {
    if (entry.start == entry.end) return;
    if (*entry.start != u'*') {
        if (list.commandCount < MAX_COMMANDS) {
            CopyName(list.commands[list.commandCount++], entry.start,
                     static_cast<std::size_t>(entry.end - entry.start));
        }
        return;
    }
    const char16_t* name = entry.start + 1;
    while (name < entry.end && IsBlank(*name)) ++name;
    if (name < entry.end && list.keystrokeHandler[0] == u'\0') {
        CopyName(list.keystrokeHandler, name, static_cast<std::size_t>(entry.end - name));
    }
}

}  // namespace

FunctionList ParseFunctionList(const char16_t* text) {
    FunctionList list{};
    if (text == nullptr) return list;
    const char16_t* p = text;
    while (*p != u'\0') AddEntry(list, NextEntry(p));
    return list;
}

int FindCommand(const FunctionList& list, const char16_t* line, int* arguments) {
    int start = 0;
    while (IsBlank(line[start])) ++start;
    int end = start;
    while (line[end] != u'\0' && !IsBlank(line[end])) ++end;
    for (int i = 0; i < list.commandCount; ++i) {
        if (!host_side::SameNameIgnoringAsciiCase(list.commands[i], line + start,
                                                  static_cast<std::size_t>(end - start))) {
            continue;
        }
        int rest = end;
        while (IsBlank(line[rest])) ++rest;
        *arguments = rest;
        return i;
    }
    return -1;
}

}  // namespace standin
