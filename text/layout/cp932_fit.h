// Fitting a line of code page 932 text into a column, where a character is
// as many columns as it has bytes: wrapped after spaces, else between
// characters, or cut with the code page's ellipsis.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/overflow.h"
#include "text/unicode/cell_wrap.h"

inline constexpr std::string_view kCp932Ellipsis = "\x81\x63";

// As fit_cell_line: width >= the widest character of text.
void fit_cp932_line(std::string_view text, int32_t width, Overflow overflow,
                    std::vector<FittedLine>& lines);

int32_t widest_cp932_char(std::string_view text);
