// GitHub Markdown tables read: a header row, a delimiter row, body rows up to
// the first blank line, and the text before the header passed over. Pipes
// split cells unless written "\|"; the outer pipes are optional; cells are
// trimmed. No other backslash is an escape here, which is how GitHub splits
// rows too, so any cell text comes back as it was written. One reader, in one
// pass, whose cells go to a sink: the table value, or the spans and widths a
// frame draws.
#include "text/formats/markdown_reader.h"

#include <climits>
#include <cstdint>

#include "core/byte_blocks.h"
#include "core/text_rules.h"
#include "text/formats/formats_internal.h"
#include "text/formats/markdown_syntax.h"
#include "text/formats/text_scan.h"
#include "text/plain_characters.h"

namespace {

using byte_blocks::Block;
using markdown_syntax::escapes_pipe;
using markdown_syntax::line_break_tag;
using Kernel = byte_blocks::Kernel;
using plain_characters::Character;
using plain_characters::is_printable_ascii;

constexpr size_t kNoBar = SIZE_MAX;

// The blanks trimmed off rows and cells, as formats::is_blank has them, inline.
inline bool is_blank(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' && (byte == ' ' || byte == '\t');
}

// What a cell holds that its span does not tell.
struct CellMarks {
    // A "\|", which reads as '|', or a line break tag, which reads as a line feed.
    bool rewritten = false;
    bool clustered = false;    // some character of it may join a cluster
    int32_t extraColumns = 0;  // its columns past one a byte, for sinks that measure
};

// One line as the reader found it.
struct LineScan {
    size_t end = 0;  // before its line end
    int32_t cells = 0;
    bool blank = false;
    bool piped = false;    // holds a separator, the outer ones too
    bool stopped = false;  // the sink would not take it
};

// Where the lines before the header go: counted, and checked for a delimiter row.
class DelimiterProbe {
  public:
    explicit DelimiterProbe(std::string_view text) : text_(text) {}

    bool take_cell(size_t start, size_t end, const CellMarks& /*marks*/) {
        delimiters_ &= markdown_syntax::is_delimiter_cell(text_.substr(start, end - start));
        return true;
    }
    bool delimiters() const { return delimiters_; }

  private:
    std::string_view text_;
    bool delimiters_ = true;
};

// The reader. Sink takes the cells (take_cell), the rows (end_row) and the
// delimiter row left out (leave_out_row), any of which may stop the reading,
// and says how a character led by a byte of 0x80 or above reads. Its
// constants: kMeasures, whether cells are measured; kTakesControls, whether
// TAB and other control bytes are text (else they stop the reading);
// kPassesOver, whether text before the header and after the first blank line
// may be passed over (else it stops the reading).
template <class Sink>
class MarkdownReader {
  public:
    // text: without its byte order mark and empty last lines.
    MarkdownReader(std::string_view text, Sink& sink)
        : text_(text), bytes_(reinterpret_cast<const unsigned char*>(text.data())), sink_(sink) {}

    // NoCells or NoDelimiterRow; none when read, or when stopped.
    Refusal read() {
        Refusal refusal;
        size_t header = 0;
        size_t delimiter = 0;
        size_t delimiterEnd = 0;
        if (!find_header(header, delimiter, delimiterEnd, refusal)) {
            return refusal;
        }
        const LineScan headerRow = scan_line(header, sink_);
        if (headerRow.stopped || !sink_.end_row(headerRow, header) ||
            !sink_.leave_out_row(delimiter)) {
            return stop();
        }
        for (size_t at = next_line(delimiterEnd); at < text_.size();) {
            const LineScan row = scan_line(at, sink_);
            if (row.stopped || (row.blank && !Sink::kPassesOver)) {
                return stop();
            }
            if (row.blank) {
                break;  // the table ends; what follows is not the table's
            }
            if (!sink_.end_row(row, at)) {
                return stop();
            }
            at = next_line(row.end);
        }
        return refusal;
    }

    bool stopped() const { return stopped_; }

