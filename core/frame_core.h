// The frame core: one static table store, the line parser that fills it, and
// the renderer that draws it as a ruled text frame. All text is code page 932
// bytes; every width and size is a byte count. Nothing here is reentrant.
#pragma once

#include <cstdint>

enum FtResult : int {
    FT_OK = 1,
    FT_BAD_ARGUMENT = 3,
    FT_NO_MEMORY = 4,
    FT_BUFFER_TOO_SMALL = 5,
    FT_BAD_SHAPE = 6,
    FT_POOL_FULL = 7,
};

constexpr int32_t FT_POOL_TEXT_MAX = 10240;  // bytes of text; the pool holds one more for its NUL
constexpr int32_t FT_FRAME_TYPE_MAX = 6;
constexpr int32_t FT_POSITION_TYPE_MAX = 17;

struct CellNode {
    int32_t start;    // offset of the first byte in FrameTable::pool
    int32_t length;   // bytes; the text is not terminated inside the pool
    CellNode* down;   // same column, next row
    CellNode* right;  // same row, next column
};

struct FrameTable {
    int32_t rows;
    int32_t columns;
    char pool[FT_POOL_TEXT_MAX + 1];
    CellNode* grid;      // row 0, column 0
    char signature[10];  // "zentabrix" while open, all zero while closed
};

// Table store.
FrameTable& ft_table();
int ft_open();
int ft_close();
int ft_link_cell(CellNode*& head, int32_t rowIndex, int32_t start, int32_t length);
void ft_free_grid(CellNode* first);
void ft_free_row(CellNode* first);

// Line parser: appends one line (without its line end) to the store as a row.
int ft_add_line(const char* line, int32_t* lineNumber, char separator);

// Render driver: draws the stored table into out, NUL-terminated, LF line ends.
int ft_render(char* out, int32_t outSize, int32_t frameType, int32_t positionType);

// Frame styles. Called by ft_render only, after it has proved the frame fits.
void ft_draw_type1(char* out, int32_t* widths, int32_t columnCount, int32_t positionType);
void ft_draw_type2(char* out, int32_t* widths, int32_t columnCount, int32_t positionType);
void ft_draw_type3(char* out, int32_t* widths, int32_t columnCount, int32_t positionType);
void ft_draw_type4(char* out, int32_t* widths, int32_t columnCount, int32_t positionType);
void ft_draw_type5(char* out, int32_t* widths, int32_t columnCount, int32_t positionType);
void ft_draw_type6(char* out, int32_t* widths, int32_t columnCount, int32_t positionType);

// Cell placement shared by all styles; pos is the running length of out.
void ft_put_cell(int32_t positionType, char* out, const char* cellText, int32_t cellLen,
                 int32_t pad, int32_t rowIndex, int32_t colIndex, int32_t& pos);
void ft_put_spaces(char* out, int32_t count, int32_t& pos);
