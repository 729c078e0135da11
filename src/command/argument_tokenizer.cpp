#include "command/argument_tokenizer.h"

#include "text/char_class.h"
#include "text/text.h"

namespace tolvek {

namespace {

void ClearTable(ArgumentTable& table) {
    table.count = 0;
    for (int k = 0; k < MAX_ARGUMENTS; ++k) {
        table.start[k] = nullptr;
        table.length[k] = 0;
    }
}

// Drops white space that quotes left at the end of each argument.
void TrimArguments(ArgumentTable& table, int count) {
    for (int k = 0; k < count; ++k) {
        std::int32_t& length = table.length[k];
        char16_t* text = table.start[k];
        while (length > 0 && IsWhiteSpace(text[length - 1])) {
            --length;
            text[length] = u'\0';
        }
    }
}

// How far a run has come.
struct Progress {
    int nextCell = 0;    // next free cell of the store
    int completed = 0;   // arguments completed
    int openLength = 0;  // length of the open argument, 0 when none is open
};

// A separator ends the open argument, if any, and steps past the
// terminator written after its last character.
void EndArgument(Progress& at) {
    if (at.openLength == 0) return;
    ++at.completed;
    at.openLength = 0;
    ++at.nextCell;
}

// Stores one character of an argument, upper-cased and followed by a
// terminator. The characters of arguments beyond the 1024th are dropped,
// but they still count against the store. False when the store is full.
[[nodiscard]] bool StoreCharacter(ArgumentTable& table, Progress& at, char16_t c) {
    if (at.nextCell >= ARGUMENT_STORE_UNITS - 1) return false;
    if (at.completed >= MAX_ARGUMENTS) return true;
    if (at.openLength == 0) table.start[at.completed] = &table.store[at.nextCell];
    table.length[at.completed] = ++at.openLength;
    table.store[at.nextCell++] = ToUpperAscii(c);
    table.store[at.nextCell] = u'\0';
    return true;
}

}  // namespace

Tokenized TokenizeArguments(const char16_t* text, ArgumentTable& table) {
    if (text == nullptr) return {TokenizeResult::NullText, 0};
    ClearTable(table);

    Progress at;
    bool inQuotes = false;
    for (const char16_t* next = text; *next != u'\0'; ++next) {
        const char16_t c = *next;
        if (c == u'"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && IsWhiteSpace(c)) {
            EndArgument(at);
        } else if (!StoreCharacter(table, at, c)) {
            return {TokenizeResult::StoreFull, at.nextCell};
        }
    }
    if (at.openLength > 0) ++at.completed;

    TrimArguments(table, at.completed);
    table.count = at.completed;
    return {TokenizeResult::Done, 0};
}

}  // namespace tolvek
