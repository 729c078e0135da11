// Catches output that bypasses the host's print services: while a watch is
// open, the process's standard output and standard error (file descriptors
// 1 and 2, and the C library's streams on them) lead into a scratch file,
// and Close() tells how many bytes arrived there. The plug-in may print
// only through the host, which the stand-in host records in memory, so the
// answer must be 0.
//
// Sanitizer reports keep going to the real standard error, so that a fault
// found while the watch is open is still shown.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace fuzz {

class StdioWatch {
public:
    StdioWatch() {
        char path[] = "/tmp/tolvek-stdio-XXXXXX";
        scratch_ = mkstemp(path);
        if (scratch_ < 0) std::abort();
        unlink(path);
        savedOut_ = dup(1);
        savedErr_ = dup(2);
        if (savedOut_ < 0 || savedErr_ < 0) std::abort();
        if (__sanitizer_set_report_fd != nullptr) {
            __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<std::intptr_t>(savedErr_)));
        }
    }

    void Open() {
        std::fflush(stdout);
        std::fflush(stderr);
        dup2(scratch_, 1);
        dup2(scratch_, 2);
    }

    // Restores both streams and returns the number of bytes written to
    // either while the watch was open; the scratch file is emptied.
    long Close() {
        std::fflush(stdout);
        std::fflush(stderr);
        dup2(savedOut_, 1);
        dup2(savedErr_, 2);
        struct stat status {};
        fstat(scratch_, &status);
        if (status.st_size != 0) {
            if (ftruncate(scratch_, 0) != 0) std::abort();
            lseek(scratch_, 0, SEEK_SET);
        }
        return static_cast<long>(status.st_size);
    }

private:
    int scratch_ = -1;
    int savedOut_ = -1;
    int savedErr_ = -1;
};

}  // namespace fuzz