  private:
    // The first line not blank whose next line is a delimiter row of as many
    // cells, and that row's start and end; false with the refusal when there
    // is none, or when stopped.
    bool find_header(size_t& header, size_t& delimiter, size_t& delimiterEnd, Refusal& refusal) {
        int64_t line = 0;
        int64_t firstRow = 0;       // the first line not blank, 0 while none
        size_t candidate = kNoBar;  // the line before, when not blank
        int32_t candidateCells = 0;
        for (size_t at = 0; at < text_.size();) {
            ++line;
            DelimiterProbe probe(text_);
            const LineScan scan = scan_line(at, probe);
            if (scan.stopped) {
                stop();
                return false;
            }
            if (candidate != kNoBar && scan.piped && probe.delimiters() &&
                scan.cells == candidateCells) {
                header = candidate;
                delimiter = at;
                delimiterEnd = scan.end;
                return true;
            }
            if (!Sink::kPassesOver && line == 2) {
                stop();
                return false;
            }
            candidate = scan.blank ? kNoBar : at;
            candidateCells = scan.cells;
            firstRow = firstRow == 0 && !scan.blank ? line : firstRow;
            at = next_line(scan.end);
        }
        refusal = refusal_of(firstRow == 0 ? RefusalKind::NoCells : RefusalKind::NoDelimiterRow);
        if (firstRow != 0) {
            refusal.line = firstRow + 1;
            refusal.column = 1;
        }
        return false;
    }

    Refusal stop() {
        stopped_ = true;
        return {};
    }

    size_t next_line(size_t end) const {
        if (end >= text_.size()) {
            return text_.size();
        }
        return end +
               (bytes_[end] == '\r' && end + 1 < text_.size() && bytes_[end + 1] == '\n' ? 2 : 1);
    }

    // The row on the line from lineStart, its cells given to cells as they
    // close: trimmed, split at every '|' that is not written "\|".
    template <class Cells>
    LineScan scan_line(const size_t lineStart, Cells& cells) {
        LineScan scan;
        const size_t size = text_.size();
        const unsigned char* bytes = bytes_;
        size_t at = lineStart;
        for (; at < size && is_blank(text_[at]); ++at) {
            if (bytes[at] == '\t' && !Sink::kTakesControls) {
                scan.stopped = true;
                return scan;
            }
        }
        if (at == size || bytes[at] == '\n' || bytes[at] == '\r') {
            scan.end = at;
            scan.blank = true;
            return scan;
        }
        const size_t contentStart = at;
        // Where the blanks that end the text before from begin; the line's
        // first byte that is not a blank bounds the search.
        auto blanks_before = [&](size_t from) {
            while (from > contentStart && is_blank(text_[from - 1])) {
                --from;
            }
            return from;
        };
        size_t lastBar = kNoBar;  // a separator that may end the line as its outer border
        if (bytes[at] == '|') {
            lastBar = at++;  // the outer border
        }
        size_t cellStart = at;
        CellMarks marks;
        // The cell's text ends at end; a cell of blanks is placed where it
        // ends, at closedAt.
        auto take_cell = [&](size_t end, size_t closedAt) {
            size_t start = cellStart;
            while (start < end && is_blank(text_[start])) {
                ++start;
            }
            if (start == end) {
                start = end = closedAt;
            }
            ++scan.cells;
            return cells.take_cell(start, end, marks);
        };
        // The cell ends at the separator, its text where its last blanks begin.
        auto take_separator = [&](size_t separator, size_t textEnd) {
            if (!take_cell(textEnd, separator)) {
                return false;
            }
            lastBar = separator;
            cellStart = separator + 1;
            marks = CellMarks{};
            return true;
        };
        // Printable ASCII is a column a byte: a block at a time to the next
        // byte that is not, or that is '\' or '<', the separators among them
        // taken bit by bit.
        auto take_printable_run = [&] {
            for (; size - at >= Kernel::kBlockBytes; at += Kernel::kBlockBytes) {
                const Block block = Kernel::block_at(bytes + at, '\\', '<');
                for (uint64_t bars = block.bars; bars != 0; bars &= bars - 1) {
                    const size_t index = Kernel::byte_index(bars);
                    const uint64_t before = block.solid & Kernel::bytes_below(index);
                    if (!take_separator(at + index, before != 0 ? at + Kernel::past_highest(before)
                                                                : blanks_before(at))) {
                        return false;
                    }
                }
                if (block.plain < Kernel::kBlockBytes) {
                    at += block.plain;
                    return true;
                }
            }
            for (; at < size && is_printable_ascii(bytes[at]) && bytes[at] != '\\' &&
                   bytes[at] != '<';
                 ++at) {
                if (bytes[at] == '|' && !take_separator(at, blanks_before(at))) {
                    return false;
                }
            }
            return true;
        };
        while (at < size) {
            const unsigned char byte = bytes[at];
            bool taken = true;
            if (byte == '\\') {
                const bool escaped = escapes_pipe(text_, at);
                marks.rewritten |= escaped;
                at += escaped ? 2 : 1;
            } else if (byte == '<') {
                marks.rewritten |= line_break_tag(text_.substr(at)) > 0;
                ++at;
            } else if (is_printable_ascii(byte)) {
                taken = take_printable_run();
            } else if (byte >= 0x80) {
                const Character c = sink_.character(text_, at);
                taken = c.length != 0;
                if constexpr (Sink::kMeasures) {
                    marks.clustered |= c.columns < 0;
                    marks.extraColumns += c.columns - static_cast<int32_t>(c.length);
                }
                at += c.length;
            } else if (byte == '\n' || byte == '\r') {
                break;
            } else {
                taken = Sink::kTakesControls;  // TAB, a control character or an escape sequence
                ++at;
            }
            if (!taken) {
                scan.stopped = true;
                return scan;
            }
        }
        scan.end = at;
        scan.piped = lastBar != kNoBar;
        // Without an outer border the last cell runs to the line's last blank.
        const size_t textEnd = blanks_before(at);
        scan.stopped = lastBar != textEnd - 1 && !take_cell(textEnd, textEnd);
        return scan;
    }

