// Heap blocks of the core go through here, so tests can make the k-th
// allocation fail and count what is still live.
#pragma once

#include <cstddef>
#include <cstdint>

void* ft_allocate(size_t bytes);
void ft_release(void* block);

// Test seam: the k-th allocation from now fails (k >= 1); 0 turns failures off.
void ft_fail_allocation_at(int64_t k);
// Blocks allocated through ft_allocate and not yet released.
int64_t ft_live_allocations();
