#include "text/large_buffers.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

void advise_huge_pages(const void* data, size_t bytes) {
#if defined(MADV_HUGEPAGE)
    // Only the whole huge pages inside: an allocation is seldom aligned to one.
    constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
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

char* grow_unfilled(std::string& text, size_t length) {
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
