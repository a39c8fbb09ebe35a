// A table's cells as the shape stage reads them, whether a table value or a
// grid of spans of the input holds them.
#pragma once

#include <cstddef>
#include <string_view>

#include "text/formats/table.h"

class ShapeCells {
  public:
    virtual ~ShapeCells() = default;
    virtual size_t rows() const = 0;
    virtual size_t cells(size_t row) const = 0;
    // Only for column < cells(row).
    virtual std::string_view cell(size_t row, size_t column) const = 0;
    virtual TextEncoding encoding() const = 0;
};

class TableCells : public ShapeCells {
  public:
    explicit TableCells(const Table& table) : table_(table), rows_(table.rows()) {}
    size_t rows() const override { return rows_.size(); }
    size_t cells(size_t row) const override { return rows_[row].size(); }
    std::string_view cell(size_t row, size_t column) const override {
        return rows_[row][column].text;
    }
    TextEncoding encoding() const override { return table_.encoding; }

  private:
    const Table& table_;
    Rows rows_;
};
