// CR LF line ends for a rendered frame, whose styles end lines in LF alone.
#pragma once

#include <string>
#include <string_view>

// Every right-border character directly followed by LF, at a character
// boundary, gets a CR before that LF; any other LF stays as it is.
std::string frame_crlf_line_ends(std::string_view frame);

// The same rewrite for a frame whose only LFs end its lines, all lineLength
// bytes long (LF included): the CRs can only go before those ends, so the
// frame needs no search.
std::string frame_crlf_line_ends_of_even_lines(std::string_view frame, size_t lineLength);

// Whether a frame drawn straight with CR LF ends, all its lines lineLength
// bytes long (CR LF included), is what the rewrite makes of the same frame
// with LF ends: its only LFs end its lines, and each line's right border is
// one the rewrite would find there.
bool frame_crlf_ends_match_rewrite(std::string_view crlfFrame, size_t lineLength);
