// Which table of its input a request reads: the one table the input is, or
// the Nth table of a document, found as the document formatter finds it.
#pragma once

#include <string>

#include "text/frame_text.h"

struct ChosenTable {
    Refusal refusal;
    bool whole = true;  // the input is read as it stands
    // Else the chosen table's lines where they stood, the prefixes of the
    // block quotes, list items or comments they stand in made blanks, and
    // every other line empty: places in it are places in the input.
    std::string text;
};

ChosenTable choose_table(const FrameRequest& request);
