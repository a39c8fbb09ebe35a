#include "text/shape/table_shape.h"

#include <algorithm>

#include "text/shape/column_list.h"
#include "text/shape/row_order.h"

namespace {

size_t widest_row(const ShapeCells& cells) {
    size_t columns = 0;
    for (size_t row = 0; row < cells.rows(); ++row) {
        columns = std::max(columns, cells.cells(row));
    }
    return columns;
}

std::vector<std::string_view> header_of(const ShapeCells& cells) {
    std::vector<std::string_view> header;
    for (size_t column = 0; column < cells.cells(0); ++column) {
        header.push_back(cells.cell(0, column));
    }
    return header;
}

Refusal resolve_list(std::string_view list, const std::vector<std::string_view>& header,
                     size_t columns, std::vector<size_t>& resolved) {
    std::optional<std::vector<ColumnItem>> items = column_items(list);
    if (!items) {
        return refusal_of(RefusalKind::NoSuchColumn);  // faces check the list when it is set
    }
    for (const ColumnItem& item : *items) {
        Refusal refusal = resolve_item(item, header, columns, resolved);
        if (refusal.kind != RefusalKind::None) {
            return refusal;
        }
    }
    return Refusal{};
}

// The columns shown, in order: those listed (or all), less those hidden.
Refusal shown_columns(const std::vector<std::string_view>& header, size_t columns,
                      const TableShape& shape, std::vector<size_t>& shown) {
    if (shape.columns.empty()) {
        for (size_t column = 0; column < columns; ++column) {
            shown.push_back(column);
        }
    } else if (Refusal refusal = resolve_list(shape.columns, header, columns, shown);
               refusal.kind != RefusalKind::None) {
        return refusal;
    }
    if (shape.hide.empty()) {
        return Refusal{};
    }
    std::vector<size_t> hidden;
    Refusal refusal = resolve_list(shape.hide, header, columns, hidden);
    shown.erase(std::remove_if(shown.begin(), shown.end(),
                               [&](size_t column) {
                                   return std::find(hidden.begin(), hidden.end(), column) !=
                                          hidden.end();
                               }),
                shown.end());
    return refusal;
}

Refusal resolved_keys(const std::vector<std::string_view>& header, size_t columns,
                      std::string_view sort, std::vector<ResolvedKey>& keys) {
    std::optional<std::vector<SortKey>> given = sort_keys(sort);
    if (!given) {
        return refusal_of(RefusalKind::NoSuchColumn);
    }
    for (const SortKey& key : *given) {
        std::vector<size_t> column;
        Refusal refusal = resolve_item(key.column, header, columns, column);
        if (refusal.kind != RefusalKind::None) {
            return refusal;
        }
        keys.push_back(ResolvedKey{column.front(), key.numeric, key.reversed});
    }
    return Refusal{};
}

// Rows 1.. in their order, then cut by head and tail.
void plan_rows(const ShapeCells& cells, const std::vector<ResolvedKey>& keys,
               const TableShape& shape, ShapePlan& plan) {
    std::vector<size_t>& rows = plan.rows;
    if (!keys.empty()) {
        rows = sorted_body_rows(cells, keys);
    } else {
        for (size_t row = 1; row < cells.rows(); ++row) {
            rows.push_back(row);
        }
    }
    const size_t all = rows.size();
    if (shape.head >= 0 && static_cast<uint64_t>(shape.head) < rows.size()) {
        rows.resize(static_cast<size_t>(shape.head));
    }
    if (shape.tail >= 0 && static_cast<uint64_t>(shape.tail) < rows.size()) {
        rows.erase(rows.begin(), rows.end() - static_cast<std::ptrdiff_t>(shape.tail));
        plan.tailOnly = shape.head < 0;
    }
    plan.rowsLeftOut = static_cast<int64_t>(all - rows.size());
    rows.insert(rows.begin(), 0);
}

void add_cell_of(Table& out, const Row& row, size_t column) {
    if (column < row.size()) {
        const Cell cell = row[column];
        out.add_cell(cell.text, cell.place);
    } else {
        out.add_cell(std::string_view(), kNoPlace);
    }
}

void add_row(Table& out, const Row& row) {
    for (const Cell cell : row) {
        out.add_cell(cell.text, cell.place);
    }
    out.end_row();
}

void build(const Table& table, const ShapePlan& plan, Table& out) {
    out.borrow(table.text());
    out.place_as(table);
    out.encoding = table.encoding;
    const Rows all = table.rows();
    if (plan.wholeRows) {
        for (size_t row : plan.rows) {
            add_row(out, all[row]);
        }
        return;
    }
    if (!plan.transpose) {
        for (size_t row : plan.rows) {
            const Row cells = all[row];
            for (size_t column : plan.columns) {
                add_cell_of(out, cells, column);
            }
            out.end_row();
        }
        return;
    }
    std::vector<Row> chosen;
    chosen.reserve(plan.rows.size());
    for (size_t row : plan.rows) {
        chosen.push_back(all[row]);
    }
    for (size_t column : plan.columns) {
        for (const Row& cells : chosen) {
            add_cell_of(out, cells, column);
        }
        out.end_row();
    }
}

}  // namespace

bool column_list_valid(std::string_view list) {
    return column_items(list).has_value();
}

bool sort_keys_valid(std::string_view keys) {
    return sort_keys(keys).has_value();
}

ShapePlan plan_shape(const ShapeCells& cells, const TableShape& shape) {
    ShapePlan plan;
    plan.wholeRows = shape.columns.empty() && shape.hide.empty() && !shape.transpose;
    plan.transpose = shape.transpose;
    if (cells.rows() == 0) {
        return plan;
    }
    const std::vector<std::string_view> header = header_of(cells);
    const size_t columns = widest_row(cells);
    std::vector<ResolvedKey> keys;
    plan.refusal = shown_columns(header, columns, shape, plan.columns);
    if (plan.ok() && !shape.sort.empty()) {
        plan.refusal = resolved_keys(header, columns, shape.sort, keys);
    }
    if (plan.ok()) {
        plan_rows(cells, keys, shape, plan);
    }
    return plan;
}

ShapedTable shape_table(const Table& table, const TableShape& shape) {
    ShapedTable shaped;
    shaped.table.encoding = table.encoding;
    if (table.rows().empty()) {
        return shaped;
    }
    const ShapePlan plan = plan_shape(TableCells(table), shape);
    shaped.refusal = plan.refusal;
    if (!plan.ok()) {
        return shaped;
    }
    shaped.rowsLeftOut = plan.rowsLeftOut;
    shaped.tailOnly = plan.tailOnly;
    build(table, plan, shaped.table);
    return shaped;
}
