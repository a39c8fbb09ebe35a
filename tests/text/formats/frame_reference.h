// A slow reader of the frames Zentab draws, written for obviousness: every
// column found by measuring the whole line up to it, no shortcuts. Rows are
// a line each, or under rules between every row the lines between two rules.
#pragma once

#include <string>
#include <string_view>

#include "table_testing.h"

struct FrameReferenceRead {
    bool ok = false;
    Texts cells;
    int64_t line = 0;  // when not ok: the 1-based line that does not fit
};

// text: without a byte order mark. Cells must not end in a newline or wrap
// mark where rows are a line each, nor hold a Prepend character: the
// reference does not join lines nor take spaces into clusters.
FrameReferenceRead reference_frame_read(std::string_view text, TextEncoding encoding,
                                        WidthModel model);
