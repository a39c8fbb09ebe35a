// The C library's byte copies and fills as single bulk-memory instructions,
// in place of its loops: a tenth of the code, and the engine copies long runs
// faster than a loop of loads and stores does. Short runs, the most common,
// stay a plain loop, ahead of the instruction's call into the engine.
#include <cstddef>

namespace {
constexpr size_t kShort = 16;
}

extern "C" {

void* memcpy(void* __restrict to, const void* __restrict from, size_t bytes) {
    if (bytes <= kShort) {
        auto* out = static_cast<unsigned char*>(to);
        const auto* in = static_cast<const unsigned char*>(from);
        for (size_t i = 0; i < bytes; ++i) {
            out[i] = in[i];
        }
        return to;
    }
    return __builtin_memcpy(to, from, bytes);
}

void* memmove(void* to, const void* from, size_t bytes) {
    return __builtin_memmove(to, from, bytes);
}

void* memset(void* to, int byte, size_t bytes) {
    return __builtin_memset(to, byte, bytes);
}

}  // extern "C"
