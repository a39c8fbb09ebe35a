#include "text/formats/delimited_cells.h"

#include <algorithm>
#include <climits>

#include "core/text_rules.h"
#include "text/cell_width.h"

namespace {

struct PlainCutter {
    std::string_view text;
    TextEncoding encoding;
    WidthModel widthModel;
    char separator;
    bool quotes;
    CellGrid& grid;

    void add_cell(size_t start, size_t end) const {
        const auto length = static_cast<int32_t>(end - start);
        const int32_t width = encoding == TextEncoding::Cp932
                                  ? length
                                  : measure_utf8_cell(text.data() + start, length, widthModel);
        grid.cells.push_back(CellSpan{static_cast<int32_t>(start), length, width});
    }

    // One cell from at, which moves past it; false when it is not plain.
    bool cut_cell(size_t& at, size_t end) const {
        if (quotes && at < end && text[at] == '"') {
            const size_t close = text.find('"', at + 1);
            // No closing quote on this line, a doubled quote, or text after it.
            if (close >= end || (close + 1 < end && text[close + 1] != separator)) {
                return false;
            }
            add_cell(at + 1, close);
            at = close + 1;
            return true;
        }
        const size_t start = at;
        while (at < end && text[at] != separator) {
            if (quotes && text[at] == '"') {
                return false;
            }
            ++at;
        }
        add_cell(start, at);
        return true;
    }

    // The cells of the line [start, end); false when it is not plain.
    bool cut_line(size_t start, size_t end) const {
        if (start == end) {
            return false;  // an empty line is a row of one empty cell, or refused
        }
        const size_t before = grid.cells.size();
        size_t at = start;
        for (;;) {
            if (!cut_cell(at, end)) {
                return false;
            }
            if (at == end) {
                break;
            }
            ++at;  // the separator
        }
        const auto cells = static_cast<int64_t>(grid.cells.size() - before);
        if (grid.rows == 0) {
            grid.columns = static_cast<int32_t>(cells);
        }
        ++grid.rows;
        return cells == grid.columns;
    }
};

bool holds_any(std::string_view text, std::string_view bytes) {
    for (char byte : bytes) {
        if (text.find(byte) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool read_plain_delimited_cells(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                                char separator, bool quotes, CellGrid& grid) {
    // The frame refuses '|' and TAB in a cell and lays out an escape sequence;
    // a TAB separator is one of these only between cells.
    const std::string_view refusedInCells = separator == '\t' ? "|\x1b" : "|\t\x1b";
    if (text.empty() || text.size() >= INT32_MAX || holds_any(text, refusedInCells)) {
        return false;
    }
    const text_rules::Line first = text_rules::line_at(text, 0);
    const size_t firstCells =
        static_cast<size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(first.start),
                                       text.begin() + static_cast<std::ptrdiff_t>(first.end),
                                       separator)) +
        1;
    grid.cells.reserve((text.size() / first.next + 1) * firstCells);
    const PlainCutter cutter{text, encoding, widthModel, separator, quotes, grid};
    for (size_t at = 0; at < text.size();) {
        const text_rules::Line line = text_rules::line_at(text, at);
        if (!cutter.cut_line(line.start, line.end)) {
            return false;
        }
        at = line.next;
    }
    return true;
}
