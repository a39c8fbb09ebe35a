// The straightforward wrapping a cell line: clusters one by one from
// next_grapheme, opportunities from LineBreaks, each decoded on its own. The
// one-pass fit_cell_line must give the same lines.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/unicode/cell_wrap.h"

void reference_wrap(std::string_view text, int32_t width, WidthModel model,
                    std::vector<FittedLine>& lines);
