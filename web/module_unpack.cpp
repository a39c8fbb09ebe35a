// The decoder of the page's packed module (web/module_unpack.js): xz's raw
// LZMA1 stream with lc=3 lp=0 pb=0 (scripts/pack-module.mjs). A module of its
// own, of no library, so that it runs at full speed from its first byte: the
// page's first frame waits for it.
#include <stdint.h>

namespace {

// Probabilities, each model at an offset of its own: 12 states for the
// state-indexed ones, two length models of 274, distance slots for four
// lengths, the reverse trees of middle distances, 16 for the lowest bits of
// far ones, and 0x300 a literal context (lc=3: eight).
constexpr uint32_t kIsMatch = 0;
constexpr uint32_t kIsRep = 12;
constexpr uint32_t kIsRepG0 = 24;
constexpr uint32_t kIsRepG1 = 36;
constexpr uint32_t kIsRepG2 = 48;
constexpr uint32_t kIsRep0Long = 60;
constexpr uint32_t kMatchLength = 72;
constexpr uint32_t kRepLength = kMatchLength + 274;
constexpr uint32_t kSlots = kRepLength + 274;
constexpr uint32_t kMiddle = kSlots + 256;
constexpr uint32_t kAlign = kMiddle + 115;
constexpr uint32_t kLiterals = kAlign + 16;
constexpr uint32_t kProbabilities = kLiterals + 0x300 * 8;

struct RangeDecoder {
    const uint8_t* in;
    uint16_t* probs;
    uint32_t range;
    uint32_t code;

    void normalize() {
        if (range < (1u << 24)) {
            range <<= 8;
            code = (code << 8) | *in++;
        }
    }

    uint32_t bit(uint32_t index) {
        uint16_t& probability = probs[index];
        const uint32_t bound = (range >> 11) * probability;
        uint32_t value = 0;
        if (code < bound) {
            range = bound;
            probability = static_cast<uint16_t>(probability + ((2048 - probability) >> 5));
        } else {
            range -= bound;
            code -= bound;
            probability = static_cast<uint16_t>(probability - (probability >> 5));
            value = 1;
        }
        normalize();
        return value;
    }

    uint32_t tree(uint32_t base, uint32_t bits) {
        uint32_t m = 1;
        for (uint32_t i = 0; i < bits; ++i) {
            m = (m << 1) | bit(base + m);
        }
        return m - (1u << bits);
    }

    uint32_t reverse_tree(uint32_t base, uint32_t bits) {
        uint32_t m = 1;
        uint32_t value = 0;
        for (uint32_t i = 0; i < bits; ++i) {
            const uint32_t b = bit(base + m);
            m = (m << 1) | b;
            value |= b << i;
        }
        return value;
    }

    uint32_t direct_bits(uint32_t count) {
        uint32_t value = 0;
        for (; count > 0; --count) {
            range >>= 1;
            const uint32_t b = code >= range ? 1 : 0;
            code -= range & (0u - b);
            value = (value << 1) | b;
            normalize();
        }
        return value;
    }

    // Lengths from 0 (two bytes): 3 bits below 8, 3 more below 16, else 8.
    uint32_t length(uint32_t base) {
        if (bit(base) == 0) {
            return tree(base + 2, 3);
        }
        if (bit(base + 1) == 0) {
            return 8 + tree(base + 10, 3);
        }
        return 16 + tree(base + 18, 8);
    }
};

uint32_t after_literal(uint32_t state) {
    return state < 4 ? 0 : state < 10 ? state - 3 : state - 6;
}

}  // namespace

// The room the caller gives unpack for its probabilities, in 16-bit units.
extern "C" __attribute__((export_name("probabilities"))) uint32_t probabilities() {
    return kProbabilities;
}

// Unpacks the stream at `in` into `size` bytes at `out`; probs: room for
// probabilities(), each 1024. Returns the bytes written, fewer when the
// stream ends first.
extern "C" __attribute__((export_name("unpack"))) uint32_t unpack(const uint8_t* in, uint8_t* out,
                                                                  uint32_t size, uint16_t* probs) {
    // The stream's first byte is always 0; the code starts as the next four.
    RangeDecoder decoder{
        in + 5, probs, 0xFFFFFFFFu,
        (uint32_t{in[1]} << 24) | (uint32_t{in[2]} << 16) | (uint32_t{in[3]} << 8) | in[4]};
    uint32_t state = 0;
    uint32_t rep0 = 0;
    uint32_t rep1 = 0;
    uint32_t rep2 = 0;
    uint32_t rep3 = 0;
    uint32_t pos = 0;
    while (pos < size) {
        if (decoder.bit(kIsMatch + state) == 0) {
            const uint32_t base = kLiterals + 0x300 * (pos > 0 ? out[pos - 1] >> 5 : 0u);
            uint32_t symbol = 1;
            if (state >= 7) {
                // After a match, the byte the match would have gone on with.
                uint32_t matchByte = out[pos - rep0 - 1];
                do {
                    const uint32_t matchBit = (matchByte >> 7) & 1;
                    matchByte <<= 1;
                    const uint32_t b = decoder.bit(base + ((1 + matchBit) << 8) + symbol);
                    symbol = (symbol << 1) | b;
                    if (matchBit != b) {
                        break;
                    }
                } while (symbol < 0x100);
            }
            while (symbol < 0x100) {
                symbol = (symbol << 1) | decoder.bit(base + symbol);
            }
            out[pos++] = static_cast<uint8_t>(symbol);
            state = after_literal(state);
            continue;
        }
        uint32_t len = 0;
        if (decoder.bit(kIsRep + state) != 0) {
            if (decoder.bit(kIsRepG0 + state) == 0) {
                if (decoder.bit(kIsRep0Long + state) == 0) {
                    state = state < 7 ? 9 : 11;
                    out[pos] = out[pos - rep0 - 1];
                    ++pos;
                    continue;
                }
            } else {
                uint32_t distance = 0;
                if (decoder.bit(kIsRepG1 + state) == 0) {
                    distance = rep1;
                } else {
                    if (decoder.bit(kIsRepG2 + state) == 0) {
                        distance = rep2;
                    } else {
                        distance = rep3;
                        rep3 = rep2;
                    }
                    rep2 = rep1;
                }
                rep1 = rep0;
                rep0 = distance;
            }
            len = decoder.length(kRepLength);
            state = state < 7 ? 8 : 11;
        } else {
            rep3 = rep2;
            rep2 = rep1;
            rep1 = rep0;
            len = decoder.length(kMatchLength);
            state = state < 7 ? 7 : 10;
            const uint32_t slot = decoder.tree(kSlots + ((len < 3 ? len : 3) << 6), 6);
            if (slot < 4) {
                rep0 = slot;
            } else {
                const uint32_t bits = (slot >> 1) - 1;
                rep0 = (2 | (slot & 1)) << bits;
                if (slot < 14) {
                    rep0 += decoder.reverse_tree(kMiddle + rep0 - slot, bits);
                } else {
                    rep0 += decoder.direct_bits(bits - 4) << 4;
                    rep0 += decoder.reverse_tree(kAlign, 4);
                }
                // The end marker.
                if (rep0 == 0xFFFFFFFFu) {
                    break;
                }
            }
        }
        if (rep0 >= pos) {
            break;  // a distance back past the start: no stream of the packer's
        }
        for (len += 2; len > 0 && pos < size; --len, ++pos) {
            out[pos] = out[pos - rep0 - 1];
        }
    }
    return pos;
}
