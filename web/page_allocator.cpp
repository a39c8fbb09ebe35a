// The C allocator of the module, over SizeClassHeap, in place of the C
// library's, which is eight times the code. Memory starts at the linker's
// __heap_base and grows by whole pages, never handed back. errno is left
// alone: nothing in the module reads it, and setting it would pull in the
// C library's thread-local storage.
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "size_class_heap.h"

extern "C" unsigned char __heap_base;

namespace {

constexpr size_t kPage = 65536;
uintptr_t gBreak = 0;

void* grow_memory(size_t bytes) {
    if (gBreak == 0) {
        gBreak = reinterpret_cast<uintptr_t>(&__heap_base);
    }
    const uintptr_t old = gBreak;
    if (bytes > SIZE_MAX - old) {
        return nullptr;
    }
    const uintptr_t wanted = old + bytes;
    const size_t have = __builtin_wasm_memory_size(0) * kPage;
    if (wanted > have) {
        const size_t pages = (wanted - have + kPage - 1) / kPage;
        if (__builtin_wasm_memory_grow(0, pages) == SIZE_MAX) {
            return nullptr;
        }
    }
    gBreak = wanted;
    return reinterpret_cast<void*>(old);
}

SizeClassHeap gHeap(grow_memory);

}  // namespace

extern "C" {

void* malloc(size_t bytes) {
    return gHeap.allocate(bytes);
}

void free(void* block) {
    gHeap.release(block);
}

void* calloc(size_t count, size_t size) {
    if (size != 0 && count > SIZE_MAX / size) {
        return nullptr;
    }
    void* block = malloc(count * size);
    if (block != nullptr) {
        std::memset(block, 0, count * size);
    }
    return block;
}

void* realloc(void* block, size_t bytes) {
    return gHeap.resize(block, bytes);
}

// Blocks start on 16 bytes; nothing in the module asks for more.
int posix_memalign(void** out, size_t alignment, size_t bytes) {
    if (alignment > SizeClassHeap::kAlign) {
        return EINVAL;
    }
    *out = gHeap.allocate(bytes);
    return *out != nullptr ? 0 : ENOMEM;
}

void* aligned_alloc(size_t alignment, size_t bytes) {
    return alignment <= SizeClassHeap::kAlign ? malloc(bytes) : nullptr;
}

// The names the C library's own functions call.
void* __libc_malloc(size_t bytes) {
    return malloc(bytes);
}
void __libc_free(void* block) {
    free(block);
}
void* __libc_calloc(size_t count, size_t size) {
    return calloc(count, size);
}

size_t malloc_usable_size(void* block) {
    return block != nullptr ? SizeClassHeap::room(block) : 0;
}

}  // extern "C"
