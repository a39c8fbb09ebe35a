// Bytes a block at a time, for every scan of the core and the text layer:
// cells are mostly short ASCII, and a block of them costs what one byte does.
// Two kernels do the same work: Sse2Kernel, 16 bytes a block, and the portable
// WordKernel, 8 bytes in a word (what wasm32 uses). Kernel is the one built
// in; both are built and tested on x86.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace byte_blocks {

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighBits = 0x8080808080808080ull;
constexpr uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;

// Eight bytes, the first in memory the lowest, whatever the machine's order.
inline uint64_t load_word(const void* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
}

// High bit set in exactly the bytes of word that are zero.
inline uint64_t zero_bytes(uint64_t word) {
    return ~(((word & kLowBits) + kLowBits) | word | kLowBits);
}

// The high bit of each byte of word equal to byte.
inline uint64_t bytes_equal(uint64_t word, char byte) {
    return zero_bytes(word ^ (static_cast<unsigned char>(byte) * kOnes));
}

inline bool is_printable_ascii(unsigned char byte) {
    return static_cast<unsigned>(byte - 0x20) < 0x5Fu;
}

// How many of word's bytes, from its first, are printable ASCII.
inline unsigned printable_ascii_bytes(uint64_t word) {
    // The high bit of each byte that is not, and perhaps of bytes after such
    // a one (a borrow or carry spills over), never before.
    const uint64_t stops = ((word - 0x20 * kOnes) | (word + kOnes) | word) & kHighBits;
    return stops == 0 ? 8u : static_cast<unsigned>(__builtin_ctzll(stops)) / 8;
}

// The bits of the first count bytes of a word.
inline uint64_t first_bytes(unsigned count) {
    return count == 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * count)) - 1;
}

// The high bits of a word's bytes gathered into its eight lowest bits.
inline uint64_t gathered(uint64_t highBits) {
    return ((highBits >> 7) * 0x0102040810204080ull) >> 56;
}

// A block's leading bytes that are printable ASCII and neither of two stop
// bytes, and among those the '|' and the bytes that are not blanks, as masks
// of the kernel's own (byte_index, past_highest and bytes_below read them).
struct Block {
    size_t plain;
    uint64_t bars;
    uint64_t solid;
};

// A block's leading bytes that are a separator, or printable ASCII and
// neither of two stop bytes, and the separators among them, as a mask of the
// kernel's own (one bit a byte: clear the lowest with mask & (mask - 1)).
struct Run {
    size_t plain;
    uint64_t separators;
};

// Targets among eight bytes, one bit each, the first byte lowest: bytes equal
// to firsts' or seconds' (spread over a word), and those of 0x80 and above
// when highs is kHighBits.
inline uint32_t word_target_bits(uint64_t word, uint64_t firsts, uint64_t seconds, uint64_t highs) {
    return static_cast<uint32_t>(
        gathered((word & highs) | zero_bytes(word ^ firsts) | zero_bytes(word ^ seconds)));
}

struct WordKernel {
    static constexpr size_t kBlockBytes = 8;

    static size_t byte_index(uint64_t mask) {
        return static_cast<size_t>(__builtin_ctzll(mask)) / 8;
    }

    static size_t past_highest(uint64_t mask) {
        return (64 - static_cast<size_t>(__builtin_clzll(mask))) / 8;
    }

    static uint64_t bytes_below(size_t count) { return first_bytes(static_cast<unsigned>(count)); }

    static Block block_at(const unsigned char* bytes, char stop, char otherStop) {
        const uint64_t word = load_word(bytes);
        auto plain = printable_ascii_bytes(word);
        const uint64_t stops =
            (bytes_equal(word, stop) | bytes_equal(word, otherStop)) & first_bytes(plain);
        plain = stops != 0 ? static_cast<unsigned>(byte_index(stops)) : plain;
        const uint64_t taken = first_bytes(plain);
        return {plain, bytes_equal(word, '|') & taken, ~bytes_equal(word, ' ') & kHighBits & taken};
    }

    static Run run_at(const unsigned char* bytes, char separator, char stop, char otherStop) {
        const uint64_t word = load_word(bytes);
        const uint64_t separators = bytes_equal(word, separator);
        // Not printable ASCII: exact up to the first such byte, perhaps set
        // after it too, so the run may end early, never late.
        const uint64_t odd = ((word - 0x20 * kOnes) | (word + kOnes) | word) & kHighBits;
        const uint64_t ends =
            (odd & ~separators) | bytes_equal(word, stop) | bytes_equal(word, otherStop);
        const size_t plain = ends == 0 ? 8 : byte_index(ends);
        return {plain, separators & first_bytes(static_cast<unsigned>(plain))};
    }

    // Targets among the 16 bytes at `at`, one bit each.
    static uint32_t target_bits(const char* at, uint64_t firsts, uint64_t seconds, uint64_t highs) {
        return word_target_bits(load_word(at), firsts, seconds, highs) |
               word_target_bits(load_word(at + 8), firsts, seconds, highs) << 8;
    }
};

#if defined(__SSE2__)
struct Sse2Kernel {
    static constexpr size_t kBlockBytes = 16;

    static size_t byte_index(uint64_t mask) { return static_cast<size_t>(__builtin_ctzll(mask)); }

    static size_t past_highest(uint64_t mask) {
        return 64 - static_cast<size_t>(__builtin_clzll(mask));
    }

