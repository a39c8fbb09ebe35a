// A delimited reader's cells straight into the CellGrid the frame renderer
// reads: spans of the input with their widths, no table value and no copies.
// A cell that doubles a quote is the one exception: its text, shorter than
// its quoted source, is written over that source in a copy of the input,
// made at the first such cell, so every span keeps its offset.
#pragma once

#include <string>
#include <string_view>

#include "core/line_cutter.h"
#include "text/cell_grid.h"
#include "text/cell_width.h"
#include "text/formats/delimited_reader.h"
#include "text/large_buffers.h"
#include "text/refusal.h"
#include "text/unicode/display_width.h"

// The cells read, and the text their spans are offsets in.
struct GridRead {
    CellGrid grid;
    // The input with its doubled quotes undone, when any was. In small pages:
    // in huge ones, the copy took a 1 MiB table past its memory budget.
    std::string unquoted;

    std::string_view text_of(std::string_view input) const {
        return unquoted.empty() ? input : std::string_view(unquoted);
    }
};

// kOnePass: the input unchecked, anything out of the ordinary stops the read
// (a row too long or short among it). Otherwise psv after the input check:
// a row with more or fewer cells than the first is refused as RaggedRow.
template <bool kOnePassRead>
class GridSink {
  public:
    static constexpr bool kOnePass = kOnePassRead;

    GridSink(std::string_view text, TextEncoding encoding, WidthModel model, GridRead& read)
        : text_(text), cp932_(encoding == TextEncoding::Cp932), model_(model), read_(read) {}

    void begin_row(size_t lineStart) { lineStart_ = lineStart; }

    bool cell(const delimited::CellRead& cell, int32_t cells) {
        CellGrid& grid = read_.grid;
        if (grid.rows != 0 && cells > grid.columns) {
            return ragged(cell.start - 1, -1);
        }
        // Filled in place: a cell pushed whole went through memory, where its
        // two halves were written apart and read back as one.
        CellSpan& span = grid.cells.emplace_back();
        span.start = static_cast<int32_t>(cell.start);
        if (cell.doubledQuotes == 0 && cell.measured) {
            span.length = static_cast<int32_t>(cell.end - cell.start);
            span.width = cell.width;
            return true;
        }
        const std::string_view text = cell_text(cell);
        span.length = static_cast<int32_t>(text.size());
        span.width = cell.measured ? cell.width : width_of(text);
        return true;
    }

    bool end_row(size_t lineStart, size_t lineEnd, int32_t cells) {
        CellGrid& grid = read_.grid;
        if (grid.rows == 0) {
            grid.columns = cells;
            // The rows, guessed from the first line's length, so that the
            // cells seldom move.
            const size_t lineBytes = lineEnd - lineStart + 1;
            grid.cells.reserve((text_.size() / lineBytes + 1) * static_cast<size_t>(cells));
        } else if (cells != grid.columns) {
            return ragged(lineEnd, cells);
        }
        ++grid.rows;
        return true;
    }

    bool refuse(RefusalKind, size_t) { return false; }

    const Refusal& refusal() const { return refusal_; }

  private:
    // The cell's text; one that doubles a quote is undone into the copy.
    std::string_view cell_text(const delimited::CellRead& cell) {
        const std::string_view source = text_.substr(cell.start, cell.end - cell.start);
        if (cell.doubledQuotes == 0) {
            return source;
        }
        std::string& copy = read_.unquoted;
        if (copy.empty()) {
            copy.reserve(text_.size());
            populate_for_writing(copy.data(), text_.size());
            copy.assign(text_);
        }
        size_t to = cell.start;
        for (size_t at = 0; at < source.size(); ++at) {
            copy[to++] = source[at];
            at += source[at] == '"' ? 1 : 0;  // the quote that doubled it
        }
        return std::string_view(copy).substr(cell.start, to - cell.start);
    }

    int32_t width_of(std::string_view text) const {
        if (cp932_) {
            return static_cast<int32_t>(text.size());
        }
        if (kOnePass) {
            return static_cast<int32_t>(display_width(text, model_));
        }
        return measure_utf8_cell(text.data(), static_cast<int32_t>(text.size()), model_);
    }

    // found: the line's cells, or -1 to count them.
    bool ragged(size_t offset, int32_t found) {
        if (kOnePass) {
            return false;
        }
        const text_rules::Line line = text_rules::line_at(text_, lineStart_);
        if (found < 0) {
            FtLineRule rule;
            rule.tabSeparates = true;
            rule.cp932 = cp932_;
            found = cut_line_cells(text_.data() + line.start,
                                   static_cast<int32_t>(line.end - line.start), rule,
                                   [](int32_t, int32_t) { return true; })
                        .cells;
        }
        refusal_ = refusal_of(RefusalKind::RaggedRow);
        const text_rules::TextPlace place = text_rules::place_of(text_, offset, cp932_);
        refusal_.line = place.line;
        refusal_.column = place.column;
        refusal_.found = found;
        refusal_.limit = read_.grid.columns;
        return false;
    }

    std::string_view text_;
    bool cp932_;
    WidthModel model_;
    GridRead& read_;
    Refusal refusal_;
    size_t lineStart_ = 0;
};
