// Measures a table and draws its frame. Reads only the view and the style
// table, so tables can be framed side by side.
#include <climits>
#include <cstring>
#include <initializer_list>

#include "core/allocator.h"
#include "core/frame_core.h"
#include "core/styles/frame_drawing.h"
#include "core/styles/frame_styles.h"

namespace {
struct Measure {
    int32_t* areas;         // per column: the widest text, then its area's width
    int64_t textOverWidth;  // sum over all cells of bytes less columns
    int64_t textExtent;     // where the last cell's text ends
};

void measure_cells(const TableView& table, Measure& measure) {
    if (table.leastWidths != nullptr) {
        std::memcpy(measure.areas, table.leastWidths,
                    sizeof(int32_t) * static_cast<size_t>(table.columns));
    }
    const CellSpan* cell = table.cells;
    for (int32_t row = 0; row < table.rows; ++row) {
        for (int32_t column = 0; column < table.columns; ++column, ++cell) {
            if (cell->width > measure.areas[column]) {
                measure.areas[column] = cell->width;
            }
            measure.textOverWidth += cell->length - cell->width;
            const int64_t end = int64_t{cell->start} + cell->length;
            measure.textExtent = end > measure.textExtent ? end : measure.textExtent;
        }
    }
}

// Exact byte length of the frame without its terminator, in 64 bits: a table
// of many empty rows would overflow 32.
int64_t frame_length(const EncodedStyle& style, const Measure& measure, const TableView& table) {
    const int32_t columns = table.columns;
    int64_t areaSum = 0;
    for (int32_t c = 0; c < columns; ++c) {
        areaSum += measure.areas[c];
    }
    const int64_t contentFixed = border_bytes(style.content, columns) + areaSum;
    int64_t length = rule_line_bytes(style.top, measure.areas, columns) +
                     table.rows * contentFixed + measure.textOverWidth +
                     rule_line_bytes(style.bottom, measure.areas, columns);
    const int32_t rowRules = ft_row_rules(table);
    if (rowRules >= 1 && table.rules != FT_RULES_NONE) {
        length += rule_line_bytes(style.header, measure.areas, columns);
    }
    if (rowRules >= 2 && table.rules == FT_RULES_ALL) {
        length += (rowRules - 1) * rule_line_bytes(style.inner, measure.areas, columns);
    }
    return length;
}

int render_measured(const TableView& table, int32_t frameType, int32_t positionType,
                    const FtLook& look, Measure& measure, FtReserve reserve, void* context) {
    const FrameStyle& style = kFrameStyles[frameType - 1];
    measure_cells(table, measure);
    for (int32_t c = 0; c < table.columns; ++c) {
        measure.areas[c] = cell_area_width(style, measure.areas[c]) + 2 * table.padding;
    }
    const EncodedStyle& encoded = encoded_style(frameType, look);
    const int64_t length = frame_length(encoded, measure, table);
    // Every measured frame is offered, so a caller learns its size even when
    // it is past what positions inside a frame (32-bit) can reach.
    char* out = reserve(length, context);
    if (out == nullptr || length >= INT32_MAX) {
        return FT_BUFFER_TOO_SMALL;
    }
    ft_draw_frame(encoded, out, measure.areas, table, positionType,
                  DrawBounds{length, measure.textExtent});
    out[length] = '\0';
    return FT_OK;
}

// The most a line of cells and the rule after it can take: a part of a frame
// drawn in parts is sized by it.
struct LineBound {
    int64_t fixed;  // borders, areas and the longest rule
    const TableView& table;

