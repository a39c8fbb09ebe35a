// reStructuredText grid tables: found where docutils finds them, read by the
// order of the borders on each content line (so a line whose borders drifted
// when a cell grew or shrank is read as meant), and drawn with each column as
// wide as its widest cell line. A table whose cells span rows or columns is
// left as it is.
#include <algorithm>

#include "text/documents/rst_tables.h"
#include "text/documents/table_edits.h"
#include "text/unicode/display_width.h"

namespace documents::rst {

namespace {

std::string_view without_trailing_blanks(std::string_view line) {
    while (!line.empty() && line.back() == ' ') {
        line.remove_suffix(1);
    }
    return line;
}

// What docutils takes for a table's top or bottom: "+-" ... "-+", of "-" and
// "+" only.
bool is_outer_rule(std::string_view line) {
    line = without_trailing_blanks(line);
    const size_t n = line.size();
    if (n < 5 || line[0] != '+' || line[1] != '-' || line[n - 2] != '-' || line[n - 1] != '+') {
        return false;
    }
    return line.find_first_not_of("-+") == std::string_view::npos;
}

bool is_rule(std::string_view line) {
    return !line.empty() && line[0] == '+' &&
           line.find_first_not_of("+-=") == std::string_view::npos;
}

// Display columns of the rule's "+", which are its columns' boundaries.
std::vector<int64_t> boundaries_of(std::string_view rule) {
    std::vector<int64_t> boundaries;
    for (size_t at = 0; at < rule.size(); ++at) {
        if (rule[at] == '+') {
            boundaries.push_back(static_cast<int64_t>(at));
        }
    }
    return boundaries;
}

// Each column's fill, "=" under the header and "-" elsewhere, as the rule has it.
std::vector<char> fills_of(std::string_view rule) {
    std::vector<char> fills;
    for (size_t at = 1; at < rule.size(); ++at) {
        if (rule[at - 1] == '+') {
            fills.push_back(rule[at] == '=' ? '=' : '-');
        }
    }
    return fills;
}

bool is_border(std::string_view line, const Glyph& glyph) {
    return glyph.end - glyph.start == 1 && line[glyph.start] == '|';
}

// The glyphs that are the line's borders when they stand where the top rule
// has its boundaries: then a "|" inside a cell is text.
std::vector<size_t> aligned_borders(std::string_view line, const std::vector<Glyph>& glyphs,
                                    const std::vector<int64_t>& boundaries) {
    std::vector<size_t> borders;
    size_t g = 0;
    for (int64_t boundary : boundaries) {
        while (g < glyphs.size() && glyphs[g].column < boundary) {
            ++g;
        }
        if (g == glyphs.size() || glyphs[g].column != boundary || !is_border(line, glyphs[g])) {
            return {};
        }
        borders.push_back(g);
    }
    return g + 1 == glyphs.size() ? borders : std::vector<size_t>{};
}

struct Borders {
    std::vector<size_t> glyphs;  // one more than there are columns
    Refusal refusal;
};

Borders borders_of(std::string_view text, const TableLine& span, const std::vector<Glyph>& glyphs,
                   const std::vector<int64_t>& boundaries) {
    const std::string_view line = span_text(text, span);
    Borders borders;
    borders.glyphs = aligned_borders(line, glyphs, boundaries);
    if (!borders.glyphs.empty()) {
        return borders;
    }
    for (size_t g = 0; g < glyphs.size(); ++g) {
        if (is_border(line, glyphs[g])) {
            borders.glyphs.push_back(g);
        }
    }
    // Fewer borders than columns: a cell spans columns, or rows where a rule
    // stops short of it ("|     +-----+").
    const size_t wanted = boundaries.size();
    if (borders.glyphs.size() < wanted) {
        borders.refusal = refusal_at_offset(text, RefusalKind::MergedCells, span.start);
    } else if (!is_border(line, glyphs.back()) || borders.glyphs.size() > wanted) {
        borders.refusal = refusal_at_offset(text, RefusalKind::RaggedRow, span.start);
        borders.refusal.found = static_cast<int64_t>(borders.glyphs.size()) - 1;
        borders.refusal.limit = static_cast<int64_t>(wanted) - 1;
    }
    return borders;
}

// One row's cells: for each column, the text of each of the row's lines.
using RowCells = std::vector<std::vector<std::string>>;

struct GridLayout {
    std::vector<int64_t> widths;
    // For each line of the table: the row it is a line of, or -1 for a rule.
    std::vector<int> rowOf;
    std::vector<std::vector<char>> fills;  // of each rule line, by its index
    std::vector<RowCells> rows;
    Refusal refusal;
};

void add_content_line(GridLayout& layout, std::string_view line, const std::vector<Glyph>& glyphs,
                      const std::vector<size_t>& borders) {
    if (layout.rowOf.size() < 2 || layout.rowOf[layout.rowOf.size() - 2] < 0) {
        layout.rows.emplace_back(layout.widths.size());
    }
    RowCells& row = layout.rows.back();
    for (size_t c = 0; c + 1 < borders.size(); ++c) {
        const size_t from = glyphs[borders[c]].end;
        const size_t to = glyphs[borders[c + 1]].start;
        row[c].emplace_back(line.substr(from, to - from));
    }
    layout.rowOf.back() = static_cast<int>(layout.rows.size()) - 1;
}

GridLayout read_grid(std::string_view text, const std::vector<TableLine>& lines, WidthModel model) {
    GridLayout layout;
    const std::vector<int64_t> boundaries =
        boundaries_of(without_trailing_blanks(span_text(text, lines[0])));
    layout.widths.assign(boundaries.size() - 1, 0);
    layout.fills.resize(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = without_trailing_blanks(span_text(text, lines[i]));
        layout.rowOf.push_back(-1);
        if (is_rule(line)) {
            if (boundaries_of(line).size() != boundaries.size()) {
                layout.refusal = refusal_at_offset(text, RefusalKind::MergedCells, lines[i].start);
                return layout;
            }
            layout.fills[i] = fills_of(line);
            continue;
        }
        if (line[0] != '|') {
            layout.refusal = refusal_at_offset(text, RefusalKind::MergedCells, lines[i].start);
            return layout;
        }
        const std::vector<Glyph> glyphs = glyphs_of(line, model);
        const Borders borders = borders_of(text, lines[i], glyphs, boundaries);
        if (borders.refusal.kind != RefusalKind::None) {
            layout.refusal = borders.refusal;
            return layout;
        }
        add_content_line(layout, line, glyphs, borders.glyphs);
    }
    return layout;
}

// Columns are at least one wide, and the top rule at least "+---+": docutils
// sees no table in a narrower one.
void measure_columns(GridLayout& layout, const TableStyle& style) {
    std::fill(layout.widths.begin(), layout.widths.end(), 1);
    if (layout.widths.size() == 1) {
        layout.widths[0] = std::max<int64_t>(1, 3 - 2 * static_cast<int64_t>(style.padding));
    }
    for (RowCells& row : layout.rows) {
        for (size_t c = 0; c < row.size(); ++c) {
            strip_shared_indent(row[c]);
            for (const std::string& cellLine : row[c]) {
                layout.widths[c] =
                    std::max(layout.widths[c], display_width(cellLine, style.widthModel));
            }
        }
    }
}

std::string drawn_rule(const GridLayout& layout, const std::vector<char>& fills, int64_t padding) {
    std::string out = "+";
    for (size_t c = 0; c < layout.widths.size(); ++c) {
        out.append(static_cast<size_t>(layout.widths[c] + 2 * padding), fills[c]);
        out += '+';
    }
    return out;
}

std::string drawn_content(const GridLayout& layout, const RowCells& row, size_t lineOfRow,
                          const TableStyle& style) {
    const auto padding = static_cast<size_t>(style.padding);
    std::string out = "|";
    for (size_t c = 0; c < layout.widths.size(); ++c) {
        out.append(padding, ' ');
        append_padded(out, row[c][lineOfRow], layout.widths[c], style.widthModel);
        out.append(padding, ' ');
        out += '|';
    }
    return out;
}

}  // namespace

size_t grid_table_end(std::string_view text, const std::vector<DocLine>& lines, size_t top) {
    const size_t indent = lines[top].indent;
    size_t end = top + 1;
    while (end < lines.size() && !lines[end].blank && lines[end].indent == indent) {
        const char first = text[lines[end].start + indent];
        if (first != '+' && first != '|') {
            break;
        }
        ++end;
    }
    // Lines that are not the table's close it early: it ends at the last
    // rule that leaves a row above it.
    for (size_t last = end - 1; last >= top + 2; --last) {
        if (is_outer_rule(span_text(text, lines[last].own(indent)))) {
            return last + 1;
        }
    }
    return top;
}

Redrawn redraw_grid_table(std::string_view text, const std::vector<TableLine>& lines,
                          const TableStyle& style) {
    Redrawn redrawn;
    GridLayout layout = read_grid(text, lines, style.widthModel);
    if (layout.refusal.kind != RefusalKind::None) {
        redrawn.refusal = layout.refusal;
        return redrawn;
    }
    measure_columns(layout, style);
    size_t lineOfRow = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (layout.rowOf[i] < 0) {
            redrawn.lines.push_back(drawn_rule(layout, layout.fills[i], style.padding));
            lineOfRow = 0;
            continue;
        }
        const RowCells& row = layout.rows[static_cast<size_t>(layout.rowOf[i])];
        redrawn.lines.push_back(drawn_content(layout, row, lineOfRow++, style));
    }
    return redrawn;
}

}  // namespace documents::rst
