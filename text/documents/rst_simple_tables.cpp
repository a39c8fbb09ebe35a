// reStructuredText simple tables: columns under runs of "=", found where
// docutils finds them. A line docutils reads without text in a margin keeps
// its cells where docutils sees them, even where a border is too wide; a line
// whose text runs into a margin (a cell grew, or its border is too narrow) is
// read as cells two blanks apart, each under the nearest border. Borders and
// "-" rules are drawn again to each column's widest cell; the last column is
// as wide as its widest text, which docutils lets run past its border.
#include <algorithm>
#include <cstdlib>
#include <limits>

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

bool is_rule_of(std::string_view line, char fill) {
    return !line.empty() && line[0] == fill &&
           line.find_first_not_of(std::string{fill, ' '}) == std::string_view::npos;
}

struct Run {
    int64_t start = 0;
    int64_t end = 0;
};

std::vector<Run> runs_of(std::string_view rule) {
    std::vector<Run> runs;
    for (size_t at = 0; at < rule.size(); ++at) {
        if (rule[at] != ' ' && (at == 0 || rule[at - 1] == ' ')) {
            runs.push_back({static_cast<int64_t>(at), static_cast<int64_t>(at)});
        }
        if (rule[at] != ' ') {
            runs.back().end = static_cast<int64_t>(at) + 1;
        }
    }
    return runs;
}

// The column whose border spans the glyph, or -1 when some of it lies in a
// margin. The last column has no right end.
int column_holding(const std::vector<Run>& columns, const Glyph& glyph) {
    for (size_t c = 0; c < columns.size(); ++c) {
        const bool last = c + 1 == columns.size();
        if (glyph.column >= columns[c].start &&
            (last || glyph.column + glyph.width <= columns[c].end)) {
            return static_cast<int>(c);
        }
    }
    return -1;
}

// The line's cells as docutils reads them under the borders, or none when
// some text stands in a margin.
std::vector<std::string> cells_under_borders(std::string_view line,
                                             const std::vector<Glyph>& glyphs,
                                             const std::vector<Run>& columns) {
    std::vector<std::string> cells(columns.size());
    for (const Glyph& glyph : glyphs) {
        const int c = column_holding(columns, glyph);
        if (c < 0 && !glyph.blank) {
            return {};
        }
        if (c >= 0) {
            cells[static_cast<size_t>(c)].append(line, glyph.start, glyph.end - glyph.start);
        }
    }
    return cells;
}

struct Token {
    size_t start = 0;
    size_t end = 0;
    int64_t column = 0;
};

// Runs of text that no two blanks in a row break.
std::vector<Token> tokens_of(const std::vector<Glyph>& glyphs) {
    std::vector<Token> tokens;
    size_t blanks = 2;
    for (const Glyph& glyph : glyphs) {
        if (glyph.blank) {
            ++blanks;
            continue;
        }
        if (blanks >= 2) {
            tokens.push_back({glyph.start, glyph.end, glyph.column});
        }
        tokens.back().end = glyph.end;
        blanks = 0;
    }
    return tokens;
}

// For each token in order, the column it goes to: the one of the fewest
// columns moved in all.
std::vector<size_t> nearest_columns(const std::vector<Token>& tokens,
                                    const std::vector<Run>& columns) {
    const size_t n = tokens.size();
    const size_t m = columns.size();
    constexpr int64_t kNever = std::numeric_limits<int64_t>::max() / 4;
    // cost[t][c]: the least for tokens t.. with token t at column c or after.
    std::vector<std::vector<int64_t>> cost(n + 1, std::vector<int64_t>(m + 1, kNever));
    std::fill(cost[n].begin(), cost[n].end(), 0);
    for (size_t t = n; t-- > 0;) {
        for (size_t c = m; c-- > 0;) {
            const int64_t here = std::abs(tokens[t].column - columns[c].start) + cost[t + 1][c + 1];
            cost[t][c] = std::min(cost[t][c + 1], cost[t + 1][c + 1] >= kNever ? kNever : here);
        }
    }
    std::vector<size_t> chosen;
    for (size_t t = 0, c = 0; t < n; ++c) {
        if (cost[t][c] != cost[t][c + 1]) {
            chosen.push_back(c);
            ++t;
        }
    }
    return chosen;
}

enum class LineKind { Blank, Border, Rule, Content };

struct SimpleLayout {
    std::vector<Run> columns;  // of the top border
    std::vector<LineKind> kinds;
    std::vector<std::vector<std::string>> cells;  // of each content line
    std::vector<int64_t> widths;
    Refusal refusal;
};

bool read_cells(SimpleLayout& layout, std::string_view text, const TableLine& span,
                WidthModel model) {
    const std::string_view line = without_trailing_blanks(span_text(text, span));
    const std::vector<Glyph> glyphs = glyphs_of(line, model);
    std::vector<std::string> cells = cells_under_borders(line, glyphs, layout.columns);
    if (cells.empty()) {
        const std::vector<Token> tokens = tokens_of(glyphs);
        if (tokens.size() > layout.columns.size()) {
            layout.refusal = refusal_at_offset(text, RefusalKind::RaggedRow, span.start);
            layout.refusal.found = static_cast<int64_t>(tokens.size());
            layout.refusal.limit = static_cast<int64_t>(layout.columns.size());
            return false;
        }
        cells.resize(layout.columns.size());
        const std::vector<size_t> to = nearest_columns(tokens, layout.columns);
        for (size_t t = 0; t < tokens.size(); ++t) {
            cells[to[t]] =
                std::string(line.substr(tokens[t].start, tokens[t].end - tokens[t].start));
        }
    }
    layout.cells.push_back(std::move(cells));
    return true;
}

