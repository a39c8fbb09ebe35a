// Numbers written anew: digits grouped, a fixed count of decimals rounded
// half to even on the decimal digits themselves, never through a double.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr int32_t kMostDecimals = 20;

struct NumberStyle {
    bool grouped = false;
    int32_t decimals = -1;  // -1: as written

    bool as_is() const { return !grouped && decimals < 0; }
};

// One style a column, separated by commas: "-" as is, "g" grouped, ".N" N
// decimals (0..kMostDecimals), "g.N" both; nothing for a list that does not
// read, an empty item among them.
std::optional<std::vector<NumberStyle>> number_styles(std::string_view list);

struct NumberMarks {
    std::string_view group = ",";
    char point = '.';
};

// The number written in the style: the sign as written, the whole part
// without leading zeros (a lone 0 before the point kept), grouped by threes;
// nothing when the text is not a number or the style leaves it as is.
std::optional<std::string> formatted_number(std::string_view text, NumberStyle style,
                                            const NumberMarks& marks);
