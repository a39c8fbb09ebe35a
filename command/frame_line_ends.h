// CR LF line ends for a rendered frame, whose styles end lines in LF alone.
#pragma once

#include <array>
#include <string>
#include <string_view>

// The last character of every line of every frame style, in the order in
// which their line ends are rewritten.
inline constexpr std::array<std::string_view, 11> kFrameRightBorders = {
    "\x84\xAD", "\x84\xAB", "\x84\xB2", "\x84\xAE", "+",        "|",
    "\x84\xA2", "\x84\xA0", "\x84\xA7", "\x84\xA3", "\x84\xB7",
};

// Every right-border character directly followed by LF, at a character
// boundary, gets a CR before that LF; any other LF stays as it is.
std::string frame_crlf_line_ends(std::string_view frame);

// The same rewrite for a frame whose only LFs end its lines, all lineLength
// bytes long (LF included): the CRs can only go before those ends, so the
// frame needs no search.
std::string frame_crlf_line_ends_of_even_lines(std::string_view frame, size_t lineLength);
