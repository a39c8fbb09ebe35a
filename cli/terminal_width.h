// The width --width auto fits a frame to: the terminal's, when standard
// output is one, else $COLUMNS, else none.
#pragma once

#include <cstdint>

// $COLUMNS as a width: its value when it is a whole number from 1, else 0.
int32_t columns_from_environment(const char* columns);

// 0 for no limit. fd is standard output.
int32_t auto_frame_width(int fd, const char* columnsVariable);
