#include "core/allocator.h"

#include <atomic>
#include <cstdlib>

#include "core/frame_core.h"

namespace {
// Atomic, as tables are framed from several threads at once; the cell arena
// below belongs to the desktop's single store.
std::atomic<int64_t> allocationsUntilFailure{0};  // 0: never fail
std::atomic<int64_t> liveBlocks{0};

#if defined(__SANITIZE_ADDRESS__)
#define FT_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FT_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef FT_ADDRESS_SANITIZER
constexpr bool kCellArena = false;  // let the sanitizer see every use after free
#else
constexpr bool kCellArena = true;
#endif

// Cells are handed out in order from chunks, so a table's rows lie one after
// another in memory, and taken back all at once when the last live cell is
// released: a table is freed and built again on every run. Cells released
// while others live are kept on a list for reuse, so a store that never
// empties does not grow.
constexpr int32_t kChunkCells = 1024;
constexpr int32_t kKeptChunks = 16;  // more than any parsed table holds

struct CellChunk {
    CellChunk* next;
    CellNode cells[kChunkCells];
};

struct SpareCell {
    SpareCell* next;
};
static_assert(sizeof(SpareCell) <= sizeof(CellNode), "a spare cell must fit a cell's block");

struct CellArena {
    CellChunk* first = nullptr;
    CellChunk* current = nullptr;  // the chunk cells are taken from
    int32_t used = kChunkCells;    // cells taken from current
    SpareCell* spares = nullptr;
    int64_t live = 0;  // cells handed out and not yet released
};
CellArena arena;

bool injected_failure() {
    return allocationsUntilFailure.load(std::memory_order_relaxed) > 0 &&
           allocationsUntilFailure.fetch_sub(1, std::memory_order_relaxed) == 1;
}

// Outside the counted allocations: a chunk is room for cells, and each cell
// is counted as it is handed out.
bool next_chunk() {
    CellChunk* next = arena.current == nullptr ? arena.first : arena.current->next;
    if (next == nullptr) {
        next = static_cast<CellChunk*>(std::malloc(sizeof(CellChunk)));
        if (next == nullptr) {
            return false;
        }
        next->next = nullptr;
        (arena.current == nullptr ? arena.first : arena.current->next) = next;
    }
    arena.current = next;
    arena.used = 0;
    return true;
}

// Every cell is back: the chunks are reused from the first, and those past
// the kept few are given back.
void empty_arena() {
    arena.spares = nullptr;
    arena.current = nullptr;
    arena.used = kChunkCells;
    CellChunk** link = &arena.first;
    for (int32_t kept = 0; *link != nullptr && kept < kKeptChunks; ++kept) {
        link = &(*link)->next;
    }
    for (CellChunk* chunk = *link; chunk != nullptr;) {
        CellChunk* next = chunk->next;
        std::free(chunk);
        chunk = next;
    }
    *link = nullptr;
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
    if (!kCellArena) {
        return ft_allocate(sizeof(CellNode));
    }
    if (injected_failure()) {
        return nullptr;
    }
    void* cell = nullptr;
    if (arena.spares != nullptr) {
        cell = arena.spares;
        arena.spares = arena.spares->next;
    } else if (arena.used < kChunkCells || next_chunk()) {
        cell = &arena.current->cells[arena.used++];
    } else {
        return nullptr;
    }
    ++arena.live;
    return cell;
}

CellNode* ft_allocate_cells(int32_t wanted, int32_t& got) {
    got = 0;
    const bool failuresArmed = allocationsUntilFailure.load(std::memory_order_relaxed) > 0;
    if (!kCellArena || failuresArmed || arena.spares != nullptr || arena.used == kChunkCells) {
        auto* cell = static_cast<CellNode*>(ft_allocate_cell());
        got = cell == nullptr ? 0 : 1;
        return cell;
    }
    const int32_t room = kChunkCells - arena.used;
    got = wanted < room ? wanted : room;
    CellNode* run = &arena.current->cells[arena.used];
    arena.used += got;
    arena.live += got;
    return run;
}

void ft_release_cell(void* cell) {
    if (!kCellArena) {
        ft_release(cell);
        return;
    }
    if (cell == nullptr) {
        return;
    }
    if (--arena.live == 0) {
        empty_arena();
        return;
    }
    auto* spare = static_cast<SpareCell*>(cell);
    spare->next = arena.spares;
    arena.spares = spare;
}

bool ft_release_all_cells(int64_t count) {
    if (!kCellArena || count != arena.live) {
        return false;
    }
    arena.live = 0;
    empty_arena();
    return true;
}

void ft_fail_allocation_at(int64_t k) {
    allocationsUntilFailure.store(k > 0 ? k : 0, std::memory_order_relaxed);
}

int64_t ft_live_allocations() {
    return liveBlocks + arena.live;
}
