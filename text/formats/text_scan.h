// What the readers and writers add to text_rules: lines as a list, places for
// cells and refusals, display columns and blanks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/text_rules.h"
#include "text/formats/table.h"

namespace formats {

inline bool is_cp932(TextEncoding encoding) {
    return encoding == TextEncoding::Cp932;
}

// A line of a text read whole, before its line end. Offsets of 32 bits: a
// table's lines are many, and every text read whole is far shorter.
struct LineSpan {
    uint32_t start;
    uint32_t end;
};
using Lines = std::vector<LineSpan>;

// The lines of text_rules::line_at, without the empty lines at the end; text
// shorter than 4 GiB.
Lines split_lines(std::string_view text);

// A refusal at offset in the reader's text.
Refusal refusal_at(std::string_view text, TextEncoding encoding, RefusalKind kind, size_t offset);

// Whether every cell is text as input must be, else the refusal for the
// first that is not, placed where the cell stands: what a frame draws as it
// stands. A JSON string may spell any text.
bool cells_are_text(const Table& table, Refusal& refusal);

// Whether every escape sequence in a cell is whole in it, else the refusal
// for the first ESC that begins none. Cells are spans of text that holds
// whole sequences, but a separator may cut one in two: written as they
// stand, the halves would leave a terminal in a state the table did not
// draw, or read back as something else.
bool escapes_whole(const Table& table, Refusal& refusal);

// Display columns of text; code page 932 counts bytes.
int64_t text_columns(std::string_view text, TextEncoding encoding, WidthModel model);

bool is_blank(char c);
std::string_view trim_blanks(std::string_view text);

// A set of ASCII bytes, looked for in a cell in one pass, where
// find_first_of(bytes) would search the set again for every byte.
class AsciiStops {
  public:
    constexpr explicit AsciiStops(std::string_view bytes, std::string_view moreBytes = {}) {
        add(bytes);
        add(moreBytes);
    }
    bool any_in(std::string_view text) const {
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 128 && ((byte < 64 ? low_ : high_) >> (byte & 63) & 1) != 0) {
                return true;
            }
        }
        return false;
    }

  private:
    constexpr void add(std::string_view bytes) {
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            (byte < 64 ? low_ : high_) |= uint64_t{1} << (byte & 63);
        }
    }

    uint64_t low_ = 0;
    uint64_t high_ = 0;
};

}  // namespace formats
