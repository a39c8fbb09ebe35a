// psv, tsv and csv read in one pass, one record at a time, into a sink: the
// table value, or spans and widths for the frame renderer. Plain bytes are
// skipped a block at a time; the loop stops only at a byte it must look at.
//
// psv splits at '|' and TAB, skips a leading '|' and opens no cell after a
// trailing '|', as the core's line cutter does; in code page 932 the byte
// after a lead byte is its character's. tsv splits at TAB alone. csv is
// RFC 4180's, with LF or CR alone also ending a record; quotes, commas and
// line ends are ASCII below 0x40, which no code page 932 pair holds.
//
// The sink says how careful to be. A one-pass sink takes unchecked input: the
// reader checks and measures each character, and stops at anything out of
// the ordinary (a control, an escape sequence, bad text, a cell the frame
// refuses), which the careful path then reads. Other sinks take input that
// the input check passed, every byte a cell's.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/byte_blocks.h"
#include "core/text_rules.h"
#include "text/plain_characters.h"
#include "text/refusal.h"
#include "text/text_types.h"

namespace delimited {

enum class Syntax : uint8_t { Psv, Tsv, Csv };

// One cell as read: its text is [start, end) of the input, less one quote of
// each doubled pair; place is where it begins, its opening quote included.
struct CellRead {
    size_t start;
    size_t end;
    size_t place;
    size_t doubledQuotes;
    int32_t width;  // columns, when nothing in it may join a cluster
    bool measured;  // whether width is the cell's; else the sink measures it
};

// Sink: static constexpr bool kOnePass; void begin_row(size_t lineStart);
// bool cell(const CellRead&, int32_t cells), cells the row's so far, this one
// included; bool end_row(size_t start, size_t end, int32_t cells); bool
// refuse(RefusalKind, size_t offset). A false return stops.
template <Syntax kSyntax, typename Sink, typename K = byte_blocks::Kernel>
class DelimitedReader {
  public:
    DelimitedReader(std::string_view text, TextEncoding encoding, WidthModel model, Sink& sink)
        : text_(text),
          bytes_(reinterpret_cast<const unsigned char*>(text.data())),
          cp932_(encoding == TextEncoding::Cp932),
          model_(model),
          sink_(sink) {}

    // False when the sink stopped the read.
    bool read() {
        if (text_.size() > INT32_MAX) {
            return false;
        }
        for (size_t at = 0; at < text_.size();) {
            at = read_record(at);
            if (at == kStopped) {
                return false;
            }
        }
        return true;
    }

  private:
    static constexpr bool kPsv = kSyntax == Syntax::Psv;
    static constexpr bool kCsv = kSyntax == Syntax::Csv;
    static constexpr bool kOnePass = Sink::kOnePass;
    static constexpr char kSeparator = kPsv ? '|' : kCsv ? ',' : '\t';
    // The printable bytes a block of plain bytes stops at (TAB stops it anyway).
    static constexpr char kStop = kSeparator;
    static constexpr char kOtherStop = kCsv ? '"' : kSeparator;
    // What ends a run of plain cells besides bytes that are not printable
    // ASCII: a quote, and the '|' a frame refuses in a csv or tsv cell.
    static constexpr char kRunStop = kPsv ? '\x7F' : '|';
    static constexpr char kRunOtherStop = kCsv ? '"' : kRunStop;
    static constexpr size_t kStopped = SIZE_MAX;
    static constexpr size_t kNoBar = SIZE_MAX;

    bool separates(unsigned char byte) const {
        return byte == static_cast<unsigned char>(kSeparator) || (kPsv && byte == '\t');
    }

    // The record from lineStart: where the next begins, or kStopped.
    size_t read_record(const size_t lineStart) {
        sink_.begin_row(lineStart);
        const size_t size = text_.size();
        int32_t cells = 0;
        size_t lastBar = kNoBar;  // a '|' that may end the line as its outer border
        size_t at = lineStart;
        for (;;) {
            CellRead cell{at, at, at, 0, 0, true};
            if (!read_cell(at, cell, lineStart, cells, lastBar)) {
                return kStopped;
            }
            const bool separator = at < size && separates(bytes_[at]);
            const bool bar = kPsv && separator && bytes_[at] == '|';
            if (bar && at == lineStart) {
                lastBar = at++;  // the outer border opens no cell
                continue;
            }
            const bool closedByBorder = !separator && lastBar != kNoBar && lastBar + 1 == at;
            if (!closedByBorder) {
                ++cells;
                if (!sink_.cell(cell, cells)) {
                    return kStopped;
                }
            }
            if (!separator) {
                break;
            }
            lastBar = bar ? at : kNoBar;
            ++at;
        }
        // An empty line is a row of one empty cell, which a frame of csv or
        // tsv leaves to the careful path.
        if ((kOnePass && !kPsv && at == lineStart) || !sink_.end_row(lineStart, at, cells)) {
            return kStopped;
        }
        if (at < size) {
            at += bytes_[at] == '\r' && at + 1 < size && bytes_[at + 1] == '\n' ? 2 : 1;
        }
        return at;
    }

