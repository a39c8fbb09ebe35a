// Display columns of UTF-8 text, counted per extended grapheme cluster. A
// cluster shown as emoji is 2; any other takes the width of its first
// character, East Asian Width "ambiguous" being 1 in the narrow model and 2 in
// the wide one. Builds for wasm32 as well as natively: no locale, no exceptions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/width_model.h"

// utf8 must be valid UTF-8; control characters are the caller's to refuse.
// Colour and hyperlink sequences (escape_sequence.h) take no columns and do
// not end a cluster.
int64_t display_width(std::string_view utf8, WidthModel model);

struct Grapheme {
    size_t end;     // one past the cluster's last byte
    int32_t width;  // display columns
};

// The cluster that begins at utf8[at], which must be a cluster boundary before
// the end of utf8. A colour or hyperlink sequence there is a cluster of its
// own, 0 wide; one inside a cluster, between code points that join, is part
// of it.
Grapheme next_grapheme(std::string_view utf8, size_t at, WidthModel model);

// Of a code point alone: 0, 1 or 2 columns.
int code_point_width(uint32_t cp, WidthModel model);

// Whether cp alone is 1 column in the narrow model and 2 in the wide one.
bool is_east_asian_ambiguous(uint32_t cp);
