// A frame as Zentab draws it, read back in one pass into spans of its text,
// as psv is: each byte checked, the rule lines matched against the top rule
// and the content lines cut at its joints and measured as they go by. Any
// other frame is left to the careful path: check_input_text, then
// read_frame, whose cells and refusals stay as they are.
#pragma once

#include <string_view>

#include "text/psv_cells.h"
#include "text/text_types.h"

// Reads text (without its byte order mark and empty last lines, not empty)
// into grid when it is a plain frame: text of its encoding without TAB,
// escape sequences or '|' in a cell; a top rule on the first line and a
// closing rule on the last, every rule with the top rule's joints and
// nothing but joints and fills; every other line a content line holding a
// vertical piece at each joint's column and nowhere else, one row a line.
// grid then holds the cells read_frame reads, trimmed as it trims them and
// measured as the frame writer measures them. False otherwise; grid is then
// to be thrown away, and the careful path finds the refusal or reads what
// the one pass leaves.
bool read_plain_frame(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                      CellGrid& grid);
