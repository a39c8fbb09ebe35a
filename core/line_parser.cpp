#include <cstring>

#include "core/byte_copy.h"
#include "core/frame_core.h"
#include "core/grid_cursor.h"
#include "core/line_cutter.h"

namespace {
// Most lines are short: a few byte tests beat a library call for them.
size_t line_length(const char* line) {
    constexpr size_t kShort = 16;
    for (size_t n = 0; n < kShort; ++n) {
        if (line[n] == '\0') {
            return n;
        }
    }
    return kShort + std::strlen(line + kShort);
}

int32_t width_of(const FtLineRule& rule, const char* text, int32_t length) {
    if (rule.measure == nullptr) {
        return length;
    }
    return rule.measure(text, length, rule.measureContext);
}

// A line's cells wait here and are linked a batch at a time, which lets the
// grid take a whole row in one tight loop. Linking stops at the first cell
// refused, as if each cell had been linked the moment it was cut.
class RowCells {
  public:
    RowCells(FrameTable& table, const FtLineRule& rule, const char* line, int32_t poolBase)
        : table_(table), rule_(rule), line_(line), poolBase_(poolBase) {}

    bool take(int32_t start, int32_t end) {
        if (waiting_ == kBatch && !link_waiting()) {
            return false;
        }
        waiting_ += 1;
        starts_[waiting_ - 1] = start;
        spans_[waiting_ - 1] = CellSpan{poolBase_ + start, end - start, 0};
        return true;
    }

    // Links the waiting cells; false when one was refused.
    bool link_waiting() {
        for (int32_t k = 0; k < waiting_; ++k) {
            spans_[k].width = width_of(rule_, line_ + starts_[k], spans_[k].length);
        }
        int32_t linked = 0;
        if (table_.grid != nullptr) {
            const RowLinked fast = grid_link_row(table_.grid, table_.rows, spans_, waiting_);
            linked = fast.cells;
            linkResult = fast.result;
        }
        for (; linkResult == FT_OK && linked < waiting_; ++linked) {
            const CellSpan& span = spans_[linked];
            linkResult =
                ft_link_cell(table_.grid, table_.rows, span.start, span.length, span.width);
            if (linkResult != FT_OK) {
                break;
            }
        }
        if (linkResult != FT_OK) {
            refusedAt = starts_[linked];
        }
        waiting_ = 0;
        return linkResult == FT_OK;
    }

    int linkResult = FT_OK;
    int32_t refusedAt = -1;  // the line offset of the cell refused

  private:
    static constexpr int32_t kBatch = 64;
    FrameTable& table_;
    const FtLineRule& rule_;
    const char* line_;
    int32_t poolBase_;
    int32_t waiting_ = 0;
    int32_t starts_[kBatch];
    CellSpan spans_[kBatch];
};
}  // namespace

int ft_add_line_with(const char* line, int32_t length, const FtLineRule& rule, int32_t* lineNumber,
                     int32_t* failedAt) {
    if (line == nullptr || lineNumber == nullptr || failedAt == nullptr || length < 0) {
        return FT_BAD_ARGUMENT;
    }
    FrameTable& table = ft_table();
    if (int64_t{table.poolUsed} + length > table.poolTextMax) {
        return FT_POOL_FULL;
    }
    char* copy = table.pool + table.poolUsed;
    byte_copy::copy(copy, line, static_cast<size_t>(length));
    copy[length] = '\0';
    const int32_t poolBase = table.poolUsed;
    table.poolUsed += length;

    RowCells row{table, rule, copy, poolBase};
    // The cut reads the caller's line, not the copy just written, whose bytes
    // a wide load could not take straight from the pending stores.
    const LineCells cut = cut_line_cells(
        line, length, rule, [&row](int32_t start, int32_t end) { return row.take(start, end); });
    if (cut.stopped || !row.link_waiting()) {
        *lineNumber = table.rows + 1;
        *failedAt = row.refusedAt > 0 ? row.refusedAt - 1 : 0;
        return row.linkResult;
    }
    if (table.rows != 0 && cut.cells != table.columns) {
        *lineNumber = table.rows + 1;
        *failedAt = length;
        return FT_BAD_SHAPE;
    }
    table.columns = cut.cells;
    ++table.rows;
    return FT_OK;
}

int ft_add_line(const char* line, int32_t* lineNumber, char separator) {
    if (line == nullptr || lineNumber == nullptr) {
        return FT_BAD_ARGUMENT;
    }
    FtLineRule rule;
    rule.separator = separator;
    int32_t failedAt = 0;
    return ft_add_line_with(line, static_cast<int32_t>(line_length(line)), rule, lineNumber,
                            &failedAt);
}
