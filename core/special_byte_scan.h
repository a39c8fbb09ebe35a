// Finds the next byte of a line that the parser must look at: a separator,
// and for code page 932 any byte of 0x80 and above (a lead byte may hide a
// separator's value in its second byte). Plain ASCII runs are stepped over
// eight bytes at a time, since cells are mostly short ASCII text.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
// Targets of a whole line found a block at a time: each block's targets
// become the bits of a word, and the scan steps from bit to bit, so a cell
// costs a few instructions whatever its length.
class TargetScanner {
  public:
    // The targets are spread over whole words once, from plain values: built
    // from the bytes of a Targets in memory, a wide load would wait on the
    // narrow stores that wrote them.
    TargetScanner(const char* line, int32_t length, unsigned char first, unsigned char second,
                  bool highBytes)
        : line_(line),
          length_(length),
          firsts_(kOnes * first),
          seconds_(kOnes * second),
          highs_(highBytes ? kHighBits : 0) {}

    // The first target at or after from (from never goes back), or the length.
    int32_t next(int32_t from) {
        while (from < length_) {
            if (from >= base_ + kBlock) {
                base_ = from;
                mask_ = block_mask(base_);
            }
            const uint64_t ahead = mask_ & (~uint64_t{0} << (from - base_));
            if (ahead != 0) {
                return base_ + __builtin_ctzll(ahead);
            }
            from = base_ + kBlock;
        }
        return length_;
    }

  private:
    static constexpr int32_t kBlock = 64;

    // Targets among the 8 bytes at `at`, one bit each.
    uint32_t word_mask(const char* at) const {
        uint64_t word;
        std::memcpy(&word, at, 8);
        return word_mask_of(word);
    }

    uint32_t word_mask_of(uint64_t word) const {
        const uint64_t special =
            (word & highs_) | zero_bytes(word ^ firsts_) | zero_bytes(word ^ seconds_);
        // Gathers the bytes' high bits into one byte, first byte lowest.
        return static_cast<uint32_t>(((special >> 7) * 0x0102040810204080ull) >> 56);
    }

    // Targets among the 16 bytes at `at`, one bit each.
    uint32_t chunk_mask(const char* at) const {
#if defined(__SSE2__)
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i first =
            _mm_cmpeq_epi8(bytes, _mm_set1_epi64x(static_cast<long long>(firsts_)));
        const __m128i second =
            _mm_cmpeq_epi8(bytes, _mm_set1_epi64x(static_cast<long long>(seconds_)));
        const __m128i high = _mm_and_si128(bytes, _mm_set1_epi64x(static_cast<long long>(highs_)));
        return static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(first, second), high)));
#else
        return word_mask(at) | word_mask(at + 8) << 8;
#endif
    }

    // Targets among the last n (< 16) bytes of the line, from at. Loads end
    // at the line's end and reach back into it, never past it: a copy of the
    // tail would be read before its bytes could be forwarded.
    uint32_t tail_mask(const char* at, int32_t n) const {
        const int32_t behind = static_cast<int32_t>(at - line_) + n;  // line bytes up to the end
        if (behind >= 16) {
            return chunk_mask(at + n - 16) >> (16 - n);
        }
        if (n >= 8) {
            return word_mask(at) | word_mask(at + n - 8) << (n - 8);
        }
        if (behind >= 8) {
            return word_mask(at + n - 8) >> (8 - n);
        }
        // A line of under 8 bytes: byte by byte, since a word put together
        // in memory would be read before its bytes could be forwarded.
        uint32_t mask = 0;
        for (int32_t k = 0; k < n; ++k) {
            const auto b = static_cast<unsigned char>(at[k]);
            const bool target =
                b == (firsts_ & 0xFF) || b == (seconds_ & 0xFF) || (b & highs_) != 0;
            mask |= target ? 1u << k : 0;
        }
        return mask;
    }

    uint64_t block_mask(int32_t base) const {
        const int32_t left = length_ - base;
        uint64_t mask = 0;
        for (int32_t offset = 0; offset < kBlock && offset < left; offset += 16) {
            const char* at = line_ + base + offset;
            const uint32_t chunk =
                left - offset >= 16 ? chunk_mask(at) : tail_mask(at, left - offset);
            mask |= uint64_t{chunk} << offset;
        }
        return left >= kBlock ? mask : mask & ((uint64_t{1} << left) - 1);
    }

    const char* line_;
    int32_t length_;
    uint64_t firsts_;
    uint64_t seconds_;
    uint64_t highs_;
    int32_t base_ = -kBlock;
    uint64_t mask_ = 0;
};
}  // namespace special_byte_scan
