// One drawing routine for every frame style, driven by its piece table.
#include "core/styles/frame_drawing.h"

#include <atomic>
#include <cstring>

#include "core/byte_copy.h"
#include "core/placed_cell.h"

namespace {
EncodedPiece encode_piece(const FramePiece* piece, const FtLook& look) {
    EncodedPiece encoded{};
    if (piece == nullptr) {
        return encoded;
    }
    const char* bytes = look.utf8 ? piece->utf8 : piece->cp932;
    encoded.size = look.utf8 ? piece->utf8Size : piece->cp932Size;
    for (int32_t k = 0; k < encoded.size; ++k) {
        encoded.bytes[k] = bytes[k];
    }
    return encoded;
}

EncodedLine encode_line(const LinePieces& pieces, const FtLook& look) {
    EncodedLine line{encode_piece(pieces.first, look),
                     encode_piece(pieces.second, look),
                     encode_piece(pieces.later, look),
                     encode_piece(pieces.fill, look),
                     encode_piece(pieces.rightEnd, look),
                     1,
                     {},
                     0};
    if (look.crlf) {
        line.rightEnd.bytes[line.rightEnd.size++] = '\r';
    }
    line.rightEnd.bytes[line.rightEnd.size++] = '\n';
    if (pieces.fill != nullptr && pieces.fill->is_box() && !look.narrow) {
        line.fillColumns = 2;
    }
    line.fillRunPieces =
        line.fill.size == 0 ? 0 : static_cast<int32_t>(sizeof line.fillRun) / line.fill.size;
    for (int32_t k = 0; k < line.fillRunPieces * line.fill.size; ++k) {
        line.fillRun[k] = line.fill.bytes[k % line.fill.size];
    }
    return line;
}

EncodedStyle encode_style(const FrameStyle& style, const FtLook& look) {
    return {encode_line(style.top, look), encode_line(style.content, look),
            encode_line(style.header, look), encode_line(style.inner, look),
            encode_line(style.bottom, look)};
}

// A look as an index: UTF-8, narrow and CR LF are its three bits.
constexpr int32_t kLooks = 8;

constexpr int32_t look_index(const FtLook& look) {
    return (look.utf8 ? 4 : 0) + (look.narrow ? 2 : 0) + (look.crlf ? 1 : 0);
}

struct EncodedStyles {
    EncodedStyle styles[FT_FRAME_TYPE_MAX][kLooks];
};

EncodedStyles encode_all_styles() {
    EncodedStyles all{};
    for (int32_t type = 0; type < FT_FRAME_TYPE_MAX; ++type) {
        for (int32_t index = 0; index < kLooks; ++index) {
            const FtLook look{(index & 4) != 0, (index & 2) != 0, (index & 1) != 0};
            all.styles[type][index] = encode_style(kFrameStyles[type], look);
        }
    }
    return all;
}

// Built once, on first use, and only read after: any thread may draw.
const EncodedStyles& encoded_styles() {
    static const EncodedStyles styles = encode_all_styles();
    return styles;
}

// A piece is one to five bytes (three of UTF-8, CR, LF): fixed-size moves
// beat a call or a loop.
void put(char* out, int32_t& pos, const EncodedPiece& piece) {
    char* to = out + pos;
    switch (piece.size) {
        case 1:
            to[0] = piece.bytes[0];
            break;
        case 2:
            std::memcpy(to, piece.bytes, 2);
            break;
        case 3:
            std::memcpy(to, piece.bytes, 3);
            break;
        case 4:
            std::memcpy(to, piece.bytes, 4);
            break;
        case 5:
            std::memcpy(to, piece.bytes, 5);
            break;
        default:
            break;
    }
    pos += piece.size;
}

void put_fill(char* out, int32_t& pos, const EncodedLine& line, int32_t count) {
    const EncodedPiece& piece = line.fill;
    if (piece.size == 1) {
        std::memset(out + pos, piece.bytes[0], static_cast<size_t>(count));
        pos += count;
        return;
    }
    for (; count > line.fillRunPieces; count -= line.fillRunPieces) {
        const int32_t runBytes = line.fillRunPieces * piece.size;
        byte_copy::copy(out + pos, line.fillRun, static_cast<size_t>(runBytes));
        pos += runBytes;
    }
    byte_copy::copy(out + pos, line.fillRun, static_cast<size_t>(count * piece.size));
    pos += count * piece.size;
}

const EncodedPiece& piece_before_column(const EncodedLine& line, int32_t column) {
    return column == 0 ? line.first : column == 1 ? line.second : line.later;
}

void draw_rule(char* out, int32_t& pos, const EncodedLine& line, const int32_t* areas,
               int32_t columnCount) {
    for (int32_t k = 0; k < columnCount; ++k) {
        put(out, pos, piece_before_column(line, k));
        put_fill(out, pos, line, areas[k] / line.fillColumns);
    }
    put(out, pos, line.rightEnd);
}

// How a line's cells are placed: by the position type for the header row
// and the first column, by the view's placements for later body cells.
struct LinePlacement {
    FtPlacement first;
    FtPlacement later;
    const FtPlacement* perColumn;  // null: first and later
    int32_t inset;
};

LinePlacement line_placement(const TableView& table, int32_t positionType, int32_t rowIndex) {
    const bool body = rowIndex > 0 && table.bodyPlacements != nullptr;
    return {ft_placement(positionType, rowIndex, 0), ft_placement(positionType, rowIndex, 1),
            body ? table.bodyPlacements : nullptr, table.padding};
}

std::atomic<bool> wideMovesAllowed{true};

// Moves of whole 16-byte blocks, and a piece as one 8-byte store: each may
// write past its end, into bytes the next move writes again, so a cell costs
// a few stores and no branch on its length. Only where the frame goes on for
// long enough after them, and the text after a cell can be read.
constexpr int32_t kBlock = 16;
constexpr char kSpaceBlock[kBlock] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                      ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};

