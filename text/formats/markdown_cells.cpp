#include "text/formats/markdown_cells.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#include "text/plain_blocks.h"
#include "text/plain_characters.h"

using plain_blocks::Block;
using plain_blocks::byte_index;
using plain_blocks::bytes_below;
using plain_blocks::kBlockBytes;
using plain_blocks::past_highest;
using plain_characters::Character;
using plain_characters::cp932_character;
using plain_characters::is_printable_ascii;
using plain_characters::utf8_character;

bool is_markdown_delimiter_cell(std::string_view cell) {
    if (!cell.empty() && cell.front() == ':') {
        cell.remove_prefix(1);
    }
    if (!cell.empty() && cell.back() == ':') {
        cell.remove_suffix(1);
    }
    return !cell.empty() && cell.find_first_not_of('-') == std::string_view::npos;
}

namespace {

constexpr size_t kNoBar = SIZE_MAX;

// Out of line, so that the reader, which takes all else in, keeps one copy.
__attribute__((noinline)) int32_t clustered_width(std::string_view cell, WidthModel model) {
    return static_cast<int32_t>(display_width(cell, model));
}
constexpr size_t kNotPlain = SIZE_MAX;

// The careful reader turns "\|" into a '|' of the cell and "<br>" into a
// line break; the one pass leaves both, and any "<b", to it. '\' and '<'
// stop a run of plain bytes to be looked at closer.
inline bool is_odd(unsigned char byte) {
    return byte == '\\' || byte == '<';
}

inline bool starts_escape_or_tag(const unsigned char* bytes, size_t at, size_t size) {
    const unsigned char next = at + 1 < size ? bytes[at + 1] : 0;
    return bytes[at] == '\\' ? next == '|' : (next | 0x20) == 'b';
}

// The odd bytes end a block's plain bytes too.
inline plain_blocks::Block block_at(const unsigned char* bytes) {
    return plain_blocks::block_at(bytes, '\\', '<');
}

template <TextEncoding kEncoding>
class PlainMarkdownReader {
  public:
    PlainMarkdownReader(std::string_view table, WidthModel widthModel, CellGrid& cells)
        : text(table), model(widthModel), grid(cells) {}

    bool read() {
        if (text.size() > INT32_MAX) {
            return false;
        }
        size_t at = 0;
        int32_t lines = 0;
        do {
            at = read_line(at);
            if (at == kNotPlain || (lines == 1 && !drop_delimiter_row())) {
                return false;
            }
            ++lines;
            if (at < text.size()) {
                at += text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
            }
        } while (at < text.size());
        return lines >= 2;
    }

  private:
    static constexpr bool kCp932 = kEncoding == TextEncoding::Cp932;

