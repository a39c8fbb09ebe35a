// Heap blocks of the core go through here, so tests can make the k-th
// allocation fail and count what is still live.
#pragma once

#include <cstddef>
#include <cstdint>

void* ft_allocate(size_t bytes);
void ft_release(void* block);

// Blocks of one cell each, taken from chunks that are kept for reuse, since
// a table is freed and built again on every run.
void* ft_allocate_cell();
void ft_release_cell(void* cell);
// Releases every live cell at once when count is their number, and tells
// whether it did; otherwise the cells are released one by one.
bool ft_release_all_cells(int64_t count);

// Test seam: the k-th allocation from now fails (k >= 1); 0 turns failures off.
void ft_fail_allocation_at(int64_t k);
// Blocks handed out and not yet released.
int64_t ft_live_allocations();
