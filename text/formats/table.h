// A table as rows of cells: the value every reader makes and every writer
// and face reads. The readers and writers are in table_formats.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_rules.h"
#include "text/refusal.h"
#include "text/text_types.h"

// Where a cell starts (after trimming): the byte offset in the text its table
// was read from, or, in a table built from rows, the line and column given
// (Table::given_place). Only a refusal turns it into a line and column, so
// reading counts nothing per cell.
using CellPlace = uint64_t;
// A cell standing in for one a row lacks: it has no place.
inline constexpr CellPlace kNoPlace = ~CellPlace{0};

// One cell: its text, and where it starts. The text is the table's: it lives
// as long as the table.
struct Cell {
    std::string_view text;
    CellPlace place = 0;
};

class Table;

// The cells of one row, read in place.
class Row {
  public:
    class Iterator {
      public:
        Iterator(const Row* row, size_t index) : row_(row), index_(index) {}
        Cell operator*() const { return (*row_)[index_]; }
        Iterator& operator++() {
            ++index_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return index_ != other.index_; }

      private:
        const Row* row_;
        size_t index_;
    };

    Row(const Table& table, size_t first, size_t count)
        : table_(&table), first_(first), count_(count) {}
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    Cell operator[](size_t index) const;
    Cell front() const { return (*this)[0]; }
    Cell back() const { return (*this)[count_ - 1]; }
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, count_); }
    const Table& table() const { return *table_; }

  private:
    const Table* table_;
    size_t first_;
    size_t count_;
};

// The rows of a table, read in place.
class Rows {
  public:
    class Iterator {
      public:
        Iterator(const Rows* rows, size_t index) : rows_(rows), index_(index) {}
        Row operator*() const { return (*rows_)[index_]; }
        Iterator& operator++() {
            ++index_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return index_ != other.index_; }

      private:
        const Rows* rows_;
        size_t index_;
    };

    explicit Rows(const Table& table);
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    Row operator[](size_t index) const;
    Row front() const { return (*this)[0]; }
    Row back() const { return (*this)[count_ - 1]; }
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, count_); }

  private:
    const Table* table_;
    size_t count_;
};

// A table as a value: each cell a span of one text, row after row, so
// reading a table costs a few allocations however many cells it has. The
// text is the table's own string, or the input it was read from while that
// lives: most cells are spans of the input as they stand. Rows may differ in
// length; writers that need a shape check it.
class Table {
  public:
    TextEncoding encoding = TextEncoding::Utf8;  // of every cell's text

    // Building, for readers. A cell's text is what is appended to the string
    // open_cell returns, until the next cell or row begins.
    std::string& open_cell(CellPlace place);
    // A view of the input being borrowed is kept as a span of it, uncopied.
    void add_cell(std::string_view text, CellPlace place);
    void end_row();
    void drop_last_row();
    void reserve_cells(size_t cells) { cells_.reserve(cells); }
    void clear();
    // Cells added as views of input are spans of it, which must outlive the
    // table or its own_text(). The first cell built by open_cell copies the
    // input once, so that the spans stay offsets of the table's text.
    void borrow(std::string_view input);
    // Copies the cells' text into the table's own string, if borrowed.
    void own_text();

    // Places are offsets in the input borrowed, or in the source given here,
    // which must outlive every refusal that names a cell. A table with neither
    // is built from rows, its places given.
    void place_in(std::string_view source) { source_ = source; }
    static CellPlace given_place(int64_t line, int64_t column);
    // A table made from another's cells places them as that one does.
    void place_as(const Table& other) { source_ = other.source_; }
    // Turns the places into the lines and columns they name, for a table
    // that outlives its source: one pass over the source, cells in its order.
    // A source cut from a text below linesAbove of its lines names the text's.
    void own_places(int64_t linesAbove = 0);
    text_rules::TextPlace place_of(const Cell& cell) const;

    Rows rows() const { return Rows(*this); }
    // What every cell is a span of: the cells' text end to end, or the input
    // they were read from, separators and all.
    std::string_view text() const { return owned_ ? std::string_view(own_) : borrowed_; }
    // Whether any cell's text holds one of bytes.
    bool cells_hold_any(std::string_view bytes) const;
    size_t cell_count() const { return cells_.size(); }

  private:
    friend class Row;
    friend class Rows;

    // Sixteen bytes a cell: texts up to 4 GiB.
    struct Span {
        uint32_t start;
        uint32_t length;
        CellPlace place;
    };

    void close_cell();
    void copy_borrowed();
    void add_cell_apart(std::string_view text, CellPlace place);
    bool borrows(std::string_view text) const {
        // Compared as addresses: a view of any other string is not the input's.
        const auto at = reinterpret_cast<uintptr_t>(text.data());
        const auto from = reinterpret_cast<uintptr_t>(borrowed_.data());
        return !borrowed_.empty() && at >= from && at + text.size() <= from + borrowed_.size();
    }
    bool cells_hold_byte(char byte) const;

    std::string own_;
    std::string_view borrowed_;  // the input while the text is not own_
    std::optional<std::string_view> source_;  // what places are offsets in
    std::vector<Span> cells_;
    std::vector<size_t> rowEnds_;  // one past each row's last cell
    bool cellOpen_ = false;
    bool owned_ = true;
    bool compact_ = true;  // text() holds nothing but cells' text
};

// Inline: readers add most cells as spans of the input, one at a time.
inline void Table::add_cell(std::string_view text, CellPlace place) {
    if (!cellOpen_ && !text.empty() && borrows(text)) {
        cells_.push_back(Span{static_cast<uint32_t>(text.data() - borrowed_.data()),
                              static_cast<uint32_t>(text.size()), place});
        compact_ = false;
        return;
    }
    add_cell_apart(text, place);
}

// Inline: every reader, writer and shape reads cells through it.
inline Cell Row::operator[](size_t index) const {
    const Table::Span& span = table_->cells_[first_ + index];
    const std::string_view text = table_->text();
    return {std::string_view(text.data() + span.start, span.length), span.place};
}

inline Row Rows::operator[](size_t index) const {
    const size_t first = index == 0 ? 0 : table_->rowEnds_[index - 1];
    return Row(*table_, first, table_->rowEnds_[index] - first);
}

struct TableRead {
    Table table;
    Refusal refusal;
    // A frame's rows spanning it over the header and under the last row,
    // their lines joined by line feeds; they are not the table's rows.
    std::string title;
    std::string footer;

    bool ok() const { return refusal.kind == RefusalKind::None; }
};
