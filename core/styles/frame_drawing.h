// Draws a measured table in one frame style. Called by the table renderer
// only, after it has made sure the whole frame fits.
#pragma once

#include <cstdint>

#include "core/cell_table.h"
#include "core/frame_core.h"
#include "core/styles/frame_styles.h"

// A piece as it is written: its bytes, and for a line's right end the line
// end after it.
struct EncodedPiece {
    char bytes[8];
    int32_t size;
};

struct EncodedLine {
    EncodedPiece first;
    EncodedPiece second;
    EncodedPiece later;
    EncodedPiece fill;
    EncodedPiece rightEnd;
    int32_t fillColumns;  // columns one fill piece covers
    // Fill pieces written out ahead, so a rule's fill is copied in a few moves.
    char fillRun[48];
    int32_t fillRunPieces;
};

struct EncodedStyle {
    EncodedLine top;
    EncodedLine content;
    EncodedLine header;
    EncodedLine inner;
    EncodedLine bottom;
};

// Every style in every look, encoded once: nothing shared that changes.
const EncodedStyle& encoded_style(int32_t frameType, const FtLook& look);

// Bytes of a rule line, and of a content line without its cells' text and padding.
int64_t rule_line_bytes(const EncodedLine& line, const int32_t* areas, int32_t columnCount);
int64_t border_bytes(const EncodedLine& line, int32_t columnCount);

// The rules a view draws between its rows: one fewer than its rows.
int32_t ft_row_rules(const TableView& table);

// How far drawing may reach: the frame's bytes at out, without the
// terminator, and the bytes of the view's text its cells lie in.
struct DrawBounds {
    int64_t frameLength;
    int64_t textExtent;
};

// areas: each column's area width in columns, padding included.
void ft_draw_frame(const EncodedStyle& style, char* out, const int32_t* areas,
                   const TableView& table, int32_t positionType, const DrawBounds& bounds);

// Test seam: false draws every cell with exact moves only, as the last lines
// of a frame always are, so the two ways can be compared.
void ft_allow_wide_moves(bool allowed);

// Where a frame drawn in parts goes on: its next line, and the table rows
// begun before it.
struct FtFrameCursor {
    int32_t line = 0;
    int32_t rowIndex = 0;
};

// Draws the lines from cursor.line up to endLine with the rules after them,
// the top rule first when cursor.line is 0 and the bottom rule after the
// last line; moves the cursor to endLine. Returns the bytes drawn; bounds
// are those of the part at out.
int32_t ft_draw_frame_part(const EncodedStyle& style, char* out, const int32_t* areas,
                           const TableView& table, int32_t positionType, FtFrameCursor& cursor,
                           int32_t endLine, const DrawBounds& bounds);
