// Where the frame reader's cells go: rows of a Table, joined and trimmed as
// line_cells does, or spans and widths straight into the CellGrid the frame
// renderer reads, for frames whose rows are a line each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "text/cell_grid.h"
#include "text/formats/formats_internal.h"
#include "text/formats/line_cells.h"
#include "text/formats/text_scan.h"

namespace formats {

// A cell as a content line holds it: between its borders, and its text
// without the blanks about it. width: its text's display columns, or -1
// when the cut did not measure it.
struct FrameCell {
    size_t start;
    size_t end;
    size_t textStart;
    size_t textEnd;
    int64_t width;
};

// Rows of a Table: the lines between two rules wait, and become rows as
// append_rows or append_joined_row make them.
class TableSink {
  public:
    static constexpr bool kGrid = false;

    TableSink(std::string_view text, Table& table, FieldRows fieldRows)
        : text_(text), table_(table), fieldRows_(fieldRows) {}

    bool add_line(const std::vector<FrameCell>& cells, bool afterContent) {
        CutLine line;
        line.afterContent = afterContent;
        line.cells.reserve(cells.size());
        for (const FrameCell& cell : cells) {
            line.cells.push_back({text_.substr(cell.start, cell.end - cell.start)});
        }
        cut_.push_back(std::move(line));
        part_keyed_field();
        return true;
    }

    bool waiting() const { return !cut_.empty(); }

    static void reserve_cells(size_t /*count*/) {}

    // The lines waiting, as one row or as the rows they draw.
    bool flush(bool oneRow) {
        if (oneRow) {
            append_joined_row(cut_, text_, table_);
        } else {
            append_rows(cut_, text_, table_);
        }
        cut_.clear();
        return true;
    }

    // The lines after the last inner rule: records' fields are always one row.
    bool last_lines_one_row(int32_t innerRules) const {
        return innerRules >= 2 || fieldRows_ != FieldRows::AsDrawn;
    }

  private:
    // A record's fields drawn without rules between them: a line whose key
    // is not blank begins the next.
    void part_keyed_field() {
        if (fieldRows_ != FieldRows::Keyed || cut_.size() < 2 || cut_.back().cells.empty() ||
            trim_blanks(cut_.back().cells.front().span).empty()) {
            return;
        }
        CutLine next = std::move(cut_.back());
        cut_.pop_back();
        flush(true);
        cut_.push_back(std::move(next));
    }

    std::string_view text_;
    Table& table_;
    FieldRows fieldRows_;
    std::vector<CutLine> cut_;
};

// Spans and widths into a grid, a row a line: what would join lines into
// one row, a row of several lines or a mark that joins, turns the grid down
// (false), and the table sink reads the frame instead.
class GridSink {
  public:
    static constexpr bool kGrid = true;

    GridSink(std::string_view text, TextEncoding encoding, WidthModel model, CellGrid& grid)
        : text_(text), encoding_(encoding), model_(model), grid_(grid) {}

    bool add_line(const std::vector<FrameCell>& cells, bool /*afterContent*/) {
        if (grid_.columns == 0) {
            grid_.columns = static_cast<int32_t>(cells.size());
        }
        for (const FrameCell& cell : cells) {
            const std::string_view span = text_.substr(cell.start, cell.end - cell.start);
            groupMayJoin_ = groupMayJoin_ || may_end_in_mark(span);
            const auto length = static_cast<int32_t>(cell.textEnd - cell.textStart);
            const int64_t width =
                cell.width >= 0
                    ? cell.width
                    : text_columns(text_.substr(cell.textStart, static_cast<size_t>(length)),
                                   encoding_, model_);
            // Filled in place, as the delimited grid sink fills its cells.
            CellSpan& drawn = grid_.cells.emplace_back();
            drawn.start = static_cast<int32_t>(cell.textStart);
            drawn.length = length;
            drawn.width = static_cast<int32_t>(width);
        }
        ++groupLines_;
        return true;
    }

    bool waiting() const { return groupLines_ > 0; }

    void reserve_cells(size_t count) { grid_.cells.reserve(count); }

    bool flush(bool oneRow) {
        if (groupLines_ > 1 && (oneRow || groupMayJoin_)) {
            return false;
        }
        grid_.rows += groupLines_;
        groupLines_ = 0;
        groupMayJoin_ = false;
        return true;
    }

    static bool last_lines_one_row(int32_t innerRules) { return innerRules >= 2; }

  private:
    std::string_view text_;
    TextEncoding encoding_;
    WidthModel model_;
    CellGrid& grid_;
    int32_t groupLines_ = 0;
    bool groupMayJoin_ = false;
};

}  // namespace formats
