// Counts heap allocations made while a measurement runs, three ways:
// - the global operator new and its variants, replaced in this program;
// - malloc, calloc, realloc, aligned_alloc, posix_memalign and strdup
//   called from any object linked into this program, redirected at link
//   time (ld --wrap) through counting wrappers;
// - when the program runs under a sanitizer, the allocator's own hooks,
//   which see every allocation, made anywhere, the C library's included.
// The plug-in's entry points must leave all three at zero.
#pragma once

#include <ostream>

namespace heap {

struct Counts {
    long operatorNew = 0;
    long cLibrary = 0;
    long allocatorHook = 0;

    bool operator==(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counts& counts);

// True when the sanitizer's allocator hooks are in place in this program.
bool AllocatorHooksInstalled();

// Starts counting from zero; Stop() ends it and returns the counts.
void Start();
Counts Stop();

template <typename Work>
Counts Measure(Work&& work) {
    Start();
    work();
    return Stop();
}

}  // namespace heap
