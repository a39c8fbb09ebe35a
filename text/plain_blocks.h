// The block kernel under the names the frame and Markdown readers know it by;
// new code includes core/byte_blocks.h and goes through byte_blocks::Kernel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/byte_blocks.h"
#include "text/plain_characters.h"

#define ZENTAB_PLAIN_BLOCKS

namespace plain_blocks {

using byte_blocks::Block;
using byte_blocks::WordMasks;
using Kernel = byte_blocks::Kernel;

constexpr size_t kBlockBytes = Kernel::kBlockBytes;

inline size_t byte_index(uint64_t mask) {
    return Kernel::byte_index(mask);
}
inline size_t past_highest(uint64_t mask) {
    return Kernel::past_highest(mask);
}
inline uint64_t bytes_below(size_t count) {
    return Kernel::bytes_below(count);
}

inline Block block_at(const unsigned char* bytes, char stop, char otherStop) {
    return Kernel::block_at(bytes, stop, otherStop);
}

inline WordMasks word_masks(const unsigned char* bytes, const unsigned char* other) {
    return Kernel::word_masks(bytes, other);
}

inline bool same_bytes(const unsigned char* a, const unsigned char* b, size_t count) {
    return Kernel::same_bytes(a, b, count);
}

}  // namespace plain_blocks
