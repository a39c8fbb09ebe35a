// The module's heap: blocks in power-of-two size classes, each class a free
// list, carved from memory that only grows. A twentieth of the code of a
// general allocator and faster for the module's pattern (a call's strings
// and vectors come and go, the next call asks for the same sizes again); a
// block can take up to twice the memory it was asked for.
#pragma once

#include <cstddef>
#include <cstdint>

class SizeClassHeap {
  public:
    // Every block starts on this boundary, as malloc's blocks must.
    static constexpr size_t kAlign = 16;

    // `grow(bytes)` moves the end of the heap's memory on by `bytes` (a
    // multiple of kAlign) and returns the old end, or null when it cannot;
    // `grow(0)` returns where the memory starts, on the boundary.
    using Grow = void* (*)(size_t bytes);
    constexpr explicit SizeClassHeap(Grow grow) : grow_(grow) {}

    void* allocate(size_t bytes);
    void release(void* block);
    // Keeps the block when the new size fits its class.
    void* resize(void* block, size_t bytes);
    // Room in the block: its class's size less the header.
    static size_t room(const void* block);

  private:
    // Class c holds blocks of kAlign << c bytes, header included: up to 2 GiB.
    static constexpr int kClasses = 28;
    // Before each block; a class-0 block has no room of its own, so a free
    // block is listed through its header.
    struct Header {
        uint32_t cls;
        Header* next;
    };
    static_assert(sizeof(Header) <= kAlign, "the header fits before the block");
    static Header* header_of(void* block);
    void* carve(size_t size);

    Grow grow_;
    Header* free_[kClasses] = {};
    char* next_ = nullptr;
    char* end_ = nullptr;
};
