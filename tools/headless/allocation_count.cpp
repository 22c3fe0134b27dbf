// Counting replacements for the C allocator and the global operator new / delete. They hand the
// work to glibc's own entry points (__libc_malloc and friends), so memory from either side may be
// freed by the other, as with the real allocator. Built only when LUMEN_COUNT_ALLOCATIONS is 1.
#include "tools/headless/allocation_count.h"

#if LUMEN_COUNT_ALLOCATIONS

#include <atomic>
#include <cstddef>
#include <new>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
void __real_SDL_WM_SetCaption(const char* title, const char* icon);
}

namespace {

// The counters are the one deliberate piece of mutable global state in the runner: an allocator
// hook has nowhere else to keep them. The per-thread count needs no lock; the total is atomic.
thread_local int64_t threadCount = 0;
thread_local int64_t captionCount = 0;
thread_local int insideCaption = 0;
std::atomic<int64_t> totalCount{0};

void countOne() {
    if (insideCaption > 0) {
        ++captionCount;
    } else {
        ++threadCount;
    }
    totalCount.fetch_add(1, std::memory_order_relaxed);
}

void* newBlock(size_t size) {
    countOne();
    void* block = __libc_malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

void* newAlignedBlock(size_t size, std::align_val_t alignment) {
    countOne();
    void* block = __libc_memalign(static_cast<size_t>(alignment), size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

}  // namespace

extern "C" {

/// SDL keeps its own copy of the window caption, made with strdup on every change. The link
/// (--wrap) sends the game's calls here so that those copies are counted apart.
void __wrap_SDL_WM_SetCaption(const char* title, const char* icon) {
    ++insideCaption;
    __real_SDL_WM_SetCaption(title, icon);
    --insideCaption;
}

void* malloc(size_t size) noexcept {
    countOne();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) noexcept {
    countOne();
    return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) noexcept {
    countOne();
    return __libc_realloc(block, size);
}

void free(void* block) noexcept {
    __libc_free(block);
}

}  // extern "C"

void* operator new(size_t size) {
    return newBlock(size);
}
void* operator new[](size_t size) {
    return newBlock(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    countOne();
    return __libc_malloc(size == 0 ? 1 : size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    countOne();
    return __libc_malloc(size == 0 ? 1 : size);
}
void* operator new(size_t size, std::align_val_t alignment) {
    return newAlignedBlock(size, alignment);
}
void* operator new[](size_t size, std::align_val_t alignment) {
    return newAlignedBlock(size, alignment);
}
void operator delete(void* block) noexcept {
    __libc_free(block);
}
void operator delete[](void* block) noexcept {
    __libc_free(block);
}
void operator delete(void* block, size_t) noexcept {
    __libc_free(block);
}
void operator delete[](void* block, size_t) noexcept {
    __libc_free(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
    __libc_free(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    __libc_free(block);
}
void operator delete(void* block, size_t, std::align_val_t) noexcept {
    __libc_free(block);
}
void operator delete[](void* block, size_t, std::align_val_t) noexcept {
    __libc_free(block);
}

bool allocationCountingAvailable() {
    return true;
}

int64_t threadAllocationCount() {
    return threadCount;
}

int64_t threadCaptionAllocationCount() {
    return captionCount;
}

int64_t totalAllocationCount() {
    return totalCount.load(std::memory_order_relaxed);
}

#else

bool allocationCountingAvailable() {
    return false;
}

int64_t threadAllocationCount() {
    return 0;
}

int64_t threadCaptionAllocationCount() {
    return 0;
}

int64_t totalAllocationCount() {
    return 0;
}

#endif
