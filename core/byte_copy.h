// Copies and fills for the short runs a frame is made of (cells, fills, rule
// lines): overlapping fixed-size moves that the compiler keeps inline, where
// a library call per piece would cost more than the bytes it moves.
#pragma once

#include <cstddef>
#include <cstring>

namespace byte_copy {
constexpr size_t kLibraryFrom = 256;

inline void copy(char* to, const char* from, size_t n) {
    if (n >= 16) {
        if (n >= kLibraryFrom) {
            std::memcpy(to, from, n);
            return;
        }
        for (size_t i = 0; i + 16 < n; i += 16) {
            std::memcpy(to + i, from + i, 16);
        }
        std::memcpy(to + n - 16, from + n - 16, 16);
    } else if (n >= 8) {
        std::memcpy(to, from, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else {
        for (size_t i = 0; i < n; ++i) {
            to[i] = from[i];
        }
    }
}

inline void fill_spaces(char* to, size_t n) {
    static constexpr char kSpaces[16] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                         ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    if (n >= 16) {
        if (n >= kLibraryFrom) {
            std::memset(to, ' ', n);
            return;
        }
        for (size_t i = 0; i + 16 < n; i += 16) {
            std::memcpy(to + i, kSpaces, 16);
        }
        std::memcpy(to + n - 16, kSpaces, 16);
    } else if (n >= 8) {
        std::memcpy(to, kSpaces, 8);
        std::memcpy(to + n - 8, kSpaces, 8);
    } else {
        for (size_t i = 0; i < n; ++i) {
            to[i] = ' ';
        }
    }
}
}  // namespace byte_copy
