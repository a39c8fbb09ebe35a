// Fitting lines of code page 932 text into columns. A character is as many
// columns as it has bytes, which is its width in the wide model for every
// character the code page holds; so a line is decoded and fitted as the wide
// model fits its UTF-8, and both encodings break and cut in the same places.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/overflow.h"
#include "text/unicode/cell_wrap.h"

// U+2026, as the wide model's ellipsis and as wide.
inline constexpr std::string_view kCp932Ellipsis = "\x81\x63";

class Cp932Fitter {
  public:
    // As fit_cell_line in the wide model, in bytes of text.
    void fit(std::string_view text, int32_t width, Overflow overflow,
             std::vector<FittedLine>& lines);

    // As widest_cluster in the wide model.
    int32_t widest_cluster(std::string_view text);

    // As may_hold_cluster_over_two_columns: whether text may hold a half-width
    // sound mark.
    static bool may_hold_cluster_over_two_columns(std::string_view text);

  private:
    void decode(std::string_view text);

    std::string utf8_;
    // Per byte of utf8_, and one past its end: where its character starts in
    // the code page 932 text.
    std::vector<int32_t> cp932Offsets_;
    std::vector<FittedLine> utf8Lines_;
};