    // The row on the line from lineStart, cut as read_markdown cuts it: where
    // the line ends, or kNotPlain.
    size_t read_line(const size_t lineStart) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        const size_t size = text.size();
        size_t at = lineStart;
        while (at < size && bytes[at] == ' ') {
            ++at;
        }
        if (at == size || bytes[at] == '\n' || bytes[at] == '\r') {
            return kNotPlain;  // a blank line, where the careful path ends the table
        }
        const size_t contentStart = at;
        // Where the blanks that end the text before from begin; the line's
        // first byte that is not a blank bounds the search.
        auto blanks_before = [&](size_t from) {
            while (from > contentStart && bytes[from - 1] == ' ') {
                --from;
            }
            return from;
        };
        size_t lastBar = kNoBar;  // a separator that may end the line as its outer border
        if (bytes[at] == '|') {
            lastBar = at++;  // the outer border
        }
        int32_t cells = 0;
        size_t cellStart = at;
        // The cell's columns past one a byte: ASCII is a column a byte, and
        // so are the blanks trimmed off.
        int32_t extraColumns = 0;
        bool clustered = false;  // some character of the cell may join a cluster
        // The cell ends at the separator, its text where its last blanks begin.
        auto take_separator = [&](size_t separator, size_t textEnd) {
            if (!add_cell(cells, cellStart, textEnd, extraColumns, clustered)) {
                return false;
            }
            lastBar = separator;
            cellStart = separator + 1;
            extraColumns = 0;
            clustered = false;
            return true;
        };
        // Printable ASCII is a column a byte: a block at a time to the next
        // byte that is not, the separators among them taken bit by bit.
        auto take_printable_run = [&] {
#ifdef ZENTAB_PLAIN_BLOCKS
            for (; size - at >= kBlockBytes; at += kBlockBytes) {
                const Block block = block_at(bytes + at);
                for (uint64_t bars = block.bars; bars != 0; bars &= bars - 1) {
                    const size_t index = byte_index(bars);
                    const uint64_t before = block.solid & bytes_below(index);
                    if (!take_separator(at + index, before != 0 ? at + past_highest(before)
                                                                : blanks_before(at))) {
                        return false;
                    }
                }
                if (block.plain < kBlockBytes) {
                    at += block.plain;
                    return true;
                }
            }
#endif
            for (; at < size && is_printable_ascii(bytes[at]) && !is_odd(bytes[at]); ++at) {
                if (bytes[at] == '|' && !take_separator(at, blanks_before(at))) {
                    return false;
                }
            }
            return true;
        };
        while (at < size) {
            const unsigned char byte = bytes[at];
            if (is_odd(byte)) {
                if (starts_escape_or_tag(bytes, at, size)) {
                    return kNotPlain;
                }
                ++at;
            } else if (is_printable_ascii(byte)) {
                if (!take_printable_run()) {
                    return kNotPlain;
                }
            } else if (byte >= 0x80) {
                const Character c =
                    kCp932 ? cp932_character(text, at) : utf8_character(text, at, model);
                if (c.length == 0) {
                    return kNotPlain;
                }
                clustered |= c.columns < 0;
                extraColumns += c.columns - static_cast<int32_t>(c.length);
                at += c.length;
            } else if (byte == '\n' || byte == '\r') {
                break;
            } else {
                return kNotPlain;  // TAB, a control character or an escape sequence
            }
        }
        lineHasBar = lastBar != kNoBar;
        // Without an outer border the last cell runs to the line's last blank.
        const size_t textEnd = blanks_before(at);
        if (lastBar != textEnd - 1 &&
            !add_cell(cells, cellStart, textEnd, extraColumns, clustered)) {
            return kNotPlain;
        }
        return end_row(cells, at - lineStart) ? at : kNotPlain;
    }

    // The cell [start, end) without its first blanks; end is where its last
    // blanks begin.
    bool add_cell(int32_t& cells, size_t start, size_t end, int32_t extraColumns, bool clustered) {
        if (grid.rows != 0 && cells == grid.columns) {
            return false;
        }
        ++cells;
        while (start < end && text[start] == ' ') {
            ++start;
        }
        const auto length = static_cast<int32_t>(end - start);
        CellSpan& cell = grid.cells.emplace_back();
        cell.start = static_cast<int32_t>(start);
        cell.length = length;
        cell.width = clustered ? clustered_width(text.substr(start, end - start), model)
                               : length + extraColumns;
        return true;
    }

    bool end_row(int32_t cells, size_t lineBytes) {
        if (grid.rows == 0) {
            grid.columns = cells;
            // The rows, guessed from the header's length, so that the cells
            // seldom move.
            grid.cells.reserve((text.size() / (lineBytes + 1) + 1) * static_cast<size_t>(cells));
        }
        if (cells == 0 || cells != grid.columns) {
            return false;
        }
        ++grid.rows;
        return true;
    }

    // The second row, just read, must be the delimiter row: it is checked,
    // then taken out of the cells.
    bool drop_delimiter_row() {
        if (!lineHasBar) {
            return false;  // dashes alone underline a heading
        }
        const size_t first = grid.cells.size() - static_cast<size_t>(grid.columns);
        for (size_t k = first; k < grid.cells.size(); ++k) {
            const CellSpan& cell = grid.cells[k];
            if (!is_markdown_delimiter_cell(text.substr(static_cast<size_t>(cell.start),
                                                        static_cast<size_t>(cell.length)))) {
                return false;
            }
        }
        grid.cells.resize(first);
        --grid.rows;
        return true;
    }

    std::string_view text;
    WidthModel model;
    CellGrid& grid;
    bool lineHasBar = false;  // the line just read holds a '|'
};

// Out of line, everything it calls taken in, as read_plain_table's readers.
template <TextEncoding kEncoding>
__attribute__((noinline, flatten)) bool read_plain_markdown_in(std::string_view text,
                                                               WidthModel widthModel,
                                                               CellGrid& grid) {
    return PlainMarkdownReader<kEncoding>(text, widthModel, grid).read();
}

}  // namespace

bool read_plain_markdown(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                         CellGrid& grid) {
    if (encoding == TextEncoding::Cp932) {
        return read_plain_markdown_in<TextEncoding::Cp932>(text, widthModel, grid);
    }
    return read_plain_markdown_in<TextEncoding::Utf8>(text, widthModel, grid);
}
