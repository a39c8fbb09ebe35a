// Which columns and rows of a table are shown, in what order: one stage on
// the table value between reading and writing, the same for every face.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/formats/table.h"
#include "text/refusal.h"
#include "text/shape/shape_cells.h"

struct TableShape {
    // Column lists as the user wrote them: 1-based numbers, ranges "2-4"
    // and header texts, separated by commas; empty: every column.
    std::string columns;
    std::string hide;
    // KEY[:n][:r],...: :n compares as numbers, :r reverses.
    std::string sort;
    int64_t head = -1;  // body rows kept from the top; -1: all
    int64_t tail = -1;  // and then from the bottom
    bool transpose = false;

    bool any() const {
        return !columns.empty() || !hide.empty() || !sort.empty() || head >= 0 || tail >= 0 ||
               transpose;
    }
};

// Whether a column list or sort keys can be read at all, whatever the table:
// no empty item, no range running backwards, no column 0, no unknown suffix.
bool column_list_valid(std::string_view list);
bool sort_keys_valid(std::string_view keys);

// Which rows (the header first) and columns of a table are shown, in order.
struct ShapePlan {
    Refusal refusal;  // NoSuchColumn, naming the column asked for
    std::vector<size_t> rows;
    std::vector<size_t> columns;
    // Rows as they stand, unless columns are chosen or turned: a ragged row
    // is refused or written as it would be without the shape.
    bool wholeRows = true;
    bool transpose = false;
    int64_t rowsLeftOut = 0;  // by head and tail
    bool tailOnly = false;    // the rows left out came before the ones shown

    bool ok() const { return refusal.kind == RefusalKind::None; }
};

// The first row is the header: names match it, and it stays first.
ShapePlan plan_shape(const ShapeCells& cells, const TableShape& shape);

struct ShapedTable {
    Table table;
    Refusal refusal;          // NoSuchColumn, naming the column asked for
    int64_t rowsLeftOut = 0;  // by head and tail
    bool tailOnly = false;    // the rows left out came before the ones shown

    bool ok() const { return refusal.kind == RefusalKind::None; }
};

// The first row is the header: names match it, and it stays first. The
// shaped table's cells are spans of the given table's text, which must
// outlive it.
ShapedTable shape_table(const Table& table, const TableShape& shape);
