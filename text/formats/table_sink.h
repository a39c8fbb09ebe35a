// A delimited reader's cells into the table value, each with its place.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "text/formats/delimited_reader.h"
#include "text/formats/table.h"
#include "text/formats/text_scan.h"

class TableSink {
  public:
    static constexpr bool kOnePass = false;

    TableSink(std::string_view text, TextEncoding encoding, TableRead& read)
        : text_(text), read_(read) {
        read_.table.borrow(text);
        read_.table.encoding = encoding;
    }

    void begin_row(size_t) {}

    bool cell(const delimited::CellRead& cell, int32_t) {
        const std::string_view source = text_.substr(cell.start, cell.end - cell.start);
        if (cell.doubledQuotes == 0) {
            read_.table.add_cell(source, cell.place);
            return true;
        }
        // Only a cell that doubles a quote needs storage of its own.
        std::string& text = read_.table.open_cell(cell.place);
        for (size_t at = 0; at < source.size(); ++at) {
            text += source[at];
            at += source[at] == '"' ? 1 : 0;  // the quote that doubled it
        }
        return true;
    }

    bool end_row(size_t lineStart, size_t lineEnd, int32_t) {
        emptyRowsAtEnd_ = lineEnd == lineStart ? emptyRowsAtEnd_ + 1 : 0;
        read_.table.end_row();
        if (read_.table.rows().size() == 1) {
            // Room for as many rows as the first line's length gives: growing
            // the cells one doubling at a time touches half as much again.
            const size_t rows = text_.size() / (lineEnd - lineStart + 1) + 1;
            // A cell takes at least its separator, so none has more cells than bytes.
            read_.table.reserve_cells(std::min(rows * read_.table.cell_count(), text_.size() + 1));
        }
        return true;
    }

    bool refuse(RefusalKind kind, size_t offset) {
        read_.refusal = formats::refusal_at(text_, read_.table.encoding, kind, offset);
        return false;
    }

    // The empty lines at the end, which csv does not count as rows.
    void drop_empty_rows_at_end() {
        for (; emptyRowsAtEnd_ > 0; --emptyRowsAtEnd_) {
            read_.table.drop_last_row();
        }
    }

  private:
    std::string_view text_;
    TableRead& read_;
    size_t emptyRowsAtEnd_ = 0;
};
