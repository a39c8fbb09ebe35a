#include "utf16_output.h"

#include <cstdint>
#include <cstring>

#ifdef __wasm_simd128__
#include <wasm_simd128.h>
#endif

namespace {

constexpr size_t kBlock = 16;

// One character of two or four bytes at `bytes`; returns the bytes it took.
size_t put_character(const uint8_t* bytes, char16_t*& out) {
    const uint32_t lead = bytes[0];
    if (lead < 0xE0) {
        *out++ = static_cast<char16_t>((lead & 0x1F) << 6 | (bytes[1] & 0x3Fu));
        return 2;
    }
    const uint32_t value = (lead & 0x07) << 18 | (bytes[1] & 0x3Fu) << 12 |
                           (bytes[2] & 0x3Fu) << 6 | (bytes[3] & 0x3Fu);
    *out++ = static_cast<char16_t>(0xD7C0 + (value >> 10));
    *out++ = static_cast<char16_t>(0xDC00 | (value & 0x3FF));
    return 4;
}

// The ASCII bytes that lead a block of 16, widened; all 16 are written,
// those past the count to be overwritten. Returns the count.
size_t put_ascii_block(const uint8_t* bytes, char16_t* out) {
#ifdef __wasm_simd128__
    const v128_t block = wasm_v128_load(bytes);
    wasm_v128_store(out, wasm_u16x8_extend_low_u8x16(block));
    wasm_v128_store(out + 8, wasm_u16x8_extend_high_u8x16(block));
    const uint32_t high = wasm_i8x16_bitmask(block);
    return high == 0 ? kBlock : static_cast<size_t>(__builtin_ctz(high));
#else
    size_t count = 0;
    while (count < kBlock && bytes[count] < 0x80) {
        out[count] = bytes[count];
        ++count;
    }
    return count;
#endif
}

// Four three-byte characters at the start of a block of 16, as box rules
// and Japanese text run, written as four units; returns whether the block
// starts so (valid UTF-8 holds continuation bytes after each lead).
bool put_three_byte_quad(const uint8_t* bytes, char16_t* out) {
#ifdef __wasm_simd128__
    const v128_t block = wasm_v128_load(bytes);
    const v128_t leads =
        wasm_i8x16_swizzle(block, wasm_i8x16_make(0, 3, 6, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    if ((static_cast<uint32_t>(wasm_i32x4_extract_lane(leads, 0)) & 0xF0F0F0F0u) != 0xE0E0E0E0u) {
        return false;
    }
    // Each unit's lead byte low, and its two continuation bytes high and low.
    const v128_t lead = wasm_i8x16_swizzle(
        block, wasm_i8x16_make(0, -1, 3, -1, 6, -1, 9, -1, -1, -1, -1, -1, -1, -1, -1, -1));
    const v128_t tail = wasm_i8x16_swizzle(
        block, wasm_i8x16_make(2, 1, 5, 4, 8, 7, 11, 10, -1, -1, -1, -1, -1, -1, -1, -1));
    const v128_t units = wasm_v128_or(
        wasm_i16x8_shl(wasm_v128_and(lead, wasm_i16x8_splat(0x0F)), 12),
        wasm_v128_or(wasm_v128_and(tail, wasm_i16x8_splat(0x3F)),
                     wasm_u16x8_shr(wasm_v128_and(tail, wasm_i16x8_splat(0x3F00)), 2)));
    wasm_v128_store64_lane(out, units, 0);
    return true;
#else
    (void)bytes;
    (void)out;
    return false;
#endif
}

}  // namespace

size_t utf16_room(size_t size) {
    return size + kBlock;
}

// Frames are ASCII in short runs between box pieces, and rules are runs of
// three-byte pieces: an ASCII byte starts a block of 16 taken at once, up to
// the next byte beyond ASCII; the rest goes a character at a time.
size_t utf8_to_utf16(std::string_view text, char16_t* out) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const uint8_t* end = bytes + text.size();
    char16_t* start = out;
    while (bytes < end) {
        const uint32_t lead = *bytes;
        if (lead < 0x80) {
            const size_t ascii = end - bytes >= static_cast<std::ptrdiff_t>(kBlock)
                                     ? put_ascii_block(bytes, out)
                                     : 1;
            out[0] = static_cast<char16_t>(lead);
            bytes += ascii;
            out += ascii;
        } else if ((lead & 0xF0) == 0xE0) {
            if (end - bytes >= static_cast<std::ptrdiff_t>(kBlock) &&
                put_three_byte_quad(bytes, out)) {
                bytes += 12;
                out += 4;
                continue;
            }
            *out++ = static_cast<char16_t>((lead & 0x0F) << 12 | (bytes[1] & 0x3Fu) << 6 |
                                           (bytes[2] & 0x3Fu));
            bytes += 3;
        } else {
            bytes += put_character(bytes, out);
        }
    }
    return static_cast<size_t>(out - start);
}
