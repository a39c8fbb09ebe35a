#include <cstring>

#include "core/byte_copy.h"
#include "core/frame_core.h"
#include "core/line_cells.h"

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

    int linkResult = FT_OK;
    const LineCells cut = cut_line_cells(copy, length, rule, [&](int32_t start, int32_t end) {
        const int32_t cellLength = end - start;
        linkResult = ft_link_cell(table.grid, table.rows, poolBase + start, cellLength,
                                  width_of(rule, copy + start, cellLength));
        return linkResult == FT_OK;
    });
    if (cut.stopped) {
        *lineNumber = table.rows + 1;
        *failedAt = cut.stoppedAt > 0 ? cut.stoppedAt - 1 : 0;
        return linkResult;
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
