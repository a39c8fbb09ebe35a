// Finds the next byte of a line that the parser must look at: the separator
// or a byte of 0x80 and above. Plain ASCII runs are stepped over eight bytes
// at a time, since cells are mostly short ASCII text.
#pragma once

#include <cstdint>
#include <cstring>

namespace special_byte_scan {
constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighBits = 0x8080808080808080ull;
constexpr uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;

// High bit set in exactly the bytes of word that are zero.
inline uint64_t zero_bytes(uint64_t word) {
    return ~(((word & kLowBits) + kLowBits) | word | kLowBits);
}

// Index of the first byte from `from` on that is the separator or 0x80 and
// above, or `length` when there is none.
inline int32_t next_special(const char* line, int32_t from, int32_t length, char separator) {
    const auto target = static_cast<unsigned char>(separator);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    const uint64_t separators = kOnes * target;
    for (; from + 8 <= length; from += 8) {
        uint64_t word;
        std::memcpy(&word, line + from, 8);
        const uint64_t special = (word & kHighBits) | zero_bytes(word ^ separators);
        if (special != 0) {
            return from + __builtin_ctzll(special) / 8;
        }
    }
#endif
    for (; from < length; ++from) {
        const auto b = static_cast<unsigned char>(line[from]);
        if (b >= 0x80 || b == target) {
            break;
        }
    }
    return from;
}
}  // namespace special_byte_scan
