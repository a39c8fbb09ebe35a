// Numbers lined up on their decimal point: each is given spaces after it so
// that, placed right, every point stands in the same column.
#pragma once

#include <cstdint>
#include <string_view>

// A number as a column of them shows it: an optional sign, digits that commas
// may group, and an optional point with digits after it.
struct DecimalParts {
    bool number = false;
    int32_t whole = 0;     // columns before the point
    int32_t fraction = 0;  // columns from the point on; 0 without one
};

DecimalParts decimal_parts(std::string_view text);

// The widest whole part and fraction of a column's numbers.
struct DecimalColumn {
    int32_t whole = 0;
    int32_t fraction = 0;

    void add(const DecimalParts& parts);
    int32_t width() const { return whole + fraction; }
    // Spaces after a number so that its point lines up.
    int32_t trailing(const DecimalParts& parts) const { return fraction - parts.fraction; }
};
