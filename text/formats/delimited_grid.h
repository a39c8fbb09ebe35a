// psv, csv and tsv straight into a CellGrid, for the frame renderer.
#pragma once

#include <string_view>

#include "text/formats/grid_sink.h"
#include "text/refusal.h"
#include "text/text_types.h"

// The commonest tables in one pass, each byte checked as it goes by: text
// (without its byte order mark and empty last lines, not empty) of psv, csv
// or tsv that is plain: text of its encoding, without escape sequences, every
// row as many cells as the first; csv and tsv also without '|' or an empty
// line, csv without TAB or a line break in a cell. read is then what the
// input check and the careful path would give; false when it is not, read to
// be thrown away.
bool read_plain_grid(std::string_view text, TableFormat format, TextEncoding encoding,
                     WidthModel widthModel, GridRead& read);

// psv that the input check passed (without its byte order mark and empty
// last lines, not empty). Refuses a row with more or fewer cells than the
// first (RaggedRow, at the separator before the first cell too many or at
// the line's end).
Refusal read_psv_grid(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                      GridRead& read);
