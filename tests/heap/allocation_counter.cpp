#include "allocation_counter.h"

#include <cstddef>
#include <cstdlib>
#include <new>

extern "C" {

// The C library's allocators as they were before ld --wrap redirected
// every call of this program to the __wrap_ functions below.
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* pointer, std::size_t size);
void* __real_aligned_alloc(std::size_t alignment, std::size_t size);
int __real_posix_memalign(void** pointer, std::size_t alignment, std::size_t size);
char* __real_strdup(const char* text);

// Present only under a sanitizer; then every allocation reports to the hook.
int __sanitizer_install_malloc_and_free_hooks(void (*onAllocate)(const volatile void*, std::size_t),
                                              void (*onFree)(const volatile void*)) __attribute__((weak));

}  // extern "C"

namespace {

bool counting = false;
heap::Counts counts;
bool hooksInstalled = false;

void NoteOperatorNew() {
    if (counting) ++counts.operatorNew;
}

void NoteCLibrary() {
    if (counting) ++counts.cLibrary;
}

void OnAllocate(const volatile void*, std::size_t) {
    if (counting) ++counts.allocatorHook;
}

void OnFree(const volatile void*) {}

void* Allocate(std::size_t size) {
    NoteOperatorNew();
    void* pointer = __real_malloc(size == 0 ? 1 : size);
    if (pointer == nullptr) std::abort();
    return pointer;
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
    NoteOperatorNew();
    void* pointer = nullptr;
    if (__real_posix_memalign(&pointer, static_cast<std::size_t>(alignment), size == 0 ? 1 : size) != 0) {
        std::abort();
    }
    return pointer;
}

}  // namespace

extern "C" {

void* __wrap_malloc(std::size_t size) {
    NoteCLibrary();
    return __real_malloc(size);
}

void* __wrap_calloc(std::size_t count, std::size_t size) {
    NoteCLibrary();
    return __real_calloc(count, size);
}

void* __wrap_realloc(void* pointer, std::size_t size) {
    NoteCLibrary();
    return __real_realloc(pointer, size);
}

void* __wrap_aligned_alloc(std::size_t alignment, std::size_t size) {
    NoteCLibrary();
    return __real_aligned_alloc(alignment, size);
}

int __wrap_posix_memalign(void** pointer, std::size_t alignment, std::size_t size) {
    NoteCLibrary();
    return __real_posix_memalign(pointer, alignment, size);
}

char* __wrap_strdup(const char* text) {
    NoteCLibrary();
    return __real_strdup(text);
}

}  // extern "C"

// clang-format off
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}

void operator delete(void* pointer) noexcept { std::free(pointer); }
void operator delete[](void* pointer) noexcept { std::free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { std::free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { std::free(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { std::free(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { std::free(pointer); }
void operator delete(void* pointer, std::align_val_t) noexcept { std::free(pointer); }
void operator delete[](void* pointer, std::align_val_t) noexcept { std::free(pointer); }
void operator delete(void* pointer, std::size_t, std::align_val_t) noexcept { std::free(pointer); }
void operator delete[](void* pointer, std::size_t, std::align_val_t) noexcept { std::free(pointer); }
void operator delete(void* pointer, std::align_val_t, const std::nothrow_t&) noexcept { std::free(pointer); }
void operator delete[](void* pointer, std::align_val_t, const std::nothrow_t&) noexcept { std::free(pointer); }
// clang-format on

namespace heap {

std::ostream& operator<<(std::ostream& out, const Counts& counted) {
    return out << "{operator new: " << counted.operatorNew << ", C library: " << counted.cLibrary
               << ", allocator hook: " << counted.allocatorHook << "}";
}

bool AllocatorHooksInstalled() {
    if (!hooksInstalled && __sanitizer_install_malloc_and_free_hooks != nullptr) {
        hooksInstalled = __sanitizer_install_malloc_and_free_hooks(OnAllocate, OnFree) != 0;
    }
    return hooksInstalled;
}

void Start() {
    AllocatorHooksInstalled();
    counts = Counts{};
    counting = true;
}

Counts Stop() {
    counting = false;
    return counts;
}

}  // namespace heap
