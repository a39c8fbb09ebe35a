// The module's heap (web/size_class_heap.h), natively over a fixed arena.
#include "web/size_class_heap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <vector>

namespace {

constexpr size_t kArena = 1 << 24;
alignas(16) char gArena[kArena];
size_t gUsed = 0;
size_t gLimit = kArena;

void* grow_arena(size_t bytes) {
    if (bytes > gLimit - gUsed) {
        return nullptr;
    }
    void* old = gArena + gUsed;
    gUsed += bytes;
    return old;
}

struct FreshArena : ::testing::Test {
    void SetUp() override {
        gUsed = 0;
        gLimit = kArena;
    }
};

struct Live {
    size_t size;
    unsigned char fill;
};

void expect_filled(const char* block, const Live& live) {
    for (size_t i = 0; i < live.size; ++i) {
        ASSERT_EQ(static_cast<unsigned char>(block[i]), live.fill)
            << "byte " << i << " of " << live.size;
    }
}

}  // namespace

// Random allocations, resizes and releases, sizes spread over several classes:
// every live block is aligned, holds what it was asked for, overlaps no other,
// and keeps its bytes through everything done to the others and to itself.
TEST_F(FreshArena, LiveBlocksStayAlignedApartAndIntact) {
    SizeClassHeap heap(grow_arena);
    std::mt19937 random(7);
    std::map<char*, Live> live;
    auto size_of = [&] {
        const int scale = static_cast<int>(random() % 4);
        return static_cast<size_t>(random() % (scale == 3 ? 70000 : scale == 2 ? 2000 : 64));
    };
    for (int step = 0; step < 20000; ++step) {
        const auto op = random() % 3;
        if (op == 0 || live.empty()) {
            const Live want{size_of(), static_cast<unsigned char>(step)};
            char* block = static_cast<char*>(heap.allocate(want.size));
            ASSERT_NE(block, nullptr);
            ASSERT_EQ(reinterpret_cast<uintptr_t>(block) % SizeClassHeap::kAlign, 0u);
            ASSERT_GE(SizeClassHeap::room(block), want.size);
            std::memset(block, want.fill, want.size);
            ASSERT_TRUE(live.emplace(block, want).second) << "a live block handed out twice";
            continue;
        }
        auto it = live.begin();
        std::advance(it, static_cast<long>(random() % live.size()));
        char* block = it->first;
        Live kept = it->second;
        live.erase(it);
        expect_filled(block, kept);
        if (op == 1) {
            heap.release(block);
        } else {
            const size_t size = size_of();
            char* moved = static_cast<char*>(heap.resize(block, size));
            ASSERT_NE(moved, nullptr);
            kept.size = std::min(kept.size, size);
            expect_filled(moved, kept);
            std::memset(moved, kept.fill, size);
            kept.size = size;
            live.emplace(moved, kept);
        }
    }
    char* end = nullptr;
    for (const auto& [block, info] : live) {
        ASSERT_GE(block, end) << "blocks overlap";
        expect_filled(block, info);
        end = block + info.size;
    }
}

// Each size gets a block that holds it and at most about twice it, and a
// freed block is handed out again for a size of its class.
TEST_F(FreshArena, SizesFitTheirClass) {
    SizeClassHeap heap(grow_arena);
    const size_t sizes[] = {0, 1, 15, 16, 17, 48, 49, 1000, 4080, 4081, 65536, 1000000};
    for (const size_t size : sizes) {
        void* block = heap.allocate(size);
        ASSERT_NE(block, nullptr) << size;
        EXPECT_GE(SizeClassHeap::room(block), size);
        EXPECT_LE(SizeClassHeap::room(block), 2 * size + 2 * SizeClassHeap::kAlign) << size;
        heap.release(block);
        EXPECT_EQ(heap.allocate(SizeClassHeap::room(block)), block) << size;
        EXPECT_EQ(heap.resize(block, SizeClassHeap::room(block)), block)
            << "a resize within the class moves nothing";
    }
}

// Out of memory is a null, never a block past the end, and the heap goes on.
TEST_F(FreshArena, RefusesWhatMemoryCannotHold) {
    SizeClassHeap heap(grow_arena);
    gLimit = 4096;
    EXPECT_EQ(heap.allocate(5000), nullptr);
    EXPECT_EQ(heap.allocate(size_t{1} << 31), nullptr);
    void* small = heap.allocate(100);
    ASSERT_NE(small, nullptr);
    std::memset(small, 1, 100);
    EXPECT_EQ(heap.resize(small, 8000), nullptr);
    EXPECT_EQ(static_cast<char*>(small)[99], 1) << "a failed resize keeps the block";
    EXPECT_LE(gUsed, gLimit);
}
