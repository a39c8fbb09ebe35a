// A frame's lines as characters, and the pieces of a row that spans the whole
// table inside the frame: what the elision row and a title or footer share.
// Frames are worked on as drawn, so every style and both encodings are one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_types.h"

struct SpanLook {
    TextEncoding encoding = TextEncoding::Utf8;
    WidthModel widthModel = WidthModel::Narrow;
};

// A drawn frame cut into its lines, without their line ends.
struct FrameLines {
    std::vector<std::string_view> lines;
    std::string_view end;  // "\n" or "\r\n", as the frame's last line ends
};
FrameLines frame_lines(std::string_view frame);
// The lines joined again, each with the line end.
std::string joined_lines(const std::vector<std::string>& lines, std::string_view end);

// The characters of a line: one byte, or a UTF-8 sequence or a code page 932
// pair whole.
std::vector<std::string_view> chars_of(std::string_view line, TextEncoding encoding);
std::string joined(const std::vector<std::string_view>& chars);
int32_t columns_of(std::string_view text, const SpanLook& look);

// A rule's crossings made the tees of below, or (below empty) its fill.
std::string rule_without_crossings(std::string_view rule, std::string_view below,
                                   TextEncoding encoding);

// The content line's left border, then text (already placed, so many columns
// wide), then blanks to its right border; empty when text does not fit.
std::string spanning_line(std::string_view contentLine, std::string_view text,
                          const SpanLook& look);
