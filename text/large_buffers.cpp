#include "text/large_buffers.h"

#include <algorithm>
#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

#if defined(MADV_HUGEPAGE)
constexpr size_t kHugePage = size_t{2} << 20;
// A small page costs a fault the first time it is written to, and a huge
// page one fault for 512 of them: past this size the buffer takes whole huge
// pages, though the last may be filled only in part.
constexpr size_t kLeastHuge = kHugePage / 8;

constexpr size_t whole_huge_pages(size_t bytes) {
    return (bytes + kHugePage - 1) & ~(kHugePage - 1);
}
#endif

template <class Text>
char* grow_text_unfilled(Text& text, size_t length) {
    if (length > text.capacity()) {
        text.reserve(length);
        advise_huge_pages(text.data(), length);
    }
#if defined(__cpp_lib_string_resize_and_overwrite)
    // libstdc++ 12 hands the operation the capacity, not the length asked.
    text.resize_and_overwrite(length, [length](char*, size_t) { return length; });
#elif defined(_LIBCPP_VERSION)
    text.__resize_default_init(length);
#else
    // A library before C++23 has no public way to skip the fill.
    text.resize(length);
#endif
    return text.data();
}

}  // namespace

void advise_huge_pages(const void* data, size_t bytes) {
#if defined(MADV_HUGEPAGE)
    // Only the whole huge pages inside: an allocation is seldom aligned to one.
    const auto first = reinterpret_cast<uintptr_t>(data);
    const uintptr_t start = (first + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t end = (first + bytes) & ~(kHugePage - 1);
    if (end > start) {
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    }
#else
    (void)data;
    (void)bytes;
#endif
}

void populate_for_writing(const void* data, size_t bytes) {
#if defined(MADV_POPULATE_WRITE)
    // Only the whole pages inside: the ones at either end may be shared.
    constexpr uintptr_t kPage = 4096;
    const auto first = reinterpret_cast<uintptr_t>(data);
    const uintptr_t start = (first + kPage - 1) & ~(kPage - 1);
    const uintptr_t end = (first + bytes) & ~(kPage - 1);
    if (end > start) {
        madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
    }
#else
    (void)data;
    (void)bytes;
#endif
}

void* allocate_large(size_t bytes) {
#if defined(MADV_HUGEPAGE)
    if (bytes >= kLeastHuge) {
        const size_t whole = whole_huge_pages(bytes);
        void* data = ::operator new (whole, std::align_val_t{kHugePage});
        madvise(data, whole, MADV_HUGEPAGE);
        return data;
    }
#endif
    return ::operator new(bytes);
}

void release_unused(const void* data, size_t used, size_t capacity) {
#if defined(MADV_HUGEPAGE)
    if (capacity < kLeastHuge) {
        return;
    }
    // Given back a small page at a time, up to the next huge page boundary:
    // the pages past it were never written to.
    constexpr uintptr_t kPage = 4096;
    const auto first = reinterpret_cast<uintptr_t>(data);
    const uintptr_t start = (first + used + kPage - 1) & ~(kPage - 1);
    const uintptr_t hugeEnd = (first + used + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t end = std::min(hugeEnd, first + whole_huge_pages(capacity));
    if (end > start) {
        madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
    }
#else
    (void)data;
    (void)used;
    (void)capacity;
#endif
}

void release_large(void* data, size_t bytes) {
#if defined(MADV_HUGEPAGE)
    if (bytes >= kLeastHuge) {
        ::operator delete (data, std::align_val_t{kHugePage});
        return;
    }
#endif
    (void)bytes;
    ::operator delete(data);
}

char* grow_unfilled(std::string& text, size_t length) {
    return grow_text_unfilled(text, length);
}

char* grow_unfilled(LargeString& text, size_t length) {
    return grow_text_unfilled(text, length);
}