SimpleLayout read_simple(std::string_view text, const std::vector<TableLine>& lines,
                         WidthModel model) {
    SimpleLayout layout;
    layout.columns = runs_of(without_trailing_blanks(span_text(text, lines[0])));
    for (const TableLine& span : lines) {
        const std::string_view line = without_trailing_blanks(span_text(text, span));
        const bool border = is_rule_of(line, '=');
        if (border || is_rule_of(line, '-')) {
            // A rule of fewer runs than columns joins columns into one cell.
            if (runs_of(line).size() != layout.columns.size()) {
                layout.refusal = refusal_at_offset(text, RefusalKind::MergedCells, span.start);
                return layout;
            }
            layout.kinds.push_back(border ? LineKind::Border : LineKind::Rule);
        } else if (line.find_first_not_of(' ') == std::string_view::npos) {
            layout.kinds.push_back(LineKind::Blank);
        } else {
            layout.kinds.push_back(LineKind::Content);
            if (!read_cells(layout, text, span, model)) {
                return layout;
            }
        }
    }
    return layout;
}

// docutils strips the indentation a cell's lines share, row by row: a row
// starts at a line with text in the first column and ends at a rule.
void strip_row_indents(SimpleLayout& layout) {
    size_t content = 0;
    size_t rowStart = 0;
    auto strip_row = [&layout](size_t from, size_t to) {
        for (size_t c = 0; c < layout.columns.size(); ++c) {
            std::vector<std::string> cellLines;
            for (size_t i = from; i < to; ++i) {
                cellLines.push_back(layout.cells[i][c]);
            }
            strip_shared_indent(cellLines);
            for (size_t i = from; i < to; ++i) {
                layout.cells[i][c] = cellLines[i - from];
            }
        }
    };
    for (LineKind kind : layout.kinds) {
        if (kind == LineKind::Border || kind == LineKind::Rule) {
            strip_row(rowStart, content);
            rowStart = content;
        } else if (kind == LineKind::Content) {
            if (layout.cells[content][0].find_first_not_of(' ') != std::string::npos) {
                strip_row(rowStart, content);
                rowStart = content;
            }
            ++content;
        }
    }
    strip_row(rowStart, content);
}

void measure_columns(SimpleLayout& layout, WidthModel model) {
    layout.widths.assign(layout.columns.size(), 1);
    for (const std::vector<std::string>& cells : layout.cells) {
        for (size_t c = 0; c < cells.size(); ++c) {
            layout.widths[c] = std::max(layout.widths[c], display_width(cells[c], model));
        }
    }
}

std::string drawn_rule(const SimpleLayout& layout, char fill, size_t gap) {
    std::string out;
    for (size_t c = 0; c < layout.widths.size(); ++c) {
        out.append(c > 0 ? gap : 0, ' ');
        out.append(static_cast<size_t>(layout.widths[c]), fill);
    }
    return out;
}

std::string drawn_content(const SimpleLayout& layout, const std::vector<std::string>& cells,
                          size_t gap, WidthModel model) {
    std::string out;
    for (size_t c = 0; c < cells.size(); ++c) {
        out.append(c > 0 ? gap : 0, ' ');
        append_padded(out, cells[c], layout.widths[c], model);
    }
    return std::string(without_trailing_blanks(out));
}

}  // namespace

size_t simple_table_end(std::string_view text, const std::vector<DocLine>& lines, size_t top) {
    const size_t indent = lines[top].indent;
    int found = 0;
    for (size_t i = top + 1; i < lines.size(); ++i) {
        if (lines[i].blank) {
            continue;
        }
        if (lines[i].indent < indent) {
            return top;  // the block the table is in ends before its bottom
        }
        const bool border =
            lines[i].indent == indent && is_rule_of(span_text(text, lines[i].own(indent)), '=');
        if (!border) {
            continue;
        }
        ++found;
        const bool last =
            i + 1 == lines.size() || lines[i + 1].blank || lines[i + 1].indent < indent;
        if (found == 2 || last) {
            return i + 1;
        }
    }
    return top;
}

Redrawn redraw_simple_table(std::string_view text, const std::vector<TableLine>& lines,
                            const TableStyle& style) {
    Redrawn redrawn;
    SimpleLayout layout = read_simple(text, lines, style.widthModel);
    if (layout.refusal.kind != RefusalKind::None) {
        redrawn.refusal = layout.refusal;
        return redrawn;
    }
    strip_row_indents(layout);
    measure_columns(layout, style.widthModel);
    const auto gap = static_cast<size_t>(std::max<int32_t>(1, 2 * style.padding));
    size_t content = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        switch (layout.kinds[i]) {
            case LineKind::Blank:
                redrawn.lines.emplace_back(span_text(text, lines[i]));
                break;
            case LineKind::Border:
                redrawn.lines.push_back(drawn_rule(layout, '=', gap));
                break;
            case LineKind::Rule:
                redrawn.lines.push_back(drawn_rule(layout, '-', gap));
                break;
            case LineKind::Content:
                redrawn.lines.push_back(
                    drawn_content(layout, layout.cells[content++], gap, style.widthModel));
                break;
        }
    }
    return redrawn;
}

}  // namespace documents::rst
