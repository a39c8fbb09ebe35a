#include "core/allocator.h"

#include <atomic>
#include <cstdlib>

#include "core/frame_core.h"

namespace {
// Atomic, as tables are framed from several threads at once; the spare cells
// below belong to the desktop's single store.
std::atomic<int64_t> allocationsUntilFailure{0};  // 0: never fail
std::atomic<int64_t> liveBlocks{0};
// Cells taken from the spares less cells put back: counted apart, and plainly,
// since a table's cells come and go by the thousand.
int64_t liveFromSpares = 0;

// Spare cells, linked through their first bytes.
struct SpareCell {
    SpareCell* next;
};
static_assert(sizeof(SpareCell) <= sizeof(CellNode), "a spare cell must fit a cell's block");
#if defined(__SANITIZE_ADDRESS__)
#define FT_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FT_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef FT_ADDRESS_SANITIZER
constexpr int64_t kMaxSpareCells = 0;  // let the sanitizer see every use after free
#else
constexpr int64_t kMaxSpareCells = 16384;  // more than any parsed table holds
#endif
SpareCell* spareCells = nullptr;
int64_t spareCount = 0;

bool injected_failure() {
    return allocationsUntilFailure.load(std::memory_order_relaxed) > 0 &&
           allocationsUntilFailure.fetch_sub(1, std::memory_order_relaxed) == 1;
}
}  // namespace

void* ft_allocate(size_t bytes) {
    if (injected_failure()) {
        return nullptr;
    }
    void* block = std::malloc(bytes);
    if (block != nullptr) {
        ++liveBlocks;
    }
    return block;
}

void ft_release(void* block) {
    if (block != nullptr) {
        --liveBlocks;
        std::free(block);
    }
}

void* ft_allocate_cell() {
    if (spareCells == nullptr) {
        return ft_allocate(sizeof(CellNode));
    }
    if (injected_failure()) {
        return nullptr;
    }
    SpareCell* cell = spareCells;
    spareCells = cell->next;
    --spareCount;
    ++liveFromSpares;
    return cell;
}

void ft_release_cell(void* cell) {
    if (cell == nullptr) {
        return;
    }
    if (spareCount == kMaxSpareCells) {
        ft_release(cell);
        return;
    }
    auto* spare = static_cast<SpareCell*>(cell);
    spare->next = spareCells;
    spareCells = spare;
    ++spareCount;
    --liveFromSpares;
}

void ft_fail_allocation_at(int64_t k) {
    allocationsUntilFailure.store(k > 0 ? k : 0, std::memory_order_relaxed);
}

int64_t ft_live_allocations() {
    return liveBlocks + liveFromSpares;
}
