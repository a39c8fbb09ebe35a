#include "core/allocator.h"

#include <cstdlib>

namespace {
int64_t allocationsUntilFailure = 0;  // 0: never fail
int64_t liveBlocks = 0;
}  // namespace

void* ft_allocate(size_t bytes) {
    if (allocationsUntilFailure > 0 && --allocationsUntilFailure == 0) {
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

void ft_fail_allocation_at(int64_t k) {
    allocationsUntilFailure = k > 0 ? k : 0;
}

int64_t ft_live_allocations() {
    return liveBlocks;
}
