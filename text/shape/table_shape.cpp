#include "text/shape/table_shape.h"

#include <algorithm>

#include "text/shape/column_list.h"
#include "text/shape/row_order.h"

namespace {

size_t widest_row(const Table& table) {
    size_t columns = 0;
    for (const Row& row : table.rows()) {
        columns = std::max(columns, row.size());
    }
    return columns;
}

Refusal resolve_list(std::string_view list, const Row& header, size_t columns,
                     std::vector<size_t>& resolved) {
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
Refusal shown_columns(const Table& table, const TableShape& shape, std::vector<size_t>& shown) {
    const size_t columns = widest_row(table);
    const Row header = table.rows().front();
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

Refusal resolved_keys(const Table& table, std::string_view sort, std::vector<ResolvedKey>& keys) {
    std::optional<std::vector<SortKey>> given = sort_keys(sort);
    if (!given) {
        return refusal_of(RefusalKind::NoSuchColumn);
    }
    const size_t columns = widest_row(table);
    for (const SortKey& key : *given) {
        std::vector<size_t> column;
        Refusal refusal = resolve_item(key.column, table.rows().front(), columns, column);
        if (refusal.kind != RefusalKind::None) {
            return refusal;
        }
        keys.push_back(ResolvedKey{column.front(), key.numeric, key.reversed});
    }
    return Refusal{};
}

// Rows 1.. in their order, then cut by head and tail.
std::vector<size_t> body_rows(const Table& table, const std::vector<ResolvedKey>& keys,
                              const TableShape& shape, ShapedTable& shaped) {
    std::vector<size_t> rows;
    if (!keys.empty()) {
        rows = sorted_body_rows(table, keys);
    } else {
        for (size_t row = 1; row < table.rows().size(); ++row) {
            rows.push_back(row);
        }
    }
    const size_t all = rows.size();
    if (shape.head >= 0 && static_cast<uint64_t>(shape.head) < rows.size()) {
        rows.resize(static_cast<size_t>(shape.head));
    }
    if (shape.tail >= 0 && static_cast<uint64_t>(shape.tail) < rows.size()) {
        rows.erase(rows.begin(), rows.end() - static_cast<std::ptrdiff_t>(shape.tail));
        shaped.tailOnly = shape.head < 0;
    }
    shaped.rowsLeftOut = static_cast<int64_t>(all - rows.size());
    return rows;
}

void add_cell_of(Table& out, const Row& row, size_t column) {
    if (column < row.size()) {
        const Cell cell = row[column];
        out.add_cell(cell.text, cell.line, cell.column);
    } else {
        out.add_cell(std::string_view(), 0, 0);
    }
}

void add_row(Table& out, const Row& row) {
    for (const Cell cell : row) {
        out.add_cell(cell.text, cell.line, cell.column);
    }
    out.end_row();
}

// Rows keep their own length unless columns are chosen or turned, so that a
// ragged row is refused or written as it would be without the shape.
void build(const Table& table, const std::vector<size_t>& rows, const std::vector<size_t>& columns,
           const TableShape& shape, Table& out) {
    out.borrow(table.text());
    out.encoding = table.encoding;
    const Rows all = table.rows();
    if (shape.columns.empty() && shape.hide.empty() && !shape.transpose) {
        for (size_t row : rows) {
            add_row(out, all[row]);
        }
        return;
    }
    if (!shape.transpose) {
        for (size_t row : rows) {
            const Row cells = all[row];
            for (size_t column : columns) {
                add_cell_of(out, cells, column);
            }
            out.end_row();
        }
        return;
    }
    std::vector<Row> chosen;
    chosen.reserve(rows.size());
    for (size_t row : rows) {
        chosen.push_back(all[row]);
    }
    for (size_t column : columns) {
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

ShapedTable shape_table(const Table& table, const TableShape& shape) {
    ShapedTable shaped;
    if (table.rows().empty()) {
        shaped.table.encoding = table.encoding;
        return shaped;
    }
    std::vector<size_t> columns;
    std::vector<ResolvedKey> keys;
    shaped.refusal = shown_columns(table, shape, columns);
    if (shaped.ok() && !shape.sort.empty()) {
        shaped.refusal = resolved_keys(table, shape.sort, keys);
    }
    if (!shaped.ok()) {
        return shaped;
    }
    std::vector<size_t> rows = body_rows(table, keys, shape, shaped);
    rows.insert(rows.begin(), 0);
    build(table, rows, columns, shape, shaped.table);
    return shaped;
}
