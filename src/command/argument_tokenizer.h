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

// Fills `table` from `text` and returns the number of arguments (at most
// 1024; later ones are dropped silently). Returns -1 when `text` is null
// (the table is left alone) or when the texts do not fit in the store
// (after printing the overflow message; the table then holds what was
// stored up to that point and the count is 0).
int TokenizeArguments(const char16_t* text, ArgumentTable& table);

}  // namespace tolvek