inline void spaces_wide(char* to, int32_t count) {
    for (int32_t done = 0; done < count; done += kBlock) {
        std::memcpy(to + done, kSpaceBlock, kBlock);
    }
}

inline void copy_wide(char* to, const char* from, int32_t count) {
    for (int32_t done = 0; done < count; done += kBlock) {
        std::memcpy(to + done, from + done, kBlock);
    }
}

inline int32_t rounded_to_block(int32_t count) {
    return (count + kBlock - 1) & ~(kBlock - 1);
}

struct WideLimits {
    const char* outEnd;  // the frame's end: no move reaches it
    const char* textEnd;
};

// Draws a line's cells as draw_cells_from does, as long as the moves stay inside
// the limits; returns the column it stopped before, which draw_cells_from then
// finishes exactly.
template <bool kPerColumn>
int32_t draw_cells_wide(char* out, int32_t& pos, const EncodedLine& line, const char* text,
                        const CellSpan* row, int32_t columnCount, const int32_t* areas,
                        const LinePlacement& placement, const WideLimits& limits) {
    char* at = out + pos;
    const int32_t inset = placement.inset;
    int32_t colIndex = 0;
    for (; colIndex < columnCount; ++colIndex) {
        const CellSpan& cell = row[colIndex];
        const int32_t pad = areas[colIndex] - cell.width;
        const char* from = text + cell.start;
        if (limits.outEnd - at < 8 + kBlock + int64_t{pad} + cell.length ||
            limits.textEnd - from < rounded_to_block(cell.length)) {
            break;
        }
        const EncodedPiece& piece = piece_before_column(line, colIndex);
        std::memcpy(at, piece.bytes, 8);
        at += piece.size;
        const FtPlacement placed = kPerColumn      ? placement.perColumn[colIndex]
                                   : colIndex == 0 ? placement.first
                                                   : placement.later;
        const int32_t before = placed == FT_LEFT    ? inset
                               : placed == FT_RIGHT ? pad - inset
                                                    : pad / 2;
        spaces_wide(at, before);
        copy_wide(at + before, from, cell.length);
        spaces_wide(at + before + cell.length, pad - before);
        at += pad + cell.length;
    }
    pos = static_cast<int32_t>(at - out);
    return colIndex;
}

// A line's cells from column `from` on, with exact moves. Works on a copy of
// the running length: out is a char buffer and may alias anything, so
// writing through it would force pos back to memory each time. Placements
// per column are a template choice, so lines without them keep the loop they
// always had.
template <bool kPerColumn>
void draw_cells_from(char* out, int32_t& pos, const EncodedLine& line, const char* text,
                     const CellSpan* row, int32_t from, int32_t columnCount, const int32_t* areas,
                     const LinePlacement& placement) {
    int32_t at = pos;
    for (int32_t colIndex = from; colIndex < columnCount; ++colIndex) {
        const CellSpan& cell = row[colIndex];
        put(out, at, piece_before_column(line, colIndex));
        const int32_t pad = areas[colIndex] - cell.width;
        const FtPlacement placed = kPerColumn      ? placement.perColumn[colIndex]
                                   : colIndex == 0 ? placement.first
                                                   : placement.later;
        put_placed_cell(out + at, text + cell.start, cell.length, pad, placed, placement.inset);
        at += pad + cell.length;
    }
    put(out, at, line.rightEnd);
    pos = at;
}

template <bool kPerColumn>
void draw_line_cells(char* out, int32_t& pos, const EncodedLine& line, const char* text,
                     const CellSpan* row, int32_t columnCount, const int32_t* areas,
                     const LinePlacement& placement, const WideLimits& limits) {
    int32_t from = 0;
    if (limits.outEnd != nullptr) {
        from = draw_cells_wide<kPerColumn>(out, pos, line, text, row, columnCount, areas, placement,
                                           limits);
    }
    draw_cells_from<kPerColumn>(out, pos, line, text, row, from, columnCount, areas, placement);
}

