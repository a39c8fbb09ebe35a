#include "text/plain_psv.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "text/plain_characters.h"

namespace {
using plain_characters::bytes_equal;
using plain_characters::Character;
using plain_characters::cp932_character;
using plain_characters::first_bytes;
using plain_characters::is_printable_ascii;
using plain_characters::printable_ascii_bytes;
using plain_characters::utf8_character;

constexpr size_t kNoBar = SIZE_MAX;

// What a format's plain cells are cut at and may not hold. psv cuts at '|',
// an outer border, and TAB; csv and tsv at their one separator. csv and tsv
// leave '|' (which a frame refuses in a cell), a quote in csv, a TAB in csv
// and an empty line to read_plain_delimited_cells and the general reader.
template <TableFormat kFormat>
struct PlainFormat {
    static constexpr bool kPsv = kFormat == TableFormat::Psv;
    static constexpr bool kCsv = kFormat == TableFormat::Csv;
    // The printable separator, or 0 when TAB is the only one.
    static constexpr char kPrintableSeparator = kPsv ? '|' : kCsv ? ',' : '\0';
    static constexpr bool kTabSeparates = !kCsv;

    static bool refused(unsigned char byte) {
        return (!kPsv && byte == '|') || (kCsv && byte == '"');
    }

    static uint64_t refused_among(uint64_t word) {
        if constexpr (kPsv) {
            return 0;
        } else if constexpr (kCsv) {
            return bytes_equal(word, '|') | bytes_equal(word, '"');
        } else {
            return bytes_equal(word, '|');
        }
    }
};

// Out of line, so that the readers, which take all else in, keep one copy.
__attribute__((noinline)) int32_t clustered_width(std::string_view cell, WidthModel model) {
    return static_cast<int32_t>(display_width(cell, model));
}

template <TextEncoding kEncoding, TableFormat kFormat>
class PlainTableReader {
    using Format = PlainFormat<kFormat>;

  public:
    PlainTableReader(std::string_view table, WidthModel widthModel, CellGrid& cells)
        : text(table), model(widthModel), grid(cells) {}

    bool read() {
        if (text.size() > INT32_MAX) {
            return false;
        }
        size_t at = 0;
        do {
            at = read_line(at);
            if (at == kNotPlain) {
                return false;
            }
            if (at < text.size()) {
                at += text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
            }
        } while (at < text.size());
        return true;
    }

  private:
    static constexpr bool kCp932 = kEncoding == TextEncoding::Cp932;
    static constexpr size_t kNotPlain = SIZE_MAX;

