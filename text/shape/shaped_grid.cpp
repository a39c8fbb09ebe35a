#include "text/shape/shaped_grid.h"

CellGrid shaped_grid(const CellGrid& grid, const ShapePlan& plan) {
    const auto width = static_cast<size_t>(grid.columns);
    const auto at = [&](size_t row, size_t column) { return grid.cells[row * width + column]; };
    CellGrid shaped;
    std::vector<size_t> columns = plan.columns;
    if (plan.wholeRows) {
        columns.clear();
        for (size_t column = 0; column < width; ++column) {
            columns.push_back(column);
        }
    }
    shaped.cells.reserve(plan.rows.size() * columns.size());
    if (plan.transpose) {
        for (size_t column : columns) {
            for (size_t row : plan.rows) {
                shaped.cells.push_back(at(row, column));
            }
        }
        shaped.rows = static_cast<int32_t>(columns.size());
        shaped.columns = columns.empty() ? 0 : static_cast<int32_t>(plan.rows.size());
        return shaped;
    }
    for (size_t row : plan.rows) {
        for (size_t column : columns) {
            shaped.cells.push_back(at(row, column));
        }
    }
    shaped.rows = static_cast<int32_t>(plan.rows.size());
    shaped.columns = static_cast<int32_t>(columns.size());
    return shaped;
}
