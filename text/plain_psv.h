// The commonest tables read in one pass: each byte is checked, and the lines
// split and the cells cut and measured, as it goes by. Anything out of the
// ordinary is left to the careful path: check_input_text, then read_psv_cells
// or read_plain_delimited_cells.
#pragma once

#include <string_view>

#include "text/psv_cells.h"
#include "text/text_types.h"

// Reads psv, csv or tsv text (without its byte order mark and empty last
// lines, not empty) into grid when it is plain: text of its encoding, without
// escape sequences, every row as many cells as the first; csv and tsv also
// without '|' or an empty line, csv without a quote or TAB. grid is then what
// check_input_text and read_psv_cells (psv) or read_plain_delimited_cells
// (csv, tsv) would give. False when it is not, or for another format; grid is
// then to be thrown away, and the careful path finds the refusal or reads
// what the one pass leaves.
bool read_plain_table(std::string_view text, TableFormat format, TextEncoding encoding,
                      WidthModel widthModel, CellGrid& grid);
