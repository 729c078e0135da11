#include "command/argument_tokenizer.h"

#include "host/error_prefix.h"
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

int ReportOverflow(int position) {
    ReportError(u"Buffer overflow: b = %d, MAX_ARG_LEN = %d \r\n", position, MAX_ARG_LEN);
    return -1;
}

}  // namespace

int TokenizeArguments(const char16_t* text, ArgumentTable& table) {
    if (text == nullptr) return -1;
    ClearTable(table);

    int p = 0;  // next free cell of the store
    int j = 0;  // arguments completed
    int i = 0;  // length of the open argument, 0 when none is open
    bool inQuotes = false;

    for (const char16_t* next = text;; ++next) {
        const char16_t c = *next;
        if (c == u'"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (!inQuotes && IsWhiteSpace(c)) {
            if (i > 0) {
                ++j;
                i = 0;
                ++p;  // past the terminator written with the last character
            }
            continue;
        }
        if (c == u'\0') {
            if (i > 0) ++j;
            break;
        }
        if (p >= MAX_ARG_LEN - 1) return ReportOverflow(p);
        if (j >= MAX_ARGUMENTS) continue;
        if (i == 0) table.start[j] = &table.store[p];
        table.length[j] = ++i;
        table.store[p++] = ToUpperAscii(c);
        table.store[p] = u'\0';
    }

    TrimArguments(table, j);
    table.count = j;
    return j;
}

}  // namespace tolvek
