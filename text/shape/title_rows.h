// A title over a frame's header and a footer under its last row: rows that
// span the table inside the frame, wrapped to its width. The frame is drawn
// first and keeps its width; the rows are set off from the table by a rule
// whatever rules the table's own rows have.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/formats/table_titles.h"
#include "text/refusal.h"
#include "text/text_types.h"

struct TitledFrame {
    TextEncoding encoding = TextEncoding::Utf8;
    WidthModel widthModel = WidthModel::Narrow;
    int32_t frameType = 1;
    int32_t padding = 0;  // blanks on either side of the lines, as of every cell
};

// The frame with the title's rows on top and the footer's at the bottom.
// FrameTooNarrow when one character of them is wider than the frame's inside.
Refusal add_title_rows(std::string& frame, const TableTitles& titles, const TitledFrame& look);

// A title or footer the text layer can draw or write: text of the encoding,
// with no control character but line breaks and no TAB.
Refusal check_title_text(std::string_view text, TextEncoding encoding);
