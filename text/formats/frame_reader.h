// A frame read straight into a grid of spans of its text, by the one frame
// reader with a grid for its cells: what read_frame reads, trimmed as it
// trims, measured as the frame writer measures.
#pragma once

#include <string_view>

#include "text/cell_grid.h"
#include "text/text_types.h"

// Reads text (without its byte order mark and empty last lines, not empty)
// into grid when the whole of it is one frame in widthModel, every row a
// line of its own, and every line text of its encoding without TAB, escape
// sequences or controls. False otherwise; grid is then to be thrown away,
// and read_frame, after the input check, finds the refusal or reads what
// the grid could not hold: rows of several lines, titles, records, the
// other width model, tables ruled only inside.
bool read_plain_frame(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                      CellGrid& grid);
