// Tab-separated rows, as a spreadsheet copies them, into '|'-separated rows.
#pragma once

#include <string>
#include <string_view>

// A tab that begins the text or a line, or ends a line before CR LF, gets an
// extra '|' beside it so the line parser sees the empty cell it stands for;
// then every tab becomes '|'.
std::string convert_tabs(std::string_view text);
