// Buffers of megabytes, a frame or a file read whole: touched 4 KiB at a
// time, such a buffer cost more in page faults than in the writing, so it
// asks for huge pages where the system gives them on request; and a string
// about to be written whole is grown without first being filled with zeros.
#pragma once

#include <cstddef>
#include <string>

// Advice only: where it is not taken, the pages stay small ones.
void advise_huge_pages(const void* data, size_t bytes);

// Memory in small pages about to be written whole: its pages are mapped in
// one call, where the system can, rather than in a fault on each one's
// first write. Advice only.
void populate_for_writing(const void* data, size_t bytes);

// Memory for a buffer of bytes: from a huge page boundary and in huge pages
// where it is large and the system gives them, else as new would give it.
// Only the pages written are taken, so a buffer may reserve far more than it
// fills.
void* allocate_large(size_t bytes);
void release_large(void* data, size_t bytes);

// The memory allocate_large(capacity) gave at data, whose first used bytes
// are all it will hold: the part of its last huge page past them is given
// back, which the huge page otherwise keeps taken however little of it was
// filled.
void release_unused(const void* data, size_t used, size_t capacity);

template <class T>
struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <class U>
    explicit LargeAllocator(const LargeAllocator<U>& /*other*/) {}
    T* allocate(size_t count) { return static_cast<T*>(allocate_large(count * sizeof(T))); }
    void deallocate(T* data, size_t count) { release_large(data, count * sizeof(T)); }
    template <class U>
    bool operator==(const LargeAllocator<U>& /*other*/) const {
        return true;
    }
    template <class U>
    bool operator!=(const LargeAllocator<U>& /*other*/) const {
        return false;
    }
};

// A file read whole.
using LargeString = std::basic_string<char, std::char_traits<char>, LargeAllocator<char>>;

// text becomes length bytes long, at least as long as it was, and ends in
// '\0'; the bytes past its old length are whatever the memory held, for the
// caller to write every one of them.
char* grow_unfilled(std::string& text, size_t length);
char* grow_unfilled(LargeString& text, size_t length);
