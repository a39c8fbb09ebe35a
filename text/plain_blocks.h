// Printable ASCII a block at a time, for the one-pass readers: 16 bytes with
// SSE2, 8 in a word elsewhere (wasm32 included). A block tells how many of
// its bytes lead that are printable ASCII and none of two stop bytes, and
// among those the '|' and the bytes that are not blanks, as masks: byte_index
// gives the offset of the lowest byte set, past_highest one past the highest,
// and bytes_below(n) the mask of the first n bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "text/plain_characters.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plain_blocks {

struct Block {
    size_t plain;
    uint64_t bars;
    uint64_t solid;
};

#if defined(__SSE2__)
#define ZENTAB_PLAIN_BLOCKS
constexpr size_t kBlockBytes = 16;

inline size_t byte_index(uint64_t mask) {
    return static_cast<size_t>(__builtin_ctzll(mask));
}

inline size_t past_highest(uint64_t mask) {
    return 64 - static_cast<size_t>(__builtin_clzll(mask));
}

inline uint64_t bytes_below(size_t count) {
    return (uint64_t{1} << count) - 1;
}

inline Block block_at(const unsigned char* bytes, char stop, char otherStop) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    auto bytes_equal = [v](char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
    // Compared as signed, bytes of 0x80 and above are below ' ' too.
    const __m128i notPrintable =
        _mm_or_si128(_mm_cmplt_epi8(v, _mm_set1_epi8(' ')), bytes_equal(0x7F));
    const __m128i stops = _mm_or_si128(bytes_equal(stop), bytes_equal(otherStop));
    const auto ends = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(notPrintable, stops)));
    const size_t plain = ends == 0 ? kBlockBytes : static_cast<size_t>(__builtin_ctz(ends));
    const uint64_t taken = (uint64_t{1} << plain) - 1;
    const auto bars = static_cast<unsigned>(_mm_movemask_epi8(bytes_equal('|')));
    const auto blanks = static_cast<unsigned>(_mm_movemask_epi8(bytes_equal(' ')));
    return {plain, bars & taken, ~uint64_t{blanks} & taken};
}
#elif defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#define ZENTAB_PLAIN_BLOCKS
constexpr size_t kBlockBytes = 8;

inline size_t byte_index(uint64_t mask) {
    return static_cast<size_t>(__builtin_ctzll(mask)) / 8;
}

inline size_t past_highest(uint64_t mask) {
    return (64 - static_cast<size_t>(__builtin_clzll(mask))) / 8;
}

inline uint64_t bytes_below(size_t count) {
    return count == 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * count)) - 1;
}

inline Block block_at(const unsigned char* bytes, char stop, char otherStop) {
    using plain_characters::bytes_equal;
    using plain_characters::first_bytes;
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    auto plain = plain_characters::printable_ascii_bytes(word);
    const uint64_t stops =
        (bytes_equal(word, stop) | bytes_equal(word, otherStop)) & first_bytes(plain);
    plain = stops != 0 ? static_cast<unsigned>(byte_index(stops)) : plain;
    const uint64_t taken = first_bytes(plain);
    return {plain, bytes_equal(word, '|') & taken,
            ~bytes_equal(word, ' ') & plain_characters::kHighBits & taken};
}
#endif

}  // namespace plain_blocks

namespace plain_blocks {

// 64 bytes as bits, the first byte the lowest: those that are not
// printable ASCII or are '|', the blanks, and those equal to other's.
struct WordMasks {
    uint64_t odd;
    uint64_t blanks;
    uint64_t same;
};

#if defined(__SSE2__)
inline WordMasks word_masks(const unsigned char* bytes, const unsigned char* other) {
    WordMasks masks{0, 0, 0};
    for (unsigned block = 0; block < 4; ++block) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * block));
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(other + 16 * block));
        const __m128i odd = _mm_or_si128(_mm_or_si128(_mm_cmplt_epi8(v, _mm_set1_epi8(' ')),
                                                      _mm_cmpeq_epi8(v, _mm_set1_epi8(0x7F))),
                                         _mm_cmpeq_epi8(v, _mm_set1_epi8('|')));
        const unsigned shift = 16 * block;
        masks.odd |= uint64_t{static_cast<unsigned>(_mm_movemask_epi8(odd))} << shift;
        masks.blanks |= uint64_t{static_cast<unsigned>(
                            _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(' '))))}
                        << shift;
        masks.same |= uint64_t{static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, w)))}
                      << shift;
    }
    return masks;
}
#elif defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
// The high bits of a word's bytes gathered into its eight lowest bits.
inline uint64_t gathered(uint64_t highBits) {
    return ((highBits >> 7) * 0x0102040810204080ull) >> 56;
}

inline WordMasks word_masks(const unsigned char* bytes, const unsigned char* other) {
    using plain_characters::bytes_equal;
    using plain_characters::kHighBits;
    using plain_characters::kOnes;
    WordMasks masks{0, 0, 0};
    for (unsigned word = 0; word < 8; ++word) {
        uint64_t v;
        uint64_t w;
        std::memcpy(&v, bytes + 8 * word, sizeof v);
        std::memcpy(&w, other + 8 * word, sizeof w);
        const uint64_t odd =
            (((v - 0x20 * kOnes) | (v + kOnes) | v) & kHighBits) | bytes_equal(v, '|');
        const unsigned shift = 8 * word;
        masks.odd |= gathered(odd) << shift;
        masks.blanks |= gathered(bytes_equal(v, ' ')) << shift;
        masks.same |= gathered(special_byte_scan::zero_bytes(v ^ w)) << shift;
    }
    return masks;
}
#endif

// Whether count bytes at a and b are the same, inline: most rules of a frame
// are compared with the one before them, and a call costs more than that.
#if defined(__SSE2__)
inline bool same_bytes(const unsigned char* a, const unsigned char* b, size_t count) {
    if (count < kBlockBytes) {
        return std::memcmp(a, b, count) == 0;
    }
    auto block = [](const unsigned char* bytes) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    };
    // The last block may overlap the one before it.
    __m128i same = _mm_cmpeq_epi8(block(a + count - kBlockBytes), block(b + count - kBlockBytes));
    for (size_t at = 0; at + kBlockBytes < count; at += kBlockBytes) {
        same = _mm_and_si128(same, _mm_cmpeq_epi8(block(a + at), block(b + at)));
    }
    return _mm_movemask_epi8(same) == 0xFFFF;
}
#else
inline bool same_bytes(const unsigned char* a, const unsigned char* b, size_t count) {
    constexpr size_t kStep = sizeof(uint64_t);
    if (count < kStep) {
        return std::memcmp(a, b, count) == 0;
    }
    uint64_t x;
    uint64_t y;
    // The last word may overlap the one before it.
    std::memcpy(&x, a + count - kStep, kStep);
    std::memcpy(&y, b + count - kStep, kStep);
    uint64_t differ = x ^ y;
    for (size_t at = 0; at + kStep < count; at += kStep) {
        std::memcpy(&x, a + at, kStep);
        std::memcpy(&y, b + at, kStep);
        differ |= x ^ y;
    }
    return differ == 0;
}
#endif

}  // namespace plain_blocks