    static uint64_t bytes_below(size_t count) { return (uint64_t{1} << count) - 1; }

    static Block block_at(const unsigned char* bytes, char stop, char otherStop) {
        const __m128i v = load(bytes);
        auto bytes_equal = [v](char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
        // Compared as signed, bytes of 0x80 and above are below ' ' too.
        const __m128i notPrintable =
            _mm_or_si128(_mm_cmplt_epi8(v, _mm_set1_epi8(' ')), bytes_equal(0x7F));
        const __m128i stops = _mm_or_si128(bytes_equal(stop), bytes_equal(otherStop));
        const auto ends =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(notPrintable, stops)));
        const size_t plain = ends == 0 ? kBlockBytes : static_cast<size_t>(__builtin_ctz(ends));
        const uint64_t taken = (uint64_t{1} << plain) - 1;
        const auto bars = static_cast<unsigned>(_mm_movemask_epi8(bytes_equal('|')));
        const auto blanks = static_cast<unsigned>(_mm_movemask_epi8(bytes_equal(' ')));
        return {plain, bars & taken, ~uint64_t{blanks} & taken};
    }

    static Run run_at(const unsigned char* bytes, char separator, char stop, char otherStop) {
        const __m128i v = load(bytes);
        auto bytes_equal = [v](char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
        const __m128i separators = bytes_equal(separator);
        // Compared as signed, bytes of 0x80 and above are below ' ' too.
        const __m128i odd = _mm_or_si128(_mm_cmplt_epi8(v, _mm_set1_epi8(' ')), bytes_equal(0x7F));
        const __m128i ends = _mm_or_si128(_mm_andnot_si128(separators, odd),
                                          _mm_or_si128(bytes_equal(stop), bytes_equal(otherStop)));
        const uint64_t endBits = bits(ends);
        const size_t plain = endBits == 0 ? kBlockBytes : byte_index(endBits);
        return {plain, bits(separators) & bytes_below(plain)};
    }

    static uint32_t target_bits(const char* at, uint64_t firsts, uint64_t seconds, uint64_t highs) {
        const __m128i v = load(at);
        const __m128i first = _mm_cmpeq_epi8(v, _mm_set1_epi64x(static_cast<long long>(firsts)));
        const __m128i second = _mm_cmpeq_epi8(v, _mm_set1_epi64x(static_cast<long long>(seconds)));
        const __m128i high = _mm_and_si128(v, _mm_set1_epi64x(static_cast<long long>(highs)));
        return static_cast<uint32_t>(bits(_mm_or_si128(_mm_or_si128(first, second), high)));
    }

  private:
    static __m128i load(const void* bytes) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    }

    static uint64_t bits(__m128i v) { return static_cast<unsigned>(_mm_movemask_epi8(v)); }
};

using Kernel = Sse2Kernel;
#else
using Kernel = WordKernel;
#endif

// What a scan stops at: up to two separators, and high bytes when asked.
struct Targets {
    unsigned char first;
    unsigned char second;  // the same as first when there is one separator
    bool highBytes;
};

// Index of the first byte from `from` on that is a target, or `length` when
// there is none: a block at a time, then byte by byte after the last block.
template <typename K = Kernel>
inline int32_t next_target(const char* line, int32_t from, int32_t length, const Targets& targets) {
    const uint64_t firsts = kOnes * targets.first;
    const uint64_t seconds = kOnes * targets.second;
    const uint64_t highs = targets.highBytes ? kHighBits : 0;
    for (; from + 16 <= length; from += 16) {
        const uint32_t found = K::target_bits(line + from, firsts, seconds, highs);
        if (found != 0) {
            return from + __builtin_ctz(found);
        }
    }
    for (; from < length; ++from) {
        const auto b = static_cast<unsigned char>(line[from]);
        if (b == targets.first || b == targets.second || (targets.highBytes && b >= 0x80)) {
            break;
        }
    }
    return from;
}

// Targets of a whole line found a block at a time: each block's targets
// become the bits of a word, and the scan steps from bit to bit, so a cell
// costs a few instructions whatever its length.
template <typename K>
class BasicTargetScanner {
  public:
    // The targets are spread over whole words once, from plain values: built
    // from the bytes of a Targets in memory, a wide load would wait on the
    // narrow stores that wrote them.
    BasicTargetScanner(const char* line, int32_t length, unsigned char first, unsigned char second,
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

    uint32_t word_bits(const char* at) const {
        return word_target_bits(load_word(at), firsts_, seconds_, highs_);
    }

    // Targets among the last n (< 16) bytes of the line, from at. Loads end
    // at the line's end and reach back into it, never past it: a copy of the
    // tail would be read before its bytes could be forwarded.
    uint32_t tail_bits(const char* at, int32_t n) const {
        const int32_t behind = static_cast<int32_t>(at - line_) + n;  // line bytes up to the end
        if (behind >= 16) {
            return K::target_bits(at + n - 16, firsts_, seconds_, highs_) >> (16 - n);
        }
        if (n >= 8) {
            return word_bits(at) | word_bits(at + n - 8) << (n - 8);
        }
        if (behind >= 8) {
            return word_bits(at + n - 8) >> (8 - n);
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
            const uint32_t chunk = left - offset >= 16
                                       ? K::target_bits(at, firsts_, seconds_, highs_)
                                       : tail_bits(at, left - offset);
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

using TargetScanner = BasicTargetScanner<Kernel>;

}  // namespace byte_blocks
