// The cells of a text table's content lines, before they become rows: what
// the frame and ruled readers cut, and how continuation lines join back.
#pragma once

#include <string_view>
#include <vector>

#include "text/formats/table.h"
#include "text/formats/text_scan.h"

namespace formats {

struct CutCell {
    std::string_view span;  // everything between the cell's separators, blanks kept
    char leftMark = 0;      // ':' or ';' standing where the separator before the cell would
    bool bareLeft = false;  // no blank margin stands before the cell's text
};

// Whether a cell of a frame, blanks kept, ends in a newline or wrap mark
// standing in its right margin: only then may it join the line after it.
inline bool may_end_in_mark(std::string_view span, bool bareLeft = false) {
    return span.size() >= 2 && (span.back() == '+' || span.back() == '.') &&
           (bareLeft || (span.size() >= 3 && (is_blank(span.front()) || span.front() == '.')));
}

struct CutLine {
    std::vector<CutCell> cells;
    bool afterContent = false;  // the line before it was a content line of the same table
};

// Trims every cell and appends the rows. A line whose cells end in a newline
// mark ('+') or wrap mark ('.') in their right margin, followed by a line that
// is blank in every other column, is one row with the next: a newline mark
// joins with a line break, a wrap mark without one, and so do ':' and ';'
// standing before a cell.
void append_rows(const std::vector<CutLine>& lines, std::string_view text, Table& table);

// The lines as one row: each cell's lines trimmed and joined with LF, blank
// lines at its end dropped. Where a frame closed a colour at a cell's border
// and set it again on the next line, the join takes both out.
void append_joined_row(const std::vector<CutLine>& lines, std::string_view text, Table& table);

}  // namespace formats
