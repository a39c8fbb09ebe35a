// psv straight into spans of the input: the way most tables are framed, so
// no cell is copied before it is drawn.
#include "text/psv_cells.h"

#include <climits>

#include "core/line_cutter.h"
#include "core/text_rules.h"
#include "text/cell_width.h"

namespace {
// One line of the input and where the next begins.
struct Line {
    std::string_view text;
    size_t next;
};

Line line_at(std::string_view text, size_t at) {
    const text_rules::Line line = text_rules::line_at(text, at);
    return {text.substr(line.start, line.end - line.start), line.next};
}

Refusal refusal_at(RefusalKind kind, std::string_view text, size_t offset, bool cp932) {
    Refusal refusal = refusal_of(kind);
    const text_rules::TextPlace place = text_rules::place_of(text, offset, cp932);
    refusal.line = place.line;
    refusal.column = place.column;
    return refusal;
}

int32_t cells_in_line(std::string_view line, const FtLineRule& rule) {
    return cut_line_cells(line.data(), static_cast<int32_t>(line.size()), rule,
                          [](int32_t, int32_t) { return true; })
        .cells;
}

Refusal ragged_row(std::string_view text, std::string_view line, int32_t failedAt,
                   const FtLineRule& rule, int32_t columns) {
    const auto offset =
        static_cast<size_t>(line.data() - text.data()) + static_cast<size_t>(failedAt);
    Refusal refusal = refusal_at(RefusalKind::RaggedRow, text, offset, rule.cp932);
    refusal.found = cells_in_line(line, rule);
    refusal.limit = columns;
    return refusal;
}

// Appends the cells of one line; refuses a line with more or fewer cells
// than the first.
Refusal add_row(std::string_view text, std::string_view line, const FtLineRule& rule,
                WidthModel widthModel, CellGrid& grid) {
    const auto lineStart = static_cast<int32_t>(line.data() - text.data());
    const auto length = static_cast<int32_t>(line.size());
    const int32_t limit = grid.rows == 0 ? INT32_MAX : grid.columns;
    int32_t rowCells = 0;
    const LineCells cut =
        cut_line_cells(line.data(), length, rule, [&](int32_t start, int32_t end) {
            if (rowCells++ == limit) {
                return false;
            }
            const int32_t cellLength = end - start;
            const int32_t width =
                rule.cp932 ? cellLength
                           : measure_utf8_cell(line.data() + start, cellLength, widthModel);
            grid.cells.push_back(CellSpan{lineStart + start, cellLength, width});
            return true;
        });
    if (cut.stopped) {
        return ragged_row(text, line, cut.stoppedAt - 1, rule, grid.columns);
    }
    if (grid.rows == 0) {
        grid.columns = cut.cells;
    } else if (cut.cells != grid.columns) {
        return ragged_row(text, line, length, rule, grid.columns);
    }
    ++grid.rows;
    return {};
}

}  // namespace

Refusal read_psv_cells(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                       CellGrid& grid) {
    FtLineRule rule;
    rule.tabSeparates = true;
    rule.cp932 = encoding == TextEncoding::Cp932;
    // Rows are guessed from the first line's length: close enough that the
    // spans seldom move.
    const Line first = line_at(text, 0);
    const size_t rows = text.size() / first.next + 1;
    grid.cells.reserve(rows * static_cast<size_t>(cells_in_line(first.text, rule)));
    size_t at = 0;
    do {
        const Line line = line_at(text, at);
        Refusal refusal = add_row(text, line.text, rule, widthModel, grid);
        if (refusal.kind != RefusalKind::None) {
            return refusal;
        }
        at = line.next;
    } while (at < text.size());
    return {};
}

std::string_view without_trailing_empty_lines(std::string_view text) {
    return text_rules::without_trailing_line_ends(text);
}
