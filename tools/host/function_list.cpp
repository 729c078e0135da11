#include "function_list.h"

namespace standin {
namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
}

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
        const char16_t* name = list.commands[i];
        int k = 0;
        while (start + k < end && name[k] != u'\0' && Upper(name[k]) == Upper(line[start + k])) ++k;
        if (start + k != end || name[k] != u'\0') continue;
        int rest = end;
        while (IsBlank(line[rest])) ++rest;
        *arguments = rest;
        return i;
    }
    return -1;
}

}  // namespace standin
