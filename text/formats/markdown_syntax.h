// What a Markdown pipe table's text means, written once for the reader, the
// writer and the document formatter: the delimiter row's cells, the escaped
// '|' and the line break tag.
#pragma once

#include <cstddef>
#include <string_view>

namespace markdown_syntax {

// A delimiter row's cell, trimmed: dashes, with a colon at either end or both.
inline bool is_delimiter_cell(std::string_view cell) {
    if (!cell.empty() && cell.front() == ':') {
        cell.remove_prefix(1);
    }
    if (!cell.empty() && cell.back() == ':') {
        cell.remove_suffix(1);
    }
    return !cell.empty() && cell.find_first_not_of('-') == std::string_view::npos;
}

// Whether the character at text[at] is the '\' of "\|", a '|' of the cell
// rather than a separator. No other backslash escapes anything.
inline bool escapes_pipe(std::string_view text, size_t at) {
    return text[at] == '\\' && at + 1 < text.size() && text[at + 1] == '|';
}

// The length of the line break written <br>, <br/> or <br /> (in any case)
// at the start of text, else 0.
inline size_t line_break_tag(std::string_view text) {
    if (text.size() < 4 || text[0] != '<' || (text[1] | 0x20) != 'b' || (text[2] | 0x20) != 'r') {
        return 0;
    }
    for (std::string_view end : {">", "/>", " />"}) {
        if (text.substr(3, end.size()) == end) {
            return 3 + end.size();
        }
    }
    return 0;
}

}  // namespace markdown_syntax
