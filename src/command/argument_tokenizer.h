// Splits the configuration command's argument text into upper-cased
// arguments: white space separates, double quotes group and are dropped.
#pragma once

#include <cstdint>

namespace tolvek {

constexpr int ARGUMENT_STORE_UNITS = 8192;  // cells of the character store
constexpr int MAX_ARGUMENTS = 1024;         // entries of the start and length tables

// The arguments of one run, kept by the caller and overwritten by each run
// into the same table.
struct ArgumentTable {
    char16_t* start[MAX_ARGUMENTS];        // first character, null where no argument
    std::int32_t length[MAX_ARGUMENTS];    // characters, 0 where no argument
    std::int32_t count;                    // arguments of the last completed run
    char16_t store[ARGUMENT_STORE_UNITS];  // the texts, each NUL-terminated
};

// What became of a run.
enum class TokenizeResult {
    Done,       // the table holds the run's arguments, `count` of them
    NullText,   // the text was null; the table is left alone
    StoreFull,  // the texts did not fit in the store (see TokenizeArguments)
};

// A run's result, and where a full store stopped it.
struct Tokenized {
    TokenizeResult result;
    int refusedCell;  // on StoreFull, the cell of the store the next character would have taken
};

// Fills `table` from `text`, at most 1024 arguments (later ones are
// dropped silently). When the texts do not fit in the store, the table
// holds what was stored up to that point, untrimmed, and the count is 0.
// Prints nothing: the caller reports a full store.
[[nodiscard]] Tokenized TokenizeArguments(const char16_t* text, ArgumentTable& table);

}  // namespace tolvek
