// Fitting one line of a cell into a column: wrapped at line-break
// opportunities, or cut with an ellipsis. Colour and hyperlink escape sequences
// count no columns, and a wrapped line is given what it needs to set them again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/overflow.h"
#include "text/width_model.h"

struct FittedLine {
    int32_t start;   // offset in the cell line
    int32_t length;  // bytes, without the spaces a wrap drops at the break
    int32_t width;   // display columns, the ellipsis included
    bool ellipsis;   // truncated: "…" follows the bytes
};

// The lines of text (valid UTF-8 without line breaks) in at most width
// columns (width >= the widest grapheme cluster of text); one line when it
// already fits. lines is cleared first.
void fit_cell_line(std::string_view text, int32_t width, WidthModel model, Overflow overflow,
                   std::vector<FittedLine>& lines);

// The columns of text's widest grapheme cluster: the narrowest a column
// holding it can be.
int32_t widest_cluster(std::string_view text, WidthModel model);

// The colour and hyperlink escape sequences in force at the end of text: what
// closes them before a rule, and what opens them again where the cell goes on.
struct EscapesInForce {
    std::string close;  // empty when nothing is in force
    std::string reopen;
};
EscapesInForce escapes_in_force(std::string_view text);
