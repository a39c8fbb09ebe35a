// The text layer's one door: a request in, a frame (or a table in another
// format) or a refusal out. Every face builds a FrameRequest and calls
// frame_text or read_text. No options, files, locale, threads or exceptions,
// and it builds for wasm32 as well as natively.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/formats/table.h"
#include "text/formats/table_formats.h"
#include "text/formats/table_titles.h"
#include "text/frame_fit.h"
#include "text/frame_render.h"
#include "text/refusal.h"
#include "text/shape/cell_text.h"
#include "text/shape/table_shape.h"
#include "text/text_types.h"

// What to read and how to shape it, over how to write it: the write options
// are the request's own, handed to the writers as they are.
struct FrameRequest : WriteOptions {
    // A frame of pattern A unless asked otherwise; the writers' own default
    // is no pattern given.
    FrameRequest() { positionType = 1; }

    std::string_view text;  // the whole input: UTF-8, or code page 932 bytes
    TextEncoding encoding = TextEncoding::Utf8;
    TableFormat from = TableFormat::Psv;
    TableFormat to = TableFormat::Frame;
    JsonNested jsonNested = JsonNested::Refuse;
    // Markdown and frames: 1-based, the table of a document to read; 0: the
    // input is one table, and a Markdown input holding anything else is
    // refused.
    int32_t table = 0;

    // Columns chosen, rows sorted and cut, on the table read, for every format.
    TableShape shape;
    // Numbers formatted and empty cells filled in the body, after the shape
    // chose and sorted the rows and before it turns them, for every format.
    CellText cellText;

    bool titled() const { return withTitle || titles.any(); }
};

struct FrameOutcome {
    std::string text;  // empty when refused
    Refusal refusal;

    bool ok() const { return refusal.kind == RefusalKind::None; }
};

// The input is checked (at most kTextInputLimit bytes, or kTextFrameLimit for
// a frame read back; text of its encoding after a leading byte order mark),
// read as request.from and written as request.to. Input of nothing but line
// ends gives nothing, as from cat.
FrameOutcome frame_text(const FrameRequest& request);

// The same, with a frame or table handed to write as it is made rather than
// held: in parts for a frame drawn straight from the cells, else in one. The
// outcome's text stays empty; a refused request writes nothing.
FrameOutcome frame_text_to(const FrameRequest& request, const FramePartWriter& write);

// A table value, such as a face's own rows, written as request.to after the
// request's shape, as frame_text writes a table it read; the request's text
// and from are not read.
FrameOutcome frame_table(const Table& table, const FrameRequest& request);

// The input checked and read as request.from into rows of cells, for faces
// that show cells rather than text.
TableRead read_text(const FrameRequest& request);
