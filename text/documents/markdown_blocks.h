// The block structure of a GitHub Markdown document, as far as tables need
// it: which lines form a table (and none inside code, HTML blocks or front
// matter), behind which block quotes and list items, and the comments that
// steer the formatter. Block starts are tried in the order GitHub's own
// library tries them, so the tables found are the tables it renders.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/documents/directive.h"
#include "text/documents/document.h"

namespace documents {

struct MarkdownTable {
    int64_t line = 0;  // of the header row
    // The header row, the delimiter row and the body rows, each from its
    // first non-blank character (after the containers' prefixes) to its line
    // end.
    std::vector<TableLine> rows;
};

// "<!-- zentab: ... -->" alone on a line.
struct MarkdownNote {
    int64_t line = 0;
    Directive directive = Directive::None;
};

struct MarkdownBlocks {
    std::vector<MarkdownTable> tables;
    std::vector<MarkdownNote> notes;
};

MarkdownBlocks markdown_blocks(std::string_view text);

// A row's cells as GitHub splits them: at every '|' not written "\|", the
// outer pipes optional, each cell trimmed. Offsets are text's.
struct MarkdownCell {
    size_t start = 0;
    size_t end = 0;
};
// cells is cleared first: one vector serves every row.
void markdown_row_cells(std::string_view text, TableLine row, std::vector<MarkdownCell>& cells);

// Whether row is a delimiter row such as "|:--|--:|" or "--- | ---".
bool is_markdown_delimiter_row(std::string_view row);

}  // namespace documents
