#include <cstring>

#include "core/byte_copy.h"
#include "core/frame_core.h"
#include "core/special_byte_scan.h"

namespace {
// The parser's own lead-byte rule: 0xF0 and above count as single bytes here.
bool is_parser_lead_byte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF);
}

// The pool's text length. Lines are only ever appended after the text, whose
// rest is zero, so a remembered length is right exactly when it still ends
// the text; otherwise it is measured again.
size_t remembered = 0;

size_t pool_text_length(const FrameTable& table) {
    const bool stillEnds = remembered <= static_cast<size_t>(FT_POOL_TEXT_MAX) &&
                           table.pool[remembered] == '\0' &&
                           (remembered == 0 || table.pool[remembered - 1] != '\0');
    if (!stillEnds) {
        remembered = std::strlen(table.pool);
    }
    return remembered;
}

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

// Links the cell that runs from cellStart up to, not including, pool offset end.
int close_cell(FrameTable& table, int32_t cellStart, int32_t end, int32_t& cellCount,
               int32_t* lineNumber) {
    int result = ft_link_cell(table.grid, table.rows, cellStart, end - cellStart);
    if (result != FT_OK) {
        *lineNumber = table.rows + 1;
        return result;
    }
    ++cellCount;
    return FT_OK;
}
}  // namespace

int ft_add_line(const char* line, int32_t* lineNumber, char separator) {
    if (line == nullptr || lineNumber == nullptr) {
        return FT_BAD_ARGUMENT;
    }
    FrameTable& table = ft_table();
    const size_t base = pool_text_length(table);
    const size_t length = line_length(line);
    if (base + length > static_cast<size_t>(FT_POOL_TEXT_MAX)) {
        return FT_POOL_FULL;
    }
    byte_copy::copy(table.pool + base, line, length + 1);
    remembered = base + length;

    const auto poolBase = static_cast<int32_t>(base);
    const auto lineLength = static_cast<int32_t>(length);
    int32_t cellStart = poolBase;
    int32_t cellCount = 0;
    int32_t lastSeparator = -1;
    for (int32_t j = special_byte_scan::next_special(line, 0, lineLength, separator);
         j < lineLength; j = special_byte_scan::next_special(line, j, lineLength, separator)) {
        const auto b = static_cast<unsigned char>(line[j]);
        if (is_parser_lead_byte(b)) {
            j += 2;  // the second byte of a character is never a separator
            continue;
        }
        if (b == static_cast<unsigned char>(separator)) {
            lastSeparator = j;
            if (j > 0) {  // a leading separator opens no empty cell before it
                int result = close_cell(table, cellStart, poolBase + j, cellCount, lineNumber);
                if (result != FT_OK) {
                    return result;
                }
            }
            cellStart = poolBase + j + 1;
        }
        ++j;
    }
    const bool endsInSeparator = lineLength > 0 && lastSeparator == lineLength - 1;
    if (!endsInSeparator) {
        int result = close_cell(table, cellStart, poolBase + lineLength, cellCount, lineNumber);
        if (result != FT_OK) {
            return result;
        }
    }
    if (table.rows != 0 && cellCount != table.columns) {
        *lineNumber = table.rows + 1;
        return FT_BAD_SHAPE;
    }
    table.columns = cellCount;
    ++table.rows;
    return FT_OK;
}
