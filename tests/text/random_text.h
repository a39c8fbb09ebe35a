// Random UTF-8 text for property tests: code points of every kind the grapheme
// and width rules tell apart, between runs of printable ASCII.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

void append_utf8(std::string& out, uint32_t cp);

class RandomText {
  public:
    // withControls adds C0 and C1 controls, CR and LF among them, which
    // display_width's callers refuse; keep, when given, picks the code points.
    RandomText(uint32_t seed, bool withControls, bool (*keep)(uint32_t) = nullptr);

    // Up to maxUnits pieces, each a code point or a run of ASCII.
    std::string next(int maxUnits);

  private:
    std::mt19937 rng;
    std::vector<uint32_t> pool;
};

std::vector<uint32_t> decode_all(const std::string& utf8);
