#include <cstring>

#include "core/frame_core.h"

namespace {
// The parser's own lead-byte rule: 0xF0 and above count as single bytes here.
bool is_parser_lead_byte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF);
}

struct LineCursor {
    int32_t cellStart;
    int32_t cellLength = 0;
    int32_t cellCount = 0;
};

int close_cell(FrameTable& table, LineCursor& cursor, int32_t* lineNumber) {
    int result = ft_link_cell(table.grid, table.rows, cursor.cellStart, cursor.cellLength);
    if (result != FT_OK) {
        *lineNumber = table.rows + 1;
        return result;
    }
    ++cursor.cellCount;
    return FT_OK;
}
}  // namespace

int ft_add_line(const char* line, int32_t* lineNumber, char separator) {
    if (line == nullptr || lineNumber == nullptr) {
        return FT_BAD_ARGUMENT;
    }
    FrameTable& table = ft_table();
    const size_t base = std::strlen(table.pool);
    const size_t length = std::strlen(line);
    if (base + length > static_cast<size_t>(FT_POOL_TEXT_MAX)) {
        return FT_POOL_FULL;
    }
    std::memcpy(table.pool + base, line, length + 1);

    const auto poolBase = static_cast<int32_t>(base);
    const auto lineLength = static_cast<int32_t>(length);
    LineCursor cursor{line[0] == separator && lineLength > 0 ? poolBase + 1 : poolBase};
    bool inTwoByte = false;
    bool endsInSeparator = false;
    for (int32_t j = 0; j < lineLength; ++j) {
        const auto b = static_cast<unsigned char>(line[j]);
        endsInSeparator = false;
        if (is_parser_lead_byte(b)) {
            inTwoByte = !inTwoByte;
            ++cursor.cellLength;
        } else if (inTwoByte) {
            inTwoByte = false;
            ++cursor.cellLength;
        } else if (b != static_cast<unsigned char>(separator)) {
            ++cursor.cellLength;
        } else {
            endsInSeparator = true;
            if (j == 0) {
                continue;
            }
            int result = close_cell(table, cursor, lineNumber);
            if (result != FT_OK) {
                return result;
            }
            cursor.cellLength = 0;
            cursor.cellStart = poolBase + j + 1;
        }
    }
    if (!endsInSeparator) {
        int result = close_cell(table, cursor, lineNumber);
        if (result != FT_OK) {
            return result;
        }
    }
    if (table.rows != 0 && cursor.cellCount != table.columns) {
        *lineNumber = table.rows + 1;
        return FT_BAD_SHAPE;
    }
    table.columns = cursor.cellCount;
    ++table.rows;
    return FT_OK;
}
