// Growing a string unfilled keeps what it held and gives the length asked,
// inside and past the string's own small buffer; a large allocation keeps
// what a vector or string holds as it grows, and starts where a huge page
// would.
#include "text/large_buffers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct GrowthCase {
    std::string before;
    size_t length;
};

template <class Text>
void grows_unfilled(const GrowthCase& growth) {
    Text text(growth.before.begin(), growth.before.end());
    char* bytes = grow_unfilled(text, growth.length);
    ASSERT_EQ(bytes, text.data());
    ASSERT_EQ(text.size(), growth.length);
    EXPECT_EQ(text.c_str()[growth.length], '\0');
    EXPECT_EQ(text.compare(0, growth.before.size(), growth.before.c_str()), 0);
    for (size_t k = growth.before.size(); k < growth.length; ++k) {
        bytes[k] = static_cast<char>('a' + k % 26);
    }
    EXPECT_EQ(text.find('\0'), Text::npos) << growth.length;
}

TEST(GrowUnfilled, KeepsWhatWasThereAndEndsInTheTerminator) {
    const GrowthCase cases[] = {
        {"", 0},   {"", 1},    {"", 15},      {"", 16},
        {"ab", 2}, {"ab", 40}, {"", 1 << 22}, {std::string(100, 'x'), 100000}};
    for (const GrowthCase& growth : cases) {
        grows_unfilled<std::string>(growth);
        grows_unfilled<LargeString>(growth);
    }
}

// Pushed one at a time, a vector moves through every size of allocation,
// small and huge, and must keep each value it held.
TEST(LargeAllocator, KeepsEveryValueAcrossEveryGrowth) {
    std::vector<uint32_t, LargeAllocator<uint32_t>> values;
    constexpr uint32_t kCount = 3u << 20;  // 12 MiB
    for (uint32_t k = 0; k < kCount; ++k) {
        values.push_back(k * 2654435761u);
    }
    for (uint32_t k = 0; k < kCount; ++k) {
        ASSERT_EQ(values[k], k * 2654435761u) << k;
    }
#if defined(__linux__)
    // From a huge page boundary, else the first huge page is small ones.
    EXPECT_EQ(reinterpret_cast<uintptr_t>(values.data()) % (uintptr_t{2} << 20), 0u);
#endif
}

// Giving back what a buffer did not fill keeps every byte it did, at every
// length about a page or a huge page boundary, and the buffer can still grow
// into what was given back.
TEST(ReleaseUnused, KeepsWhatWasFilled) {
    constexpr size_t kHuge = size_t{2} << 20;
    for (const size_t used :
         {size_t{1}, size_t{4095}, size_t{4097}, kHuge - 1, kHuge, kHuge + 1, 3 * kHuge + 12345}) {
        LargeString text;
        text.reserve(4 * kHuge);
        char* bytes = grow_unfilled(text, used);
        for (size_t k = 0; k < used; ++k) {
            bytes[k] = static_cast<char>('a' + k % 26);
        }
        release_unused(text.data(), text.size() + 1, text.capacity() + 1);
        ASSERT_EQ(text.size(), used);
        EXPECT_EQ(text.c_str()[used], '\0');
        for (size_t k = 0; k < used; ++k) {
            ASSERT_EQ(text[k], static_cast<char>('a' + k % 26)) << used << " at " << k;
        }
        text.append(kHuge, 'z');
        EXPECT_EQ(text.back(), 'z');
        EXPECT_EQ(text[used - 1], static_cast<char>('a' + (used - 1) % 26));
    }
}

}  // namespace