    // Cells of plain ASCII a block at a time, their separators taken bit by
    // bit: most cells are short, and end within the block they start in.
    // Leaves cell open at the first byte the run does not take.
    bool take_plain_cells(size_t& at, CellRead& cell, size_t lineStart, int32_t& cells,
                          size_t& lastBar) {
        while (text_.size() - at >= K::kBlockBytes) {
            const byte_blocks::Run run =
                K::run_at(bytes_ + at, kSeparator, kRunStop, kRunOtherStop);
            size_t counted = at;  // the cell's width counts the bytes before this
            for (uint64_t separators = run.separators; separators != 0;
                 separators &= separators - 1) {
                const size_t separator = at + K::byte_index(separators);
                if (!(kPsv && separator == lineStart)) {  // psv's outer border opens no cell
                    cell.end = separator;
                    cell.width += static_cast<int32_t>(separator - counted);
                    ++cells;
                    if (!sink_.cell(cell, cells)) {
                        return false;
                    }
                }
                lastBar = kPsv ? separator : kNoBar;
                cell = CellRead{separator + 1, separator + 1, separator + 1, 0, 0, true};
                counted = separator + 1;
            }
            at += run.plain;
            cell.width += static_cast<int32_t>(at - counted);
            if (run.plain < K::kBlockBytes) {
                break;
            }
        }
        return true;
    }

    // Plain bytes a block at a time, to the first that is not plain ASCII
    // or is a stop byte; false when a one-pass read meets a '|' in a cell.
    bool skip_plain(size_t& at, CellRead& cell, char stop, char otherStop) const {
        while (text_.size() - at >= K::kBlockBytes) {
            const byte_blocks::Block block = K::block_at(bytes_ + at, stop, otherStop);
            if (kOnePass && !kPsv && block.bars != 0) {
                return false;  // the frame refuses it in a cell
            }
            at += block.plain;
            cell.width += static_cast<int32_t>(block.plain);
            if (block.plain < K::kBlockBytes) {
                break;
            }
        }
        return true;
    }

    // One byte of a cell that is neither a separator, a line end nor a quote.
    bool take_byte(size_t& at, CellRead& cell) const {
        const unsigned char byte = bytes_[at];
        if (byte_blocks::is_printable_ascii(byte)) {
            if (kOnePass && !kPsv && byte == '|') {
                return false;
            }
            ++at;
            ++cell.width;
            return true;
        }
        if (!kOnePass) {
            // The byte after a lead byte is its character's, never a separator.
            const bool pair = kPsv && cp932_ && text_rules::is_cp932_lead_byte(byte) &&
                              at + 1 < text_.size() && !text_rules::is_line_end(text_[at + 1]);
            at += pair ? 2 : 1;
            cell.measured = false;
            return true;
        }
        if (byte < 0x80) {
            return false;  // a control, an escape sequence, or TAB in a csv cell
        }
        // Characters of wide text come in runs: taken here, in locals.
        int32_t width = cell.width;
        bool measured = cell.measured;
        do {
            const plain_characters::Character c =
                cp932_ ? plain_characters::cp932_character(text_, at)
                       : plain_characters::utf8_character(text_, at, model_);
            // A pair's second byte may be '|', which csv and tsv leave to the
            // careful path byte for byte.
            if (c.length == 0 || (!kPsv && c.length == 2 && bytes_[at + 1] == '|')) {
                return false;
            }
            measured &= c.columns >= 0;
            width += c.columns;
            at += c.length;
        } while (at < text_.size() && bytes_[at] >= 0x80);
        cell.width = width;
        cell.measured = measured;
        return true;
    }

    // To the separator, line end or end of text that ends the cell, taking
    // whole cells of plain ASCII before it as they come.
    bool read_cell(size_t& at, CellRead& cell, size_t lineStart, int32_t& cells, size_t& lastBar) {
        for (;;) {
            // Only printable ASCII starts a block: text of wide characters
            // would pay for a block scan per character.
            if (at < text_.size() && byte_blocks::is_printable_ascii(bytes_[at]) &&
                !take_plain_cells(at, cell, lineStart, cells, lastBar)) {
                return false;
            }
            if (at == text_.size()) {
                break;
            }
            const unsigned char byte = bytes_[at];
            if (separates(byte) || text_rules::is_line_end(static_cast<char>(byte))) {
                break;
            }
            if (kCsv && byte == '"') {
                if (at != cell.start) {
                    return sink_.refuse(RefusalKind::StrayQuote, at);
                }
                return read_quoted(at, cell);
            }
            if (!take_byte(at, cell)) {
                return false;
            }
        }
        cell.end = at;
        return true;
    }

    // From the opening quote past the closing one. A quoted cell is a span of
    // the input unless it doubles a quote.
    bool read_quoted(size_t& at, CellRead& cell) {
        const size_t open = at++;
        cell.start = at;
        for (;;) {
            if (!skip_plain(at, cell, '"', '"')) {
                return false;
            }
            if (at == text_.size()) {
                return sink_.refuse(RefusalKind::OpenQuote, open);
            }
            const unsigned char byte = bytes_[at];
            if (byte == '"') {
                if (at + 1 < text_.size() && bytes_[at + 1] == '"') {
                    ++cell.doubledQuotes;
                    ++cell.width;
                    at += 2;
                    continue;
                }
                cell.end = at++;
                if (at < text_.size() && bytes_[at] != ',' && !text_rules::is_line_end(text_[at])) {
                    return sink_.refuse(RefusalKind::StrayQuote, at - 1);
                }
                return true;
            }
            if (text_rules::is_line_end(static_cast<char>(byte)) || byte == '\t') {
                if (kOnePass) {
                    return false;  // the frame refuses it in a cell
                }
                ++at;
                cell.measured = false;
                continue;
            }
            if (!take_byte(at, cell)) {
                return false;
            }
        }
    }

    std::string_view text_;
    const unsigned char* bytes_;
    bool cp932_;
    WidthModel model_;
    Sink& sink_;
};

}  // namespace delimited
