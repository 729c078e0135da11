// A DLL built with the plug-in's stack protector flags and run-time. One
// export copies as many bytes as it is told into a 16-byte local buffer:
// told more, it writes past the buffer over the frame's guard value, and
// the check at its return must end the process. Another returns the guard
// value itself, which the run-time must have made random at load.
#include <cstddef>
#include <cstdint>
#include <cstring>

// The run-time's guard value, which every guarded frame copies and checks.
extern "C" void* __stack_chk_guard;

extern "C" __declspec(dllexport) std::uintptr_t StackGuardValue() {
    return reinterpret_cast<std::uintptr_t>(__stack_chk_guard);
}

extern "C" __declspec(dllexport) int CopyIntoSmallBuffer(const char* bytes, std::size_t count) {
    char buffer[16];
    std::memcpy(buffer, bytes, count);
    // Reading the buffer keeps the copy from being left out.
    return buffer[0] + buffer[count > 0 ? count - 1 : 0];
}
