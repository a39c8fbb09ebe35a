// Tables as rows of cells, read from and written to plain-text formats: psv,
// tsv, csv, GitHub Markdown tables, frames and JSON. Part of the text layer, so no
// exceptions, files, locale or threads; refusals come back as results.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/refusal.h"
#include "text/text_types.h"

struct Cell {
    std::string text;
    // Where the cell's text starts in the input (after trimming), 1-based, the
    // column counted in characters; refusals about the cell point here.
    int64_t line = 0;
    int64_t column = 0;
};

using Row = std::vector<Cell>;

struct Table {
    std::vector<Row> rows;  // rows may differ in length; writers that need a shape check it
    TextEncoding encoding = TextEncoding::Utf8;  // of every cell's text
};

struct TableRead {
    Table table;
    Refusal refusal;

    bool ok() const { return refusal.kind == RefusalKind::None; }
};

// Reads the whole input. A leading UTF-8 byte order mark is skipped, lines end
// in LF, CR LF or CR, and empty lines at the end are ignored. Frames are
// measured in widthModel first and in the other model when that does not line
// up; code page 932 counts bytes as columns. The input is expected to have
// passed the text layer's own checks (valid UTF-8, no stray control
// characters); other bytes are carried through, never trusted for lengths.
TableRead read_table(std::string_view text, TableFormat from, TextEncoding encoding,
                     WidthModel widthModel, JsonNested jsonNested = JsonNested::Refuse);

struct WriteOptions {
    int32_t frameType = 1;     // frames only
    int32_t positionType = 0;  // 1..17 for frames and Markdown alignment; 0: none given
    WidthModel widthModel = WidthModel::Narrow;
    LineEnd lineEnd = LineEnd::Lf;
    bool header = true;  // JSON: the first row names the keys of the rest
};

struct TableWrite {
    std::string text;  // empty when refused
    Refusal refusal;

    bool ok() const { return refusal.kind == RefusalKind::None; }
};

// Writes every cell exactly, or refuses with the place of the first cell that
// the format cannot hold. A frame holds no TAB, line break or '|' in a cell,
// and needs every row as long as the first.
TableWrite write_table(const Table& table, TableFormat to, const WriteOptions& options);