    int64_t of(int32_t line) const {
        int64_t bytes = fixed;
        const CellSpan* cell = table.cells + int64_t{line} * table.columns;
        for (int32_t column = 0; column < table.columns; ++column, ++cell) {
            bytes += cell->length - cell->width;
        }
        return bytes;
    }
};

LineBound line_bound(const EncodedStyle& style, const Measure& measure, const TableView& table) {
    int64_t fixed = border_bytes(style.content, table.columns);
    for (int32_t c = 0; c < table.columns; ++c) {
        fixed += measure.areas[c];
    }
    int64_t rule = 0;
    for (const EncodedLine* line : {&style.top, &style.header, &style.inner, &style.bottom}) {
        const int64_t bytes = rule_line_bytes(*line, measure.areas, table.columns);
        rule = bytes > rule ? bytes : rule;
    }
    return {fixed + rule, table};
}

// Parts of about this many bytes, or one line where a line is longer.
constexpr int64_t kPartBytes = 64 * 1024;

int draw_in_parts(const TableView& table, int32_t positionType, const EncodedStyle& style,
                  const Measure& measure, FtWrite write, void* context) {
    const LineBound bound = line_bound(style, measure, table);
    int64_t capacity = 0;
    char* part = nullptr;
    FtFrameCursor cursor;
    while (cursor.line < table.rows) {
        int32_t end = cursor.line;
        int64_t bytes = cursor.line == 0 ? bound.fixed : 0;  // the top rule
        do {
            bytes += bound.of(end++);
        } while (end < table.rows && bytes + bound.of(end) <= kPartBytes);
        if (bytes > capacity) {
            ft_release(part);
            capacity = bytes > kPartBytes ? bytes : kPartBytes;
            part = static_cast<char*>(ft_allocate(static_cast<size_t>(capacity)));
            if (part == nullptr) {
                return FT_NO_MEMORY;
            }
        }
        const int32_t drawn =
            ft_draw_frame_part(style, part, measure.areas, table, positionType, cursor, end,
                               DrawBounds{capacity, measure.textExtent});
        write(part, drawn, context);
    }
    ft_release(part);
    return FT_OK;
}

int render_measured_in_parts(const TableView& table, int32_t frameType, int32_t positionType,
                             const FtLook& look, Measure& measure, FtAccept accept, FtWrite write,
                             void* context) {
    const FrameStyle& style = kFrameStyles[frameType - 1];
    measure_cells(table, measure);
    for (int32_t c = 0; c < table.columns; ++c) {
        measure.areas[c] = cell_area_width(style, measure.areas[c]) + 2 * table.padding;
    }
    const EncodedStyle& encoded = encoded_style(frameType, look);
    const int64_t length = frame_length(encoded, measure, table);
    if (!accept(length, context) || length >= INT32_MAX) {
        return FT_BUFFER_TOO_SMALL;
    }
    return draw_in_parts(table, positionType, encoded, measure, write, context);
}
}  // namespace

bool ft_types_valid(int32_t frameType, int32_t positionType) {
    return frameType >= 1 && frameType <= FT_FRAME_TYPE_MAX && positionType >= 1 &&
           positionType <= FT_POSITION_TYPE_MAX;
}

namespace {
bool table_drawable(const TableView& table, int32_t frameType, int32_t positionType) {
    return ft_types_valid(frameType, positionType) && table.padding >= 0 &&
           table.padding <= FT_PADDING_MAX;
}

// Runs draw with a measure whose areas are zeroed, one per column.
template <typename Draw>
int with_measure(const TableView& table, Draw draw) {
    if (table.rows <= 0 || table.columns <= 0) {
        return FT_BAD_SHAPE;
    }
    const size_t areaBytes = sizeof(int32_t) * static_cast<size_t>(table.columns);
    Measure measure{static_cast<int32_t*>(ft_allocate(areaBytes)), 0, 0};
    if (measure.areas == nullptr) {
        return FT_NO_MEMORY;
    }
    std::memset(measure.areas, 0, areaBytes);
    const int result = draw(measure);
    ft_release(measure.areas);
    return result;
}
}  // namespace

int ft_render_table(const TableView& table, int32_t frameType, int32_t positionType,
                    const FtLook& look, FtReserve reserve, void* context) {
    if (!table_drawable(table, frameType, positionType) || reserve == nullptr) {
        return FT_BAD_ARGUMENT;
    }
    return with_measure(table, [&](Measure& measure) {
        return render_measured(table, frameType, positionType, look, measure, reserve, context);
    });
}

int ft_render_table_in_parts(const TableView& table, int32_t frameType, int32_t positionType,
                             const FtLook& look, FtAccept accept, FtWrite write, void* context) {
    if (!table_drawable(table, frameType, positionType) || accept == nullptr || write == nullptr) {
        return FT_BAD_ARGUMENT;
    }
    return with_measure(table, [&](Measure& measure) {
        return render_measured_in_parts(table, frameType, positionType, look, measure, accept,
                                        write, context);
    });
}