    std::string_view text_;
    const unsigned char* bytes_;
    Sink& sink_;
    bool stopped_ = false;
};

// The table value: cells as spans of the input, but those holding "\|" or a
// line break tag, built in the table's own text; each placed in the input.
template <TextEncoding kEncoding>
class TableSink {
  public:
    static constexpr bool kMeasures = false;
    static constexpr bool kTakesControls = true;
    static constexpr bool kPassesOver = true;
    static constexpr bool kCp932 = kEncoding == TextEncoding::Cp932;

    TableSink(std::string_view text, Table& table) : text_(text), table_(table) {}

    // Only '|', '\', '<' and line ends split or mark a row, and no UTF-8
    // character holds one of them; a code page 932 lead byte takes the next
    // byte with it, but not a line end.
    Character character(std::string_view text, size_t at) const {
        if constexpr (!kCp932) {
            return {1, 0};
        }
        const size_t length = text_rules::char_length(text, at, true);
        return {length == 2 && text_rules::is_line_end(text[at + 1]) ? 1 : length, 0};
    }

    bool take_cell(size_t start, size_t end, const CellMarks& marks) {
        if (!marks.rewritten) {
            table_.add_cell(text_.substr(start, end - start), start);
            return true;
        }
        const std::string_view cell = text_.substr(0, end);
        std::string& cellText = table_.open_cell(start);
        for (size_t at = start; at < end;) {
            if (escapes_pipe(cell, at)) {
                ++at;  // the '|' is the cell's
                continue;
            }
            const size_t lineBreak = text_[at] == '<' ? line_break_tag(cell.substr(at)) : 0;
            if (lineBreak > 0) {
                cellText += '\n';
                at += lineBreak;
                continue;
            }
            const size_t length = text_rules::char_length(text_, at, kCp932);
            cellText.append(text_.substr(at, length));
            at += length;
        }
        return true;
    }

    bool end_row(const LineScan& /*row*/, size_t /*lineStart*/) {
        table_.end_row();
        return true;
    }
    bool leave_out_row(size_t /*lineStart*/) { return true; }

