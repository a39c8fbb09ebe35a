// The commonest table read in one pass: each byte is checked, and the lines
// split and the cells cut and measured, as it goes by. Anything out of the
// ordinary is left to the careful path: check_input_text, then read_psv_cells.
#pragma once

#include <string_view>

#include "text/psv_cells.h"
#include "text/text_types.h"

// Reads text (without its byte order mark and empty last lines, not empty)
// into grid when it is plain: text of its encoding, without escape sequences,
// every row as many cells as the first. grid is then what check_input_text
// and read_psv_cells would give. False when it is not; grid is then to be
// thrown away, and the careful path finds the refusal or reads the sequences.
bool read_plain_psv(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                    CellGrid& grid);
