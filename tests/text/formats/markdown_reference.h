// A Markdown reader written to be obviously right rather than fast: lines
// split first, then rows, then cells, each a string of its own, character by
// character. The readers of the text layer are checked against it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/refusal.h"
#include "text/text_types.h"

struct MarkdownReferenceCell {
    std::string text;
    int64_t line = 0;
    int64_t column = 0;
};

struct MarkdownReferenceRead {
    std::vector<std::vector<MarkdownReferenceCell>> rows;
    Refusal refusal;
};

// text: without its byte order mark.
MarkdownReferenceRead reference_markdown(std::string_view text, TextEncoding encoding);
