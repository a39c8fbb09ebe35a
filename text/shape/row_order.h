// The order of a table's body rows under sort keys: stable, text by code
// point (UTF-8's bytes keep that order; code page 932 is decoded), numbers by
// value.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "text/shape/shape_cells.h"

struct ResolvedKey {
    size_t column = 0;  // 0-based
    bool numeric = false;
    bool reversed = false;
};

// Numbers first, by value, then the cells that are not numbers by text.
// Less than zero, zero or more, as a before, with or after b.
int compare_as_numbers(std::string_view a, std::string_view b);

// The indices of rows 1.. of the table, ordered by the keys; a row too short
// for a key's column sorts as if the cell were empty.
std::vector<size_t> sorted_body_rows(const ShapeCells& table, const std::vector<ResolvedKey>& keys);
