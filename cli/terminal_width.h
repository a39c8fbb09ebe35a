// The width --width auto fits a frame to: the terminal's, when standard
// output is one, else $COLUMNS, else none.
#pragma once

#include <cstdint>

#include "cli/columns_variable.h"

// 0 for no limit. fd is standard output.
int32_t auto_frame_width(int fd, const char* columnsVariable);
