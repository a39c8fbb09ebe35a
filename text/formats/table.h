// Tables as rows of cells, read from and written to plain-text formats: psv,
// tsv, csv, GitHub Markdown tables and frames. Part of the text layer, so no
// exceptions, files, locale or threads; refusals come back as results.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/frame_text.h"
#include "text/width_model.h"

enum class TableFormat : uint8_t { Psv, Csv, Tsv, Markdown, Frame };

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
                     WidthModel widthModel);

struct WriteOptions {
    int32_t frameType = 1;     // frames only
    int32_t positionType = 0;  // 1..17 for frames and Markdown alignment; 0: none given
    WidthModel widthModel = WidthModel::Narrow;
    LineEnd lineEnd = LineEnd::Lf;
};

struct TableWrite {
    std::string text;  // empty when refused
    Refusal refusal;

    bool ok() const { return refusal.kind == RefusalKind::None; }
};

// Writes every cell exactly, or refuses with the place of the first cell that
// the format cannot hold. A frame is drawn by frame_text from
// frame_input_text; its refusals are moved to the cells' places in the input.
TableWrite write_table(const Table& table, TableFormat to, const WriteOptions& options);

// The seam to frame_text: the table as psv text, one line per row, ending in
// LF. Refused when a cell holds '|', TAB or a line break, which a frame's
// input cannot hold.
TableWrite frame_input_text(const Table& table);

struct ConvertRequest {
    std::string_view text;  // the whole input, as for frame_text
    TextEncoding encoding = TextEncoding::Utf8;
    TableFormat from = TableFormat::Psv;
    TableFormat to = TableFormat::Frame;
    WriteOptions options;  // its width model also measures a frame being read
};

// One call for a face: the input checked as frame_text checks it (a frame may
// be as large as kTextFrameLimit, a table kTextInputLimit), read, and written. Input of nothing but
// line ends gives nothing, as a frame of it does.
TableWrite convert_table(const ConvertRequest& request);

// The words for the refusal kinds of this module, without the place; empty for
// other kinds.
std::string describe_format_refusal(const Refusal& refusal);
