#include "host_variables.h"

#include "expansion_table.h"
#include "host_text.h"

namespace standin {
namespace {

constexpr std::size_t MAX_VARIABLES = 32;
constexpr std::size_t EXPANSION_UNITS = 8192;

host_side::ExpansionTable<VARIABLE_UNITS, VARIABLE_UNITS, MAX_VARIABLES> Variables;

bool IsNameUnit(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'$';
}

struct Output {
    char16_t* text;
    std::size_t capacity;
    std::size_t length;

    void Put(char16_t c) {
        if (length + 1 < capacity) text[length++] = c;
    }
    void PutText(const char16_t* value) {
        while (value != nullptr && *value != u'\0') Put(*value++);
    }
};

// The references below each give their length from the "%" at `text`, or
// 0 when none starts there; `name` and `nameLength` give what to look up.

// %[name]
std::size_t BracketReferenceAt(const char16_t* text, const char16_t** name, std::size_t* nameLength) {
    std::size_t end = 2;
    while (text[end] != u'\0' && text[end] != u']') ++end;
    if (text[end] != u']') return 0;
    *name = text + 2;
    *nameLength = end - 2;
    return end + 1;
}

// %@function[arguments], looked up with the "@", the brackets nesting.
std::size_t FunctionReferenceAt(const char16_t* text, const char16_t** name, std::size_t* nameLength) {
    std::size_t end = 2;
    while (IsNameUnit(text[end])) ++end;
    if (text[end] != u'[') return 0;
    int depth = 0;
    for (; text[end] != u'\0'; ++end) {
        if (text[end] == u'[') ++depth;
        if (text[end] == u']' && --depth == 0) break;
    }
    if (text[end] != u']') return 0;
    *name = text + 1;
    *nameLength = end;
    return end + 1;
}

// %name
std::size_t NamedReferenceAt(const char16_t* text, const char16_t** name, std::size_t* nameLength) {
    std::size_t end = 1;
    while (IsNameUnit(text[end])) ++end;
    if (end == 1) return 0;
    *name = text + 1;
    *nameLength = end - 1;
    return end;
}

std::size_t ReferenceAt(const char16_t* text, const char16_t** name, std::size_t* nameLength) {
    if (text[1] == u'[') return BracketReferenceAt(text, name, nameLength);
    if (text[1] == u'@') return FunctionReferenceAt(text, name, nameLength);
    return NamedReferenceAt(text, name, nameLength);
}

}  // namespace

bool SetHostVariable(const char16_t* name, const char16_t* value) {
    return Variables.Set(name, value);
}

const char16_t* HostVariable(const char16_t* name) {
    return Variables.Find(name);
}

void ResetHostVariables() {
    Variables.Clear();
    SetHostVariable(u"_4ver", u"24");
    SetHostVariable(u"_transient", u"0");
    SetHostVariable(u"_pipe", u"0");
    SetHostVariable(u"_batch", u"0");
    SetHostVariable(u"_batchname", u"");
    SetHostVariable(u"_batchline", u"0");
    SetHostVariable(u"@option[escapechar]", u"^");
}

void ExpandHostVariables(char16_t* buffer, std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) return;
    static char16_t Expanded[EXPANSION_UNITS];
    Output out{Expanded, capacity < EXPANSION_UNITS ? capacity : EXPANSION_UNITS, 0};
    for (const char16_t* p = buffer; *p != u'\0';) {
        if (*p == u'%' && p[1] == u'%') {
            out.Put(u'%');
            p += 2;
            continue;
        }
        const char16_t* name = nullptr;
        std::size_t nameLength = 0;
        const std::size_t length = *p == u'%' ? ReferenceAt(p, &name, &nameLength) : 0;
        if (length == 0) {
            out.Put(*p++);
            continue;
        }
        out.PutText(Variables.Find(name, nameLength));
        p += length;
    }
    for (std::size_t i = 0; i < out.length; ++i) buffer[i] = Expanded[i];
    buffer[out.length] = u'\0';
}

}  // namespace standin