void draw_content(char* out, int32_t& pos, const EncodedLine& line, const char* text,
                  const CellSpan* row, int32_t columnCount, const int32_t* areas,
                  const LinePlacement& placement, const WideLimits& limits) {
    if (placement.perColumn != nullptr) {
        draw_line_cells<true>(out, pos, line, text, row, columnCount, areas, placement, limits);
    } else {
        draw_line_cells<false>(out, pos, line, text, row, columnCount, areas, placement, limits);
    }
}

// The inner rules are all alike: the first is drawn, the others copied.
struct RuleCopier {
    int32_t at = -1;
    int32_t length = 0;

    void put_rule(char* out, int32_t& pos, const EncodedLine& line, const int32_t* areas,
                  int32_t columnCount) {
        if (at >= 0) {
            byte_copy::copy(out + pos, out + at, static_cast<size_t>(length));
            pos += length;
            return;
        }
        at = pos;
        draw_rule(out, pos, line, areas, columnCount);
        length = pos - at;
    }
};
}  // namespace

const EncodedStyle& encoded_style(int32_t frameType, const FtLook& look) {
    return encoded_styles().styles[frameType - 1][look_index(look)];
}

int64_t border_bytes(const EncodedLine& line, int32_t columnCount) {
    int64_t bytes = line.first.size + line.rightEnd.size;
    if (columnCount >= 2) {
        bytes += line.second.size + int64_t{line.later.size} * (columnCount - 2);
    }
    return bytes;
}

int64_t rule_line_bytes(const EncodedLine& line, const int32_t* areas, int32_t columnCount) {
    int64_t fills = 0;
    for (int32_t k = 0; k < columnCount; ++k) {
        fills += areas[k] / line.fillColumns;
    }
    return border_bytes(line, columnCount) + fills * line.fill.size;
}

int32_t ft_row_rules(const TableView& table) {
    if (table.opensRow == nullptr) {
        return table.rows - 1;
    }
    int32_t rules = 0;
    for (int32_t line = 1; line < table.rows; ++line) {
        rules += table.opensRow[line] != 0 ? 1 : 0;
    }
    return rules;
}

void ft_allow_wide_moves(bool allowed) {
    wideMovesAllowed.store(allowed, std::memory_order_relaxed);
}

void ft_draw_frame(const EncodedStyle& style, char* out, const int32_t* areas,
                   const TableView& table, int32_t positionType, const DrawBounds& bounds) {
    FtFrameCursor cursor;
    ft_draw_frame_part(style, out, areas, table, positionType, cursor, table.rows, bounds);
}

int32_t ft_draw_frame_part(const EncodedStyle& style, char* out, const int32_t* areas,
                           const TableView& table, int32_t positionType, FtFrameCursor& cursor,
                           int32_t endLine, const DrawBounds& bounds) {
    // Read once: writes through out may alias the view.
    const int32_t columns = table.columns;
    const int32_t lines = table.rows;
    const CellSpan* const cells = table.cells;
    const char* const text = table.text;
    const unsigned char* const opensRow = table.opensRow;
    const FtRules rules = table.rules;
    const WideLimits limits{
        wideMovesAllowed.load(std::memory_order_relaxed) ? out + bounds.frameLength : nullptr,
        text + bounds.textExtent};
    int32_t pos = 0;
    if (cursor.line == 0) {
        draw_rule(out, pos, style.top, areas, columns);
    }
    RuleCopier inner;
    int32_t rowIndex = cursor.rowIndex;
    LinePlacement placement = line_placement(table, positionType, rowIndex);
    int32_t lineIndex = cursor.line;
    for (; lineIndex < endLine; ++lineIndex) {
        const CellSpan* row = cells + int64_t{lineIndex} * columns;
        draw_content(out, pos, style.content, text, row, columns, areas, placement, limits);
        if (lineIndex + 1 == lines) {
            draw_rule(out, pos, style.bottom, areas, columns);
            break;
        }
        if (opensRow != nullptr && opensRow[lineIndex + 1] == 0) {
            continue;
        }
        if (rowIndex == 0 && rules != FT_RULES_NONE) {
            draw_rule(out, pos, style.header, areas, columns);
        } else if (rowIndex > 0 && rules == FT_RULES_ALL) {
            inner.put_rule(out, pos, style.inner, areas, columns);
        }
        if (rowIndex++ == 0) {
            placement = line_placement(table, positionType, rowIndex);
        }
    }
    cursor.line = endLine;
    cursor.rowIndex = rowIndex;
    return pos;
}
