// A frame's rows that span the whole table inside it, over the header (a
// title) and under the last row (a footer, and the row saying how many rows
// were left out), found and taken out so the frame reads as its rows alone.
#pragma once

#include <string>
#include <string_view>

#include "text/text_types.h"

namespace formats {

struct SpannedFrame {
    bool found = false;
    std::string frame;  // the frame without them, its top and bottom rules whole
    // Lines of the text above the frame's first line: its lines are the
    // text's, from this many on, each at the columns it had there.
    int64_t linesAbove = 0;
    std::string title;  // its lines, blanks at either end trimmed, joined by '\n'
    std::string footer;
};

// Nothing found unless a rule without joints tops or closes a run of lines
// between borders that ends at a rule with joints.
SpannedFrame without_spanning_rows(std::string_view text, TextEncoding encoding);

}  // namespace formats
