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

// Whether some cluster of utf8 may be wider than 2 columns: only half-width
// sound marks widen the cluster they extend. False is certain; true is not.
bool may_hold_cluster_over_two_columns(std::string_view utf8);

// Of a code point alone: 0, 1 or 2 columns.
int code_point_width(uint32_t cp, WidthModel model);

// Columns of cp when it is a cluster of its own whatever stands beside it:
// grapheme break class Other, not pictographic, never shown as emoji; -1 for
// any other code point. Text of such code points alone is as wide as their
// sum, so most CJK text is measured without the cluster rules.
int looked_up_lone_cluster_width(uint32_t cp, WidthModel model);
inline int lone_cluster_width(uint32_t cp, WidthModel model) {
    // Ideographs of the basic block and the kana, but for the combining sound
    // marks U+3099 and U+309A: the commonest wide text.
    if (cp - 0x4E00u <= 0x9FFFu - 0x4E00u || cp - 0x3041u <= 0x3096u - 0x3041u ||
        cp - 0x309Bu <= 0x30FFu - 0x309Bu) {
        return 2;
    }
    return looked_up_lone_cluster_width(cp, model);
}

// Whether cp alone is 1 column in the narrow model and 2 in the wide one.
bool is_east_asian_ambiguous(uint32_t cp);
