#include "random_text.h"

#include <algorithm>
#include <cstddef>
#include <map>

#include "text/unicode/code_point_props.h"

void append_utf8(std::string& out, uint32_t cp) {
    auto put = [&out](uint32_t byte) { out.push_back(static_cast<char>(byte)); };
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 | (cp >> 6));
        put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        put(0xE0 | (cp >> 12));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    } else {
        put(0xF0 | (cp >> 18));
        put(0x80 | ((cp >> 12) & 0x3F));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    }
}

std::vector<uint32_t> decode_all(const std::string& utf8) {
    std::vector<uint32_t> cps;
    for (size_t i = 0; i < utf8.size();) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        uint32_t cp = length == 1 ? lead : lead & (0x7Fu >> length);
        for (size_t k = 1; k < length; ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        }
        cps.push_back(cp);
        i += length;
    }
    return cps;
}

RandomText::RandomText(uint32_t seed, bool withControls, bool (*keep)(uint32_t)) : rng(seed) {
    // A few code points of each distinct property byte, taken at random from
    // all of them, so that rare combinations turn up as often as common ones.
    std::map<uint8_t, std::vector<uint32_t>> byProps;
    for (uint32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            continue;
        }
        bool control = cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
        if ((control && !withControls) || (keep && !keep(cp))) {
            continue;
        }
        byProps[code_point_props(cp).bits].push_back(cp);
    }
    for (auto& entry : byProps) {
        std::vector<uint32_t>& cps = entry.second;
        std::shuffle(cps.begin(), cps.end(), rng);
        const auto take = static_cast<std::ptrdiff_t>(std::min<size_t>(cps.size(), 6));
        pool.insert(pool.end(), cps.begin(), cps.begin() + take);
    }
    // The characters the rules single out, and Hangul syllables of both kinds.
    for (uint32_t cp : {0x200Du,  0x200Du,  0xFE0Fu, 0xFE0Fu, 0x1F1EFu, 0x1F1F5u, 0x1F1E6u,
                        0x1F600u, 0x1F469u, 0x2764u, 0x2660u, 0x1F3FBu, 0x0301u,  0xAC00u,
                        0xAC01u,  0x1100u,  0x1161u, 0x11A8u, 0x0600u,  0x0903u,  0xE0020u}) {
        pool.push_back(cp);
    }
}

std::string RandomText::next(int maxUnits) {
    std::string text;
    int units = std::uniform_int_distribution<int>(0, maxUnits)(rng);
    for (int u = 0; u < units; ++u) {
        if (std::uniform_int_distribution<int>(0, 4)(rng) == 0) {
            int run = std::uniform_int_distribution<int>(1, 20)(rng);
            for (int k = 0; k < run; ++k) {
                text.push_back(
                    static_cast<char>(std::uniform_int_distribution<int>(0x20, 0x7E)(rng)));
            }
        } else {
            append_utf8(text, pool[std::uniform_int_distribution<size_t>(0, pool.size() - 1)(rng)]);
        }
    }
    return text;
}
