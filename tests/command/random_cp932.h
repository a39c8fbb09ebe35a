// Reproducible random byte strings from a small alphabet that is dense in the
// cases where code page 932 character boundaries matter.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

inline std::string random_text(std::mt19937& random, const std::vector<std::string_view>& pieces,
                               size_t maxPieces) {
    std::uniform_int_distribution<size_t> count(0, maxPieces);
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::string text;
    for (size_t n = count(random); n > 0; --n) {
        text += pieces[pick(random)];
    }
    return text;
}
