#include <cstring>

#include "core/byte_copy.h"
#include "core/cp932_lead_byte.h"
#include "core/frame_core.h"
#include "core/special_byte_scan.h"

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

struct LineParse {
    FrameTable& table;
    const FtLineRule& rule;
    const char* line;  // the line's copy in the pool
    int32_t poolBase;
    int32_t cellCount = 0;

    int32_t width_of(int32_t start, int32_t length) const {
        if (rule.measure == nullptr) {
            return length;
        }
        return rule.measure(table.pool + start, length, rule.measureContext);
    }

    // Links the cell from cellStart up to, not including, line offset end.
    int close_cell(int32_t cellStart, int32_t end, int32_t* lineNumber, int32_t* failedAt) {
        const int32_t start = poolBase + cellStart;
        const int32_t length = end - cellStart;
        int result = ft_link_cell(table.grid, table.rows, start, length, width_of(start, length));
        if (result != FT_OK) {
            *lineNumber = table.rows + 1;
            *failedAt = cellStart > 0 ? cellStart - 1 : 0;
            return result;
        }
        ++cellCount;
        return FT_OK;
    }
};

// Index of the next byte from `from` on that the parser must look at.
int32_t next_special(const char* line, int32_t from, int32_t length, const FtLineRule& rule) {
    if (rule.cp932) {
        return special_byte_scan::next_special(line, from, length, rule.separator);
    }
    for (; from < length; ++from) {
        if (line[from] == rule.separator || line[from] == '\t') {
            break;
        }
    }
    return from;
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
    LineParse parse{table, rule, copy, table.poolUsed};
    table.poolUsed += length;

    int32_t cellStart = 0;
    int32_t lastOuterBorder = -1;  // a separator that may end the line as its outer border
    for (int32_t j = next_special(copy, 0, length, rule); j < length;
         j = next_special(copy, j, length, rule)) {
        const auto b = static_cast<unsigned char>(copy[j]);
        if (rule.cp932 && cp932_is_lead_byte(b)) {
            j += 2;  // the second byte of a character is never a separator
            continue;
        }
        const bool bar = b == static_cast<unsigned char>(rule.separator);
        if (bar || (rule.tabSeparates && b == '\t')) {
            lastOuterBorder = bar ? j : -1;
            // A leading separator is the outer border and opens no empty cell before it.
            if (j > 0 || !bar) {
                int result = parse.close_cell(cellStart, j, lineNumber, failedAt);
                if (result != FT_OK) {
                    return result;
                }
            }
            cellStart = j + 1;
        }
        ++j;
    }
    const bool endsInBorder = length > 0 && lastOuterBorder == length - 1;
    if (!endsInBorder) {
        int result = parse.close_cell(cellStart, length, lineNumber, failedAt);
        if (result != FT_OK) {
            return result;
        }
    }
    if (table.rows != 0 && parse.cellCount != table.columns) {
        *lineNumber = table.rows + 1;
        *failedAt = length;
        return FT_BAD_SHAPE;
    }
    table.columns = parse.cellCount;
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
