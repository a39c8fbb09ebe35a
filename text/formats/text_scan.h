// What every reader and writer needs to walk text by characters, whatever the
// encoding: character lengths, lines, places for refusals and widths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/formats/table.h"

namespace formats {

// Bytes of the character at text[at]. Code page 932: 2 for a lead byte with a
// byte after it. UTF-8: as the lead byte says, cut short at the end of the
// text or at a byte that cannot continue it, so stray bytes go one by one.
size_t char_length(std::string_view text, size_t at, TextEncoding encoding);

struct LineSpan {
    size_t start = 0;
    size_t end = 0;  // before the line end
};

// Lines end in LF, CR LF or CR; empty lines at the end are dropped.
std::vector<LineSpan> split_lines(std::string_view text);

// Turns byte offsets into 1-based lines and character columns. Asking in
// increasing order costs one pass over the text in all.
class Locator {
  public:
    Locator(std::string_view text, TextEncoding encoding) : text_(text), encoding_(encoding) {}

    Refusal refusal_at(RefusalKind kind, size_t offset);
    void place(Cell& cell, size_t offset);

  private:
    void advance_to(size_t offset);

    std::string_view text_;
    TextEncoding encoding_;
    size_t at_ = 0;
    int64_t line_ = 1;
    int64_t column_ = 1;
};

// Display columns of text; code page 932 counts bytes.
int64_t text_columns(std::string_view text, TextEncoding encoding, WidthModel model);

bool is_blank(char c);
std::string_view trim_blanks(std::string_view text);

// The UTF-8 byte order mark, when the text starts with one.
size_t bom_length(std::string_view text, TextEncoding encoding);

}  // namespace formats
