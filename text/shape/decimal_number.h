// What a cell must look like to be a number, for sorting and for formatting
// alike: an optional sign, digits that may be grouped by commas, and an
// optional decimal point with digits. Grouping commas come in threes
// ("12,345.6"). No exponents, no spaces.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct Decimal {
    char sign = 0;                     // '-' or '+' as written, else 0
    bool negative = false;             // false for any zero, -0 too
    std::string whole;                 // without grouping or leading zeros
    std::string_view fraction;         // without trailing zeros
    std::string_view writtenFraction;  // as written, after the point
    bool point = false;                // a decimal point was written
};

// The number a cell's text is, or nothing when it is not one.
std::optional<Decimal> decimal_of(std::string_view text);
