// Where the page must box characters: the grapheme clusters of a frame that
// hold a character beyond ASCII, with their columns.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/width_model.h"

// Appends, for each grapheme cluster of `text` (valid UTF-8) that holds a
// character beyond ASCII (an accent after a plain letter too), its start and
// length in UTF-16 code units and its columns.
void lay_out_clusters(std::string_view text, WidthModel model, std::vector<uint32_t>& triples);
