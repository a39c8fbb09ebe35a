// Finds the next byte of a line that the parser must look at: a separator,
// and for code page 932 any byte of 0x80 and above (a lead byte may hide a
// separator's value in its second byte). Plain ASCII runs are stepped over
// eight bytes at a time, since cells are mostly short ASCII text.
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

// What a scan stops at: up to two separators, and high bytes when asked.
struct Targets {
    unsigned char first;
    unsigned char second;  // the same as first when there is one separator
    bool highBytes;
};

inline bool is_target(unsigned char b, const Targets& targets) {
    return b == targets.first || b == targets.second || (targets.highBytes && b >= 0x80);
}

// Index of the first byte from `from` on that is a target, or `length` when
// there is none.
inline int32_t next_target(const char* line, int32_t from, int32_t length, const Targets& targets) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    const uint64_t firsts = kOnes * targets.first;
    const uint64_t seconds = kOnes * targets.second;
    const uint64_t highs = targets.highBytes ? kHighBits : 0;
    for (; from + 8 <= length; from += 8) {
        uint64_t word;
        std::memcpy(&word, line + from, 8);
        const uint64_t special =
            (word & highs) | zero_bytes(word ^ firsts) | zero_bytes(word ^ seconds);
        if (special != 0) {
            return from + __builtin_ctzll(special) / 8;
        }
    }
#endif
    for (; from < length; ++from) {
        if (is_target(static_cast<unsigned char>(line[from]), targets)) {
            break;
        }
    }
    return from;
}

// The separator or a byte of 0x80 and above.
inline int32_t next_special(const char* line, int32_t from, int32_t length, char separator) {
    const auto target = static_cast<unsigned char>(separator);
    return next_target(line, from, length, Targets{target, target, true});
}
}  // namespace special_byte_scan
