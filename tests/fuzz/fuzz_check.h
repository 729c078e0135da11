// Invariant checks for the fuzz targets: a broken invariant names itself on
// standard error and aborts, which libFuzzer and the corpus replay both
// report as a failure.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_REQUIRE(condition) \
    ((condition) ? static_cast<void>(0) : ::fuzz::InvariantBroken(#condition, __FILE__, __LINE__))

namespace fuzz {

[[noreturn]] inline void InvariantBroken(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    std::abort();
}

}  // namespace fuzz