  private:
    std::string_view text_;
    Table& table_;
};

// Out of line, so that the reader, which takes all else in, keeps one copy.
__attribute__((noinline)) int32_t clustered_width(std::string_view cell, WidthModel model) {
    return static_cast<int32_t>(display_width(cell, model));
}

// The cells a frame draws: spans of the input and their widths, taken only
// as they stand and checked as check_input_text checks them.
template <TextEncoding kEncoding>
class GridSink {
  public:
    static constexpr bool kMeasures = true;
    static constexpr bool kTakesControls = false;
    static constexpr bool kPassesOver = false;

    GridSink(std::string_view text, WidthModel model, bool bordersOnly, CellGrid& grid)
        : text_(text), model_(model), bordersOnly_(bordersOnly), grid_(grid) {}

    Character character(std::string_view text, size_t at) const {
        if constexpr (kEncoding == TextEncoding::Cp932) {
            return plain_characters::cp932_character(text, at);
        }
        return plain_characters::utf8_character(text, at, model_);
    }

    bool take_cell(size_t start, size_t end, const CellMarks& marks) {
        if (marks.rewritten || rowCells_ == cellLimit_) {
            return false;
        }
        ++rowCells_;
        const auto length = static_cast<int32_t>(end - start);
        CellSpan& cell = grid_.cells.emplace_back();
        cell.start = static_cast<int32_t>(start);
        cell.length = length;
        cell.width = marks.clustered ? clustered_width(text_.substr(start, end - start), model_)
                                     : length + marks.extraColumns;
        return true;
    }

    bool end_row(const LineScan& row, size_t lineStart) {
        const int32_t cells = rowCells_;
        rowCells_ = 0;
        if (grid_.rows == 0) {
            grid_.columns = cells;
            cellLimit_ = cells;
            // The rows, guessed from the header's length, so that the cells
            // seldom move.
            const size_t lineBytes = row.end - lineStart + 1;
            grid_.cells.reserve((text_.size() / lineBytes + 1) * static_cast<size_t>(cells));
        }
        if (cells == 0 || cells != grid_.columns || !starts_with_border(lineStart)) {
            return false;
        }
        ++grid_.rows;
        return true;
    }

    bool leave_out_row(size_t lineStart) const { return starts_with_border(lineStart); }

  private:
    bool starts_with_border(size_t lineStart) const {
        return !bordersOnly_ || text_[lineStart] == '|';
    }

    std::string_view text_;
    WidthModel model_;
    bool bordersOnly_;
    CellGrid& grid_;
    int32_t rowCells_ = 0;
    int32_t cellLimit_ = INT32_MAX;  // the header's cells, once read
};

template <TextEncoding kEncoding>
TableRead read_markdown_in(std::string_view text) {
    TableRead read;
    read.table.borrow(text);
    read.table.encoding = kEncoding;
    TableSink<kEncoding> sink(text, read.table);
    MarkdownReader<TableSink<kEncoding>> reader(text_rules::without_trailing_line_ends(text), sink);
    read.refusal = reader.read();
    return read;
}

// Out of line, everything it calls taken in, as read_plain_table's readers.
template <TextEncoding kEncoding>
__attribute__((noinline, flatten)) bool read_markdown_cells_in(std::string_view text,
                                                               WidthModel widthModel,
                                                               bool bordersOnly, CellGrid& grid) {
    GridSink<kEncoding> sink(text, widthModel, bordersOnly, grid);
    MarkdownReader<GridSink<kEncoding>> reader(text, sink);
    return reader.read().kind == RefusalKind::None && !reader.stopped();
}

}  // namespace

namespace formats {

TableRead read_markdown(std::string_view text, TextEncoding encoding) {
    if (encoding == TextEncoding::Cp932) {
        return read_markdown_in<TextEncoding::Cp932>(text);
    }
    return read_markdown_in<TextEncoding::Utf8>(text);
}

}  // namespace formats

bool read_markdown_cells(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                         bool bordersOnly, CellGrid& grid) {
    if (text.size() > INT32_MAX) {
        return false;
    }
    if (encoding == TextEncoding::Cp932) {
        return read_markdown_cells_in<TextEncoding::Cp932>(text, widthModel, bordersOnly, grid);
    }
    return read_markdown_cells_in<TextEncoding::Utf8>(text, widthModel, bordersOnly, grid);
}
