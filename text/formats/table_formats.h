// Tables read from and written to plain-text formats: psv, tsv, csv, GitHub
// Markdown tables, frames, JSON and the markup formats. Part of the text
// layer, so no exceptions, files, locale or threads; refusals come back as
// results.
#pragma once

#include <string>
#include <string_view>

#include "text/formats/table.h"
#include "text/formats/table_titles.h"
#include "text/frame_render.h"
#include "text/refusal.h"
#include "text/text_types.h"

// Reads the whole input. A leading UTF-8 byte order mark is skipped, lines end
// in LF, CR LF or CR, and empty lines at the end are ignored. Frames are
// measured in widthModel first and in the other model when that does not line
// up; code page 932 counts bytes as columns. The input is expected to have
// passed the text layer's own checks (valid UTF-8, no stray control
// characters); other bytes are carried through, never trusted for lengths.
TableRead read_table(std::string_view text, TableFormat from, TextEncoding encoding,
                     WidthModel widthModel, JsonNested jsonNested = JsonNested::Refuse);
// The same, with cells that may be spans of text: text must outlive the table.
TableRead read_table_in_place(std::string_view text, TableFormat from, TextEncoding encoding,
                              WidthModel widthModel, JsonNested jsonNested = JsonNested::Refuse);

struct WriteOptions {
    int32_t frameType = 1;  // 1..6, frames only
    // 1..17, the letters A..Q, for frames and Markdown alignment; 0: none
    // given, which Markdown writes as no alignment and a frame as A.
    int32_t positionType = 0;
    // Code page 932 always counts bytes. Also the model a frame being read is
    // measured in first.
    WidthModel widthModel = WidthModel::Narrow;
    LineEnd lineEnd = LineEnd::Lf;
    bool header = true;  // JSON: the first row names the keys of the rest
    FrameFit fit;        // frames only: width, wrapping, alignment, padding, rules
    // A title over the table and a footer under it: a frame's rows spanning
    // it, a document's caption; refused by formats with no place for them.
    // withTitle: those of a frame read go on into the output, and JSON writes
    // {"title", "footer", "rows"}. Given titles stand before read ones.
    TableTitles titles;
    bool withTitle = false;
};

// How a frame of cells in encoding is drawn with these options.
FrameLook frame_look(const WriteOptions& options, TextEncoding encoding);

struct TableWrite {
    std::string text;  // empty when refused
    Refusal refusal;

    bool ok() const { return refusal.kind == RefusalKind::None; }
};

// Writes every cell exactly, or refuses with the place of the first cell that
// the format cannot hold. A frame holds no TAB or '|' in a cell, and needs
// every row as long as the first; a line break in a cell makes its row taller.
TableWrite write_table(const Table& table, TableFormat to, const WriteOptions& options);

// NoCaption when the format has no place for a title or footer given.
Refusal titles_refusal(TableFormat to, const TableTitles& titles, bool withTitle);

// write_table to a frame, drawn into target: in parts when it has a writer.
Refusal write_frame_to(const Table& table, const WriteOptions& options, FrameTarget& target);
