// Heap blocks of the core go through here, so tests can make the k-th
// allocation fail and count what is still live.
#pragma once

#include <cstddef>
#include <cstdint>

struct CellNode;

void* ft_allocate(size_t bytes);
void ft_release(void* block);

// Blocks of one cell each, taken from chunks that are kept for reuse, since
// a table is freed and built again on every run.
void* ft_allocate_cell();
void ft_release_cell(void* cell);
// Up to `wanted` cells side by side, each counted as one allocation; sets
// `got` to how many (at least one), or returns null when none could be had.
CellNode* ft_allocate_cells(int32_t wanted, int32_t& got);
// Releases every live cell at once when count is their number, and tells
// whether it did; otherwise the cells are released one by one.
bool ft_release_all_cells(int64_t count);

// Test seam: the k-th allocation from now fails (k >= 1); 0 turns failures off.
void ft_fail_allocation_at(int64_t k);
// Blocks handed out and not yet released.
int64_t ft_live_allocations();
