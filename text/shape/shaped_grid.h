// The shape stage on a grid of spans of the input, as plain tables are
// framed: the cells stay spans, only their order changes.
#pragma once

#include <string_view>

#include "text/cell_grid.h"
#include "text/shape/table_shape.h"

class GridCells : public ShapeCells {
  public:
    GridCells(std::string_view text, const CellGrid& grid, TextEncoding encoding)
        : text_(text), grid_(grid), encoding_(encoding) {}
    size_t rows() const override { return static_cast<size_t>(grid_.rows); }
    size_t cells(size_t) const override { return static_cast<size_t>(grid_.columns); }
    std::string_view cell(size_t row, size_t column) const override {
        const CellSpan& span = grid_.cells[row * static_cast<size_t>(grid_.columns) + column];
        return text_.substr(static_cast<size_t>(span.start), static_cast<size_t>(span.length));
    }
    TextEncoding encoding() const override { return encoding_; }

  private:
    std::string_view text_;
    const CellGrid& grid_;
    TextEncoding encoding_;
};

// The grid's cells in the plan's rows and columns, turned when it says so.
CellGrid shaped_grid(const CellGrid& grid, const ShapePlan& plan);
