// The frame's own row saying how many rows --head or --tail left out,
// spanning the table under its last row.
#pragma once

#include <cstdint>
#include <string>

#include "text/text_types.h"

// "… 1,234 more rows", or "… 1,234 earlier rows" when they came first; in the
// encoding's own bytes.
std::string elision_words(int64_t rows, bool earlier, TextEncoding encoding);

struct ElidedFrame {
    TextEncoding encoding = TextEncoding::Utf8;
    WidthModel widthModel = WidthModel::Narrow;
    bool ruleAbove = true;  // a rule stands between the last row and the one before
    int32_t padding = 0;    // blanks before the words
};

// A frame whose last row is empty, or holds the words in its first cell and
// nothing else, made that row span the table with the words in it: its inner
// borders, and the crossings above and below them, give way. False, leaving
// the frame as it is, when the words do not fit the row whole.
bool span_last_row(std::string& frame, const std::string& words, const ElidedFrame& look);
