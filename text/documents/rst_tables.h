// What the reStructuredText finder shares with its two kinds of table: the
// lines of the document, where each table ends, and each table drawn again.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/documents/document_kinds.h"

namespace documents::rst {

struct DocLine {
    size_t start = 0;
    size_t end = 0;     // before the line end
    size_t indent = 0;  // leading spaces
    bool blank = false;

    // The line after the table's indentation: what docutils reads.
    TableLine own(size_t tableIndent) const {
        return {start + (tableIndent < end - start ? tableIndent : end - start), end};
    }
};

std::vector<DocLine> doc_lines(std::string_view text);

inline std::string_view span_text(std::string_view text, const TableLine& line) {
    return text.substr(line.start, line.end - line.start);
}

// One character (a grapheme cluster) of a line and the display column it
// starts at.
struct Glyph {
    size_t start = 0;  // in the line's own text
    size_t end = 0;
    int64_t column = 0;
    int32_t width = 0;
    bool blank = false;
};

std::vector<Glyph> glyphs_of(std::string_view line, WidthModel model);

// A cell's lines as docutils reads them: without the blanks at their ends
// and without the indentation that all of them share.
void strip_shared_indent(std::vector<std::string>& lines);

// The line's text padded with spaces to width display columns.
void append_padded(std::string& out, std::string_view cell, int64_t width, WidthModel model);

// The table's lines drawn again, one for each of lines, or why it is left.
struct Redrawn {
    std::vector<std::string> lines;
    Refusal refusal;
};

// A grid table: top is the index of its top rule, whose indentation all its
// lines share. The index past its bottom rule, or top when docutils finds no
// table there.
size_t grid_table_end(std::string_view text, const std::vector<DocLine>& lines, size_t top);
Redrawn redraw_grid_table(std::string_view text, const std::vector<TableLine>& lines,
                          const TableStyle& style);

// A simple table: top is the index of its top border. The index past its
// bottom border, or top when docutils finds no table there.
size_t simple_table_end(std::string_view text, const std::vector<DocLine>& lines, size_t top);
Redrawn redraw_simple_table(std::string_view text, const std::vector<TableLine>& lines,
                            const TableStyle& style);

}  // namespace documents::rst
