#include "script_steps.h"

#include "text_units.h"

namespace standin {
namespace {

struct StepWord {
    const char16_t* word;
    StepKind kind;
};

constexpr StepWord StepWords[] = {
    {u"say", StepKind::Say},   {u"type", StepKind::Type},     {u"key", StepKind::Key},
    {u"line", StepKind::Line}, {u"cursor", StepKind::Cursor}, {u"run", StepKind::Run},
};

}  // namespace

Step ParseStep(const char16_t* line) {
    int start = 0;
    while (IsBlank(line[start])) ++start;
    if (line[start] == u'\0' || line[start] == u'#') return {StepKind::Skip, u""};
    for (const StepWord& step : StepWords) {
        int k = 0;
        while (step.word[k] != u'\0' && line[start + k] == step.word[k]) ++k;
        if (step.word[k] != u'\0') continue;
        const char16_t after = line[start + k];
        if (after == u'\0') return {step.kind, u""};
        if (IsBlank(after)) return {step.kind, line + start + k + 1};
    }
    return {StepKind::Unknown, line + start};
}

bool NextWord(const char16_t* text, int* position, char16_t* word, int capacity) {
    int p = *position;
    while (IsBlank(text[p])) ++p;
    if (text[p] == u'\0') {
        *position = p;
        return false;
    }
    int length = 0;
    while (text[p] != u'\0' && !IsBlank(text[p])) {
        if (length + 1 < capacity) word[length++] = text[p];
        ++p;
    }
    word[length] = u'\0';
    *position = p;
    return true;
}

}  // namespace standin
