// Drives the overflow DLL: prints its guard value, then copies 8 bytes into
// its 16-byte buffer, which must return, and then 64, which must not. A line
// before and after each copy shows the check how far it got, and a process
// that ends by an exception says which one, since the exit status of a
// process that Wine's debugger ends is not dependable.
#include <windows.h>

#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

extern "C" __declspec(dllimport) std::uintptr_t StackGuardValue();
extern "C" __declspec(dllimport) int CopyIntoSmallBuffer(const char* bytes, std::size_t count);

namespace {

LONG WINAPI ReportEndingException(EXCEPTION_POINTERS* exception) {
    std::printf("ended by exception %08lx\n", exception->ExceptionRecord->ExceptionCode);
    std::fflush(stdout);
    ExitProcess(3);
}

}  // namespace

int main() {
    SetUnhandledExceptionFilter(ReportEndingException);
    std::printf("guard value %016" PRIxPTR "\n", StackGuardValue());
    char bytes[64];
    std::memset(bytes, 'A', sizeof bytes);
    const std::size_t counts[] = {8, sizeof bytes};
    for (const std::size_t count : counts) {
        std::printf("copying %zu bytes\n", count);
        std::fflush(stdout);
        const int result = CopyIntoSmallBuffer(bytes, count);
        std::printf("copy of %zu bytes returned %d\n", count, result);
    }
    return 0;
}
