// The frame core: the line parser, the renderer that draws a table value as a
// ruled text frame, and the static table store the desktop application keeps,
// which hands the same renderer a view of its grid. Text is code page 932 or
// UTF-8 bytes; sizes are byte counts and widths are display columns, which
// for code page 932 are bytes again. The renderer is reentrant; the store is
// not.
#pragma once

#include <cstdint>

#include "core/cell_table.h"

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
constexpr int32_t FT_PADDING_MAX = 65535;  // spaces each side of a cell

struct CellNode {
    int32_t start;    // offset of the first byte in FrameTable::pool
    int32_t length;   // bytes; the text is not terminated inside the pool
    int32_t width;    // display columns
    CellNode* down;   // same column, next row
    CellNode* right;  // same row, next column
};

struct FrameTable {
    int32_t rows;
    int32_t columns;
    char* pool;           // the lines' text, NUL-terminated
    int32_t poolUsed;     // bytes of text in the pool
    int32_t poolTextMax;  // bytes of text the pool holds
    CellNode* grid;       // row 0, column 0
    char signature[10];   // "zentabrix" while open, all zero while closed
};

// Table store. ft_open gives the pool of FT_POOL_TEXT_MAX bytes; larger
// tables ask for their own.
FrameTable& ft_table();
int ft_open();
int ft_open_sized(int32_t poolTextMax);
int ft_close();
int ft_link_cell(CellNode*& head, int32_t rowIndex, int32_t start, int32_t length, int32_t width);
void ft_free_grid(CellNode* first);
void ft_free_row(CellNode* first);

// How a line is read. The code page 932 rule keeps the byte after a lead
// byte out of the search; UTF-8 needs no such rule, as no byte of a
// multibyte sequence is ASCII.
using FtMeasure = int32_t (*)(const char* text, int32_t length, void* context);
struct FtLineRule {
    char separator = '|';  // below 0x80
    bool cp932 = true;
    bool tabSeparates = false;    // TAB also ends a cell, and is never an outer border
    FtMeasure measure = nullptr;  // display columns of a cell; null: its bytes
    void* measureContext = nullptr;
};

// Line parser: appends one line (without its line end) to the store as a row.
int ft_add_line(const char* line, int32_t* lineNumber, char separator);
// The same for a line of known length under a rule. On FT_BAD_SHAPE failedAt
// is the line's byte offset where the row goes wrong: the separator before a
// cell too many, or the line's end when cells are missing.
int ft_add_line_with(const char* line, int32_t length, const FtLineRule& rule, int32_t* lineNumber,
                     int32_t* failedAt);

// How the pieces of a frame are written.
struct FtLook {
    bool utf8 = false;    // pieces in UTF-8, else in code page 932
    bool narrow = false;  // box pieces one column wide: rule fills are doubled
    bool crlf = false;    // lines end in CR LF, else LF
};

bool ft_types_valid(int32_t frameType, int32_t positionType);

// Render driver: draws the stored table into out, NUL-terminated, LF line ends,
// in code page 932; out is cleared first.
int ft_render(char* out, int32_t outSize, int32_t frameType, int32_t positionType);
// Measures the frame, then asks reserve for a buffer of bytes + 1 and draws
// into it; a null buffer, or a frame of 2 GiB or more, refuses the frame with
// FT_BUFFER_TOO_SMALL.
using FtReserve = char* (*)(int64_t bytes, void* context);
int ft_render_with(int32_t frameType, int32_t positionType, const FtLook& look, FtReserve reserve,
                   void* context);
// The same for a table value: reads only its arguments, so any thread may
// frame its own table. FT_BAD_SHAPE for a table without cells.
int ft_render_table(const TableView& table, int32_t frameType, int32_t positionType,
                    const FtLook& look, FtReserve reserve, void* context);
// The same frame drawn in parts of about 64 KiB, each handed to write as it
// is drawn, so that a frame need not be held whole. accept is told the whole
// frame's length first; false refuses it with FT_BUFFER_TOO_SMALL.
using FtAccept = bool (*)(int64_t bytes, void* context);
using FtWrite = void (*)(const char* bytes, int32_t size, void* context);
int ft_render_table_in_parts(const TableView& table, int32_t frameType, int32_t positionType,
                             const FtLook& look, FtAccept accept, FtWrite write, void* context);

// Where a cell's text sits in its padded area, by position type (1..17) and
// the cell's place: the header row and first column can differ from the rest.
FtPlacement ft_placement(int32_t positionType, int32_t rowIndex, int32_t colIndex);

// Cell placement shared by all styles; pos is the running length of out.
void ft_put_cell(int32_t positionType, char* out, const char* cellText, int32_t cellLen,
                 int32_t pad, int32_t rowIndex, int32_t colIndex, int32_t& pos);
void ft_put_spaces(char* out, int32_t count, int32_t& pos);
