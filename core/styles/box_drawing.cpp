// One drawing routine for frame types 1 to 5, driven by their piece tables.
#include <cstring>

#include "core/byte_copy.h"
#include "core/frame_core.h"
#include "core/styles/box_styles.h"

namespace {
void put_glyph(char* out, int32_t& pos, const char* glyph) {
    std::memcpy(out + pos, glyph, 2);
    pos += 2;
}

void put_right_end(char* out, int32_t& pos, const char* glyph) {
    put_glyph(out, pos, glyph);
    out[pos++] = '\n';
}

const char* piece_before_column(const BoxLinePieces& pieces, int32_t column) {
    return column == 0 ? pieces.first : column == 1 ? pieces.second : pieces.later;
}

void make_widths_even(int32_t* widths, int32_t columnCount) {
    for (int32_t k = 0; k < columnCount; ++k) {
        widths[k] = widths[k] == 0 ? 2 : widths[k] + (widths[k] & 1);
    }
}

void draw_rule(char* out, int32_t& pos, const BoxLinePieces& pieces, const int32_t* widths,
               int32_t columnCount) {
    for (int32_t k = 0; k < columnCount; ++k) {
        put_glyph(out, pos, piece_before_column(pieces, k));
        for (int32_t h = widths[k] / 2; h > 0; --h) {
            put_glyph(out, pos, pieces.horizontal);
        }
    }
    put_right_end(out, pos, pieces.rightEnd);
}

void draw_content(char* out, int32_t& pos, const BoxLinePieces& pieces, const CellNode* first,
                  const int32_t* widths, int32_t rowIndex, int32_t positionType) {
    const char* pool = ft_table().pool;
    int32_t colIndex = 0;
    for (const CellNode* cell = first; cell != nullptr; cell = cell->right, ++colIndex) {
        put_glyph(out, pos, piece_before_column(pieces, colIndex));
        ft_put_cell(positionType, out, pool + cell->start, cell->length,
                    widths[colIndex] - cell->length, rowIndex, colIndex, pos);
        pos += cell->length;
    }
    put_right_end(out, pos, pieces.rightEnd);
}

void draw_box_frame(const BoxStyle& style, char* out, int32_t* widths, int32_t columnCount,
                    int32_t positionType) {
    int32_t pos = 0;
    make_widths_even(widths, columnCount);
    draw_rule(out, pos, style.top, widths, columnCount);
    const int32_t lineLength = pos;

    // Inner rules are all alike: draw the first, copy it after that.
    int32_t innerRuleAt = -1;
    int32_t rowIndex = 0;
    for (const CellNode* first = ft_table().grid; first != nullptr;
         first = first->down, ++rowIndex) {
        draw_content(out, pos, style.content, first, widths, rowIndex, positionType);
        if (first->down == nullptr) {
            draw_rule(out, pos, style.bottom, widths, columnCount);
        } else if (rowIndex == 0) {
            draw_rule(out, pos, style.header, widths, columnCount);
        } else if (innerRuleAt >= 0) {
            byte_copy::copy(out + pos, out + innerRuleAt, static_cast<size_t>(lineLength));
            pos += lineLength;
        } else {
            innerRuleAt = pos;
            draw_rule(out, pos, style.inner, widths, columnCount);
        }
    }
}
}  // namespace

void ft_draw_type1(char* out, int32_t* widths, int32_t columnCount, int32_t positionType) {
    draw_box_frame(kBoxStyles[0], out, widths, columnCount, positionType);
}

void ft_draw_type2(char* out, int32_t* widths, int32_t columnCount, int32_t positionType) {
    draw_box_frame(kBoxStyles[1], out, widths, columnCount, positionType);
}

void ft_draw_type3(char* out, int32_t* widths, int32_t columnCount, int32_t positionType) {
    draw_box_frame(kBoxStyles[2], out, widths, columnCount, positionType);
}

void ft_draw_type4(char* out, int32_t* widths, int32_t columnCount, int32_t positionType) {
    draw_box_frame(kBoxStyles[3], out, widths, columnCount, positionType);
}

void ft_draw_type5(char* out, int32_t* widths, int32_t columnCount, int32_t positionType) {
    draw_box_frame(kBoxStyles[4], out, widths, columnCount, positionType);
}
