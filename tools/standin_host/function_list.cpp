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

}  // namespace

FunctionList ParseFunctionList(const char16_t* text) {
    FunctionList list{};
    if (text == nullptr) return list;
    const char16_t* p = text;
    while (*p != u'\0') {
        while (IsBlank(*p)) ++p;
        const char16_t* start = p;
        while (*p != u'\0' && *p != u',') ++p;
        const char16_t* end = p;
        if (*p == u',') ++p;
        while (end > start && IsBlank(end[-1])) --end;
        if (start == end) continue;
        if (*start == u'*') {
            ++start;
            while (start < end && IsBlank(*start)) ++start;
            if (start < end && list.keystrokeHandler[0] == u'\0') {
                CopyName(list.keystrokeHandler, start, static_cast<std::size_t>(end - start));
            }
        } else if (list.commandCount < MAX_COMMANDS) {
            CopyName(list.commands[list.commandCount++], start, static_cast<std::size_t>(end - start));
        }
    }
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
