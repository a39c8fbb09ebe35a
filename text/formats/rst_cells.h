// A cell's text as reStructuredText writes it in a table, for the grid and
// simple table writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "text/formats/markup_cells.h"

namespace formats {

// Inline markup characters are backslash-escaped everywhere, and so is what
// would start a list, a section rule or other block markup at the cell's
// start. Widths are display columns, as reStructuredText measures them.
struct RstCells {
    std::vector<std::vector<std::string>> texts;
    std::vector<int64_t> columns;  // the widest text of each column, at least one
};

// Refuses a TAB, which reStructuredText expands and so moves cell borders.
bool rst_cells(const Table& table, WidthModel model, RstCells& cells, Refusal& refusal);

// A table under a title is the body of a table directive, indented under
// ".. table:: title"; false with the refusal when the title cannot be written.
bool rst_titled(std::string& table, std::string_view title, TextEncoding encoding, WidthModel model,
                std::string_view end, Refusal& refusal);

int64_t rst_width(const std::string& text, TextEncoding encoding, WidthModel model);

}  // namespace formats