    // The line from at, cut as cut_line_cells cuts it: where it ends, or
    // kNotPlain.
    size_t read_line(const size_t lineStart) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        const size_t size = text.size();
        size_t lastBar = kNoBar;  // a separator that may end the line as its outer border
        int32_t cells = 0;
        size_t cellStart = lineStart;
        int32_t width = 0;       // the cell's columns, when it is not clustered
        bool clustered = false;  // some character of the cell may join a cluster
        size_t at = lineStart;
        // The cell ends at a separator; a leading '|' of psv is the outer border.
        auto separate = [&](size_t separator, bool bar) {
            if ((separator != lineStart || !bar) &&
                !add_cell(cells, cellStart, separator, width, clustered)) {
                return false;
            }
            lastBar = bar ? separator : kNoBar;
            cellStart = separator + 1;
            width = 0;
            clustered = false;
            return true;
        };
        // Printable ASCII is a column a byte: eight bytes at a time to the
        // next byte that is not, the separators among them taken bit by bit.
        size_t runStart = at;
        auto take_separator = [&](size_t separator) {
            width += static_cast<int32_t>(separator - runStart);
            runStart = separator + 1;
            return separate(separator, Format::kPsv);
        };
        auto take_printable_run = [&] {
            runStart = at;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
            for (; size - at >= 8; at += 8) {
                uint64_t word;
                std::memcpy(&word, bytes + at, sizeof word);
                const unsigned printable = printable_ascii_bytes(word);
                const uint64_t taken = first_bytes(printable);
                if ((Format::refused_among(word) & taken) != 0) {
                    return false;
                }
                uint64_t separators = 0;
                if constexpr (Format::kPrintableSeparator != '\0') {
                    separators = bytes_equal(word, Format::kPrintableSeparator) & taken;
                }
                for (; separators != 0; separators &= separators - 1) {
                    const size_t separator =
                        at + static_cast<size_t>(__builtin_ctzll(separators)) / 8;
                    if (!take_separator(separator)) {
                        return false;
                    }
                }
                if (printable < 8) {
                    at += printable;
                    width += static_cast<int32_t>(at - runStart);
                    return true;
                }
            }
#endif
            for (; at < size && is_printable_ascii(bytes[at]); ++at) {
                if (Format::refused(bytes[at])) {
                    return false;
                }
                if (Format::kPrintableSeparator != '\0' &&
                    bytes[at] == static_cast<unsigned char>(Format::kPrintableSeparator) &&
                    !take_separator(at)) {
                    return false;
                }
            }
            width += static_cast<int32_t>(at - runStart);
            return true;
        };
        while (at < size) {
            const unsigned char byte = bytes[at];
            if (is_printable_ascii(byte)) {
                if (!take_printable_run()) {
                    return kNotPlain;
                }
            } else if (byte >= 0x80) {
                const Character c =
                    kCp932 ? cp932_character(text, at) : utf8_character(text, at, model);
                // A pair's second byte may be '|', which csv and tsv leave
                // to the general reader byte for byte.
                if (c.length == 0 || (c.length == 2 && Format::refused(bytes[at + 1]))) {
                    return kNotPlain;
                }
                clustered |= c.columns < 0;
                width += c.columns;
                at += c.length;
            } else if (byte == '\t') {
                if (!Format::kTabSeparates || !separate(at, false)) {
                    return kNotPlain;
                }
                ++at;
            } else if (byte == '\n' || byte == '\r') {
                break;
            } else {
                return kNotPlain;  // a control character or an escape sequence
            }
        }
        if (!Format::kPsv && at == lineStart) {
            return kNotPlain;  // a row of one empty cell, or refused
        }
        const bool endsInBorder = at != lineStart && lastBar == at - 1;
        if (!endsInBorder && !add_cell(cells, cellStart, at, width, clustered)) {
            return kNotPlain;
        }
        return end_row(cells, at - lineStart) ? at : kNotPlain;
    }

    bool add_cell(int32_t& cells, size_t start, size_t end, int32_t width, bool clustered) {
        if (grid.rows != 0 && cells == grid.columns) {
            return false;
        }
        ++cells;
        if (clustered) {
            width = clustered_width(text.substr(start, end - start), model);
        }
        // Filled in place: a cell pushed whole went through memory, where its
        // two halves were written apart and read back as one.
        CellSpan& cell = grid.cells.emplace_back();
        cell.start = static_cast<int32_t>(start);
        cell.length = static_cast<int32_t>(end - start);
        cell.width = width;
        return true;
    }

    bool end_row(int32_t cells, size_t lineBytes) {
        if (grid.rows == 0) {
            grid.columns = cells;
            // The rows, guessed from the first line's length, so that the
            // cells seldom move.
            grid.cells.reserve((text.size() / (lineBytes + 1) + 1) * static_cast<size_t>(cells));
        } else if (cells != grid.columns) {
            return false;
        }
        ++grid.rows;
        return true;
    }

    std::string_view text;
    WidthModel model;
    CellGrid& grid;
};

// Out of line, one format each, everything it calls taken in: inlined into
// frame_text by the link-time optimizer, the reader's loop kept a cell's
// width in memory, and with six readers in one unit it called out for each
// cell and character.
template <TableFormat kFormat>
__attribute__((noinline, flatten)) bool read_plain_format(std::string_view text,
                                                          TextEncoding encoding,
                                                          WidthModel widthModel, CellGrid& grid) {
    if (encoding == TextEncoding::Cp932) {
        return PlainTableReader<TextEncoding::Cp932, kFormat>(text, widthModel, grid).read();
    }
    return PlainTableReader<TextEncoding::Utf8, kFormat>(text, widthModel, grid).read();
}
}  // namespace

bool read_plain_table(std::string_view text, TableFormat format, TextEncoding encoding,
                      WidthModel widthModel, CellGrid& grid) {
    switch (format) {
        case TableFormat::Psv:
            return read_plain_format<TableFormat::Psv>(text, encoding, widthModel, grid);
        case TableFormat::Csv:
            return read_plain_format<TableFormat::Csv>(text, encoding, widthModel, grid);
        case TableFormat::Tsv:
            return read_plain_format<TableFormat::Tsv>(text, encoding, widthModel, grid);
        default:
            return false;
    }
}
