// The delimited reader against a slow reference reader on random tables, in
// both encodings, both width models and both kernels: the table sink's cells
// and refusals, the one-pass grid sink's cells (and what it leaves to the
// careful path), and the grid of psv after the input check.
#include "text/formats/delimited_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/line_cutter.h"
#include "random_text.h"
#include "text/cell_width.h"
#include "text/formats/grid_sink.h"
#include "text/formats/table_sink.h"
#include "text/input_check.h"
#include "text/text_limits.h"
#include "text/unicode/code_point_props.h"
#include "text/unicode/display_width.h"

namespace {

using delimited::DelimitedReader;
using delimited::Syntax;

TEST(LoneClusterWidth, IsTheWidthOfEveryCodePointThatNothingJoins) {
    for (uint32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            continue;
        }
        const bool alone = (code_point_props(cp).bits & 0x3F) == 0;
        for (WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
            ASSERT_EQ(lone_cluster_width(cp, model), alone ? code_point_width(cp, model) : -1)
                << std::hex << cp;
        }
    }
}

// Rows of random cells, with what the careful path refuses or reads itself
// now and then: controls, bad bytes, escape sequences, rows too short or
// long, empty lines, a byte order mark, and for csv quoted cells holding
// commas, doubled quotes, line breaks, '|' and TABs, and stray quotes.
class RandomPsv {
  public:
    explicit RandomPsv(uint32_t seed, TableFormat tableFormat = TableFormat::Psv)
        : rng(seed), cells(seed, true), format(tableFormat) {}

    // Random text, and the wide text the reader takes without the cluster
    // rules beside what borders it: sound marks that join kana, and narrow
    // characters next to the ideographs.
    std::string utf8_table() {
        return table([this] {
            static const char* const kPieces[] = {"漢", "か",     "\u3099", "ー",     "\u4DC0",
                                                  "ｶ",  "\uFF9E", "\u309F", "\u30A0", "e\u0301"};
            std::string cell = cells.next(2);
            for (int k = pick(0, 3); k > 0; --k) {
                cell += kPieces[pick(0, 9)];
            }
            return cell;
        });
    }

    // Single bytes, pairs (a separator's value among the second bytes) and
    // bytes that are neither.
    std::string cp932_table() {
        return table([this] {
            static const char* const kPieces[] = {"ab", "\xB1",     "\x82\xA0", "\x81\x7C",
                                                  " ",  "\x88\x9F", "\xE0\x40", "\xFC\xFC"};
            std::string cell;
            for (int k = pick(0, 4); k > 0; --k) {
                cell += kPieces[pick(0, 7)];
            }
            return cell;
        });
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    template <class Cell>
    std::string table(Cell&& cell) {
        static const char* const kLineEnds[] = {"\n", "\r\n", "\r"};
        static const char* const kOdd[] = {
            "\x01",         "\x7F", "\xC2\x85", "\x1B[1m", "\xFF", "\x80", "\xE3\x81",
            "\xED\xA0\x80", "\n",   "|",        "\"",      "\t",   ",",    "\n\n"};
        const bool psv = format == TableFormat::Psv;
        const int rows = pick(1, 4);
        const int columns = pick(1, 4);
        const bool outerBorder = psv && pick(0, 1) == 1;
        std::string text = pick(0, 7) == 0 ? "\xEF\xBB\xBF" : "";
        for (int row = 0; row < rows; ++row) {
            const int rowColumns = pick(0, 9) == 0 ? pick(0, 5) : columns;
            text += outerBorder ? "|" : "";
            for (int column = 0; column < rowColumns; ++column) {
                std::string content = cell();
                for (char& c : content) {
                    const bool cuts = c == '|' || c == '\t' || c == '\n' || c == '\r' ||
                                      (!psv && (c == ',' || c == '"'));
                    c = cuts ? '/' : c;
                }
                if (format == TableFormat::Csv && pick(0, 3) == 0) {
                    content = quoted(content);
                }
                text += content + (column + 1 < rowColumns ? separator() : "");
            }
            text += outerBorder ? "|" : "";
            text += kLineEnds[pick(0, 2)];
        }
        if (pick(0, 3) == 0) {
            text.insert(static_cast<size_t>(pick(0, static_cast<int>(text.size()))),
                        kOdd[pick(0, 13)]);
        }
        return text;
    }

    // A csv cell quoted, holding what only quotes let it hold now and then.
    std::string quoted(const std::string& content) {
        static const char* const kHeld[] = {",", "\"\"", "\n", "\r\n", "|", "\t", "a, b"};
        std::string cell = content;
        for (int k = pick(0, 2); k > 0; --k) {
            cell.insert(static_cast<size_t>(pick(0, static_cast<int>(cell.size()))),
                        kHeld[pick(0, 6)]);
        }
        return '"' + cell + '"';
    }

    const char* separator() {
        switch (format) {
            case TableFormat::Csv:
                return ",";
            case TableFormat::Tsv:
                return "\t";
            default:
                return pick(0, 3) == 0 ? "\t" : "|";
        }
    }

    std::mt19937 rng;
    RandomText cells;
    TableFormat format;
};

// What the reference reads: rows of cells, each with where it begins, and
// where each row's line ends; or a refusal at an offset.
struct ReferenceCell {
    std::string text;
    size_t place;
};

struct ReferenceRead {
    std::vector<std::vector<ReferenceCell>> rows;
    std::vector<size_t> lineEnds;
    std::vector<bool> emptyLines;
    RefusalKind kind = RefusalKind::None;
    size_t offset = 0;
};

size_t past_line_end(std::string_view text, size_t at) {
    if (at < text.size()) {
        at += text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    }
    return at;
}

// psv and tsv a line at a time: the separators found byte by byte, then the
// pieces between them, psv's outer border dropped.
ReferenceRead reference_lines(std::string_view text, bool psv, bool cp932) {
    ReferenceRead read;
    text = text_rules::without_trailing_line_ends(text);
    for (size_t at = 0; at < text.size();) {
        size_t end = at;
        while (end < text.size() && !text_rules::is_line_end(text[end])) {
            ++end;
        }
        std::vector<size_t> separators;
        for (size_t j = at; j < end; ++j) {
            const auto byte = static_cast<unsigned char>(text[j]);
            if (psv && cp932 && text_rules::is_cp932_lead_byte(byte)) {
                ++j;
            } else if (byte == '\t' || (psv && byte == '|')) {
                separators.push_back(j);
            }
        }
        std::vector<ReferenceCell> row;
        size_t start = at;
        for (size_t separator : separators) {
            row.push_back({std::string(text.substr(start, separator - start)), start});
            start = separator + 1;
        }
        row.push_back({std::string(text.substr(start, end - start)), start});
        const bool border = psv && !separators.empty();
        if (border && text[separators.back()] == '|' && separators.back() + 1 == end) {
            row.pop_back();
        }
        if (border && separators.front() == at && text[at] == '|') {
            row.erase(row.begin());
        }
        read.rows.push_back(row);
        read.lineEnds.push_back(end);
        read.emptyLines.push_back(end == at);
        at = past_line_end(text, end);
    }
    return read;
}

// csv a byte at a time.
ReferenceRead reference_csv(std::string_view text) {
    ReferenceRead read;
    size_t emptyAtEnd = 0;
    auto refuse = [&](RefusalKind kind, size_t offset) {
        read.kind = kind;
        read.offset = offset;
        return read;
    };
    for (size_t at = 0; at < text.size();) {
        const size_t recordStart = at;
        std::vector<ReferenceCell> row;
        for (;;) {
            ReferenceCell cell{"", at};
            if (at < text.size() && text[at] == '"') {
                for (++at;; ++at) {
                    if (at == text.size()) {
                        return refuse(RefusalKind::OpenQuote, cell.place);
                    }
                    if (text[at] == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                        cell.text += text[at++];
                    } else if (text[at] == '"') {
                        break;
                    } else {
                        cell.text += text[at];
                    }
                }
                ++at;
                if (at < text.size() && text[at] != ',' && !text_rules::is_line_end(text[at])) {
                    return refuse(RefusalKind::StrayQuote, at - 1);
                }
            } else {
                for (; at < text.size() && text[at] != ',' && !text_rules::is_line_end(text[at]);
                     ++at) {
                    if (text[at] == '"') {
                        return refuse(RefusalKind::StrayQuote, at);
                    }
                    cell.text += text[at];
                }
            }
            row.push_back(cell);
            if (at == text.size() || text[at] != ',') {
                break;
            }
            ++at;
        }
        read.rows.push_back(row);
        read.lineEnds.push_back(at);
        read.emptyLines.push_back(at == recordStart);
        emptyAtEnd = at == recordStart ? emptyAtEnd + 1 : 0;
        at = past_line_end(text, at);
    }
    for (; emptyAtEnd > 0; --emptyAtEnd) {
        read.rows.pop_back();
    }
    return read;
}

ReferenceRead reference_read(std::string_view text, Syntax syntax, bool cp932) {
    return syntax == Syntax::Csv ? reference_csv(text)
                                 : reference_lines(text, syntax == Syntax::Psv, cp932);
}

Syntax syntax_of(TableFormat format) {
    return format == TableFormat::Psv   ? Syntax::Psv
           : format == TableFormat::Csv ? Syntax::Csv
                                        : Syntax::Tsv;
}

template <Syntax kSyntax, typename K>
TableRead read_table_with(std::string_view text, TextEncoding encoding) {
    TableRead read;
    TableSink sink(text, encoding, read);
    if (DelimitedReader<kSyntax, TableSink, K>(text, encoding, WidthModel::Narrow, sink).read()) {
        sink.drop_empty_rows_at_end();
    }
    return read;
}

template <typename K>
TableRead read_table_as(std::string_view text, Syntax syntax, TextEncoding encoding) {
    if (syntax != Syntax::Csv) {
        text = text_rules::without_trailing_line_ends(text);
    }
    switch (syntax) {
        case Syntax::Psv:
            return read_table_with<Syntax::Psv, K>(text, encoding);
        case Syntax::Tsv:
            return read_table_with<Syntax::Tsv, K>(text, encoding);
        default:
            return read_table_with<Syntax::Csv, K>(text, encoding);
    }
}

template <Syntax kSyntax, bool kOnePass, typename K>
bool read_grid_with(std::string_view text, TextEncoding encoding, WidthModel model, GridRead& read,
                    Refusal& refusal) {
    GridSink<kOnePass> sink(text, encoding, model, read);
    const bool done =
        DelimitedReader<kSyntax, GridSink<kOnePass>, K>(text, encoding, model, sink).read();
    refusal = sink.refusal();
    return done;
}

template <typename K>
bool read_grid_as(std::string_view text, Syntax syntax, TextEncoding encoding, WidthModel model,
                  GridRead& read) {
    Refusal unused;
    switch (syntax) {
        case Syntax::Psv:
            return read_grid_with<Syntax::Psv, true, K>(text, encoding, model, read, unused);
        case Syntax::Tsv:
            return read_grid_with<Syntax::Tsv, true, K>(text, encoding, model, read, unused);
        default:
            return read_grid_with<Syntax::Csv, true, K>(text, encoding, model, read, unused);
    }
}

// The table sink reads the reference's cells at the reference's places, and
// refuses where it does.
template <typename K>
void expect_table_as_reference(std::string_view text, Syntax syntax, TextEncoding encoding) {
    const bool cp932 = encoding == TextEncoding::Cp932;
    const ReferenceRead expected = reference_read(text, syntax, cp932);
    const TableRead read = read_table_as<K>(text, syntax, encoding);
    ASSERT_EQ(read.refusal.kind, expected.kind) << text;
    if (expected.kind != RefusalKind::None) {
        const text_rules::TextPlace place = text_rules::place_of(text, expected.offset, cp932);
        ASSERT_EQ(read.refusal.line, place.line) << text;
        ASSERT_EQ(read.refusal.column, place.column) << text;
        return;
    }
    ASSERT_EQ(read.table.rows().size(), expected.rows.size()) << text;
    for (size_t r = 0; r < expected.rows.size(); ++r) {
        const Row row = read.table.rows()[r];
        ASSERT_EQ(row.size(), expected.rows[r].size()) << text;
        for (size_t c = 0; c < row.size(); ++c) {
            ASSERT_EQ(row[c].text, expected.rows[r][c].text) << text;
            ASSERT_EQ(row[c].place, expected.rows[r][c].place) << text;
        }
    }
}

// Whether a frame of the text may come from the one pass: text the input
// check passes, without escape sequences, read without a refusal, every row
// as many cells as the first, and for csv and tsv no empty line, no '|' in a
// cell and for csv no TAB or line break in one.
bool plain_by_reference(std::string_view text, Syntax syntax, TextEncoding encoding) {
    const ReferenceRead read = reference_read(text, syntax, encoding == TextEncoding::Cp932);
    if (check_input_text(text, encoding, kTextInputLimit).kind != RefusalKind::None ||
        text.find('\x1b') != std::string_view::npos || read.kind != RefusalKind::None) {
        return false;
    }
    for (size_t r = 0; r < read.rows.size(); ++r) {
        if (read.rows[r].size() != read.rows[0].size() ||
            (syntax != Syntax::Psv && read.emptyLines[r])) {
            return false;
        }
        for (const ReferenceCell& cell : read.rows[r]) {
            const char* refused = syntax == Syntax::Csv   ? "|\t\r\n"
                                  : syntax == Syntax::Tsv ? "|"
                                                          : "";
            if (cell.text.find_first_of(refused) != std::string::npos) {
                return false;
            }
        }
    }
    return true;
}

int32_t columns_of(std::string_view text, TextEncoding encoding, WidthModel model) {
    return encoding == TextEncoding::Cp932
               ? static_cast<int32_t>(text.size())
               : measure_utf8_cell(text.data(), static_cast<int32_t>(text.size()), model);
}

// The one-pass grid reads what the table sink reads, with the cells' widths,
// exactly when the reference says it may; the rest it leaves.
template <typename K>
void expect_grid_as_table(std::string_view text, Syntax syntax, TextEncoding encoding,
                          WidthModel model) {
    GridRead grid;
    const bool read = read_grid_as<K>(text, syntax, encoding, model, grid);
    ASSERT_EQ(read, plain_by_reference(text, syntax, encoding)) << text;
    if (!read) {
        return;
    }
    const TableRead table = read_table_as<K>(text, syntax, encoding);
    ASSERT_EQ(static_cast<size_t>(grid.grid.rows), table.table.rows().size()) << text;
    const std::string_view view = grid.text_of(text);
    size_t k = 0;
    for (const Row& row : table.table.rows()) {
        ASSERT_EQ(row.size(), static_cast<size_t>(grid.grid.columns)) << text;
        for (const Cell& cell : row) {
            const CellSpan& span = grid.grid.cells[k++];
            const std::string_view spanText =
                view.substr(static_cast<size_t>(span.start), static_cast<size_t>(span.length));
            ASSERT_EQ(spanText, cell.text) << text;
            ASSERT_EQ(span.width, columns_of(cell.text, encoding, model)) << text;
        }
    }
}

// psv after the input check: the reference's cells as spans, or the first
// row with more or fewer cells than the first refused where it goes wrong.
template <typename K>
void expect_checked_psv_as_reference(std::string_view text, TextEncoding encoding,
                                     WidthModel model) {
    if (check_input_text(text, encoding, kTextInputLimit).kind != RefusalKind::None) {
        return;
    }
    const bool cp932 = encoding == TextEncoding::Cp932;
    const ReferenceRead expected = reference_lines(text, true, cp932);
    GridRead grid;
    Refusal refusal;
    read_grid_with<Syntax::Psv, false, K>(text, encoding, model, grid, refusal);
    for (size_t r = 0; r < expected.rows.size(); ++r) {
        const std::vector<ReferenceCell>& row = expected.rows[r];
        const size_t columns = expected.rows[0].size();
        if (row.size() == columns) {
            continue;
        }
        const size_t offset = row.size() > columns ? row[columns].place - 1 : expected.lineEnds[r];
        const text_rules::TextPlace place = text_rules::place_of(text, offset, cp932);
        ASSERT_EQ(refusal.kind, RefusalKind::RaggedRow) << text;
        ASSERT_EQ(refusal.line, place.line) << text;
        ASSERT_EQ(refusal.column, place.column) << text;
        ASSERT_EQ(refusal.found, static_cast<int64_t>(row.size())) << text;
        ASSERT_EQ(refusal.limit, static_cast<int64_t>(columns)) << text;
        return;
    }
    ASSERT_EQ(refusal.kind, RefusalKind::None) << text;
    size_t k = 0;
    for (const std::vector<ReferenceCell>& row : expected.rows) {
        for (const ReferenceCell& cell : row) {
            const CellSpan& span = grid.grid.cells[k++];
            ASSERT_EQ(static_cast<size_t>(span.start), cell.place) << text;
            ASSERT_EQ(text.substr(cell.place, static_cast<size_t>(span.length)), cell.text) << text;
            ASSERT_EQ(span.width, columns_of(cell.text, encoding, model)) << text;
        }
    }
}

template <typename K>
void expect_readers_as_reference(const std::string& input, TableFormat format,
                                 TextEncoding encoding, WidthModel model) {
    const Syntax syntax = syntax_of(format);
    // The table readers take the text without its byte order mark; the grid
    // readers without its empty last lines too.
    const std::string_view text = without_bom(input, encoding);
    expect_table_as_reference<K>(text, syntax, encoding);
    const std::string_view table = text_rules::without_trailing_line_ends(text);
    if (table.empty()) {
        return;
    }
    expect_grid_as_table<K>(table, syntax, encoding, model);
    if (syntax == Syntax::Psv) {
        expect_checked_psv_as_reference<K>(table, encoding, model);
    }
}

template <typename K>
void expect_random_tables_as_reference() {
    for (TableFormat format : {TableFormat::Psv, TableFormat::Csv, TableFormat::Tsv}) {
        RandomPsv tables(20261208, format);
        for (int round = 0; round < 3000; ++round) {
            const std::string utf8 = tables.utf8_table();
            for (WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
                expect_readers_as_reference<K>(utf8, format, TextEncoding::Utf8, model);
            }
            expect_readers_as_reference<K>(tables.cp932_table(), format, TextEncoding::Cp932,
                                           WidthModel::Wide);
            if (::testing::Test::HasFatalFailure()) {
                return;
            }
        }
    }
}

TEST(DelimitedReaderProperty, BuiltInKernelReadsAsTheReference) {
    expect_random_tables_as_reference<byte_blocks::Kernel>();
}

TEST(DelimitedReaderProperty, PortableKernelReadsAsTheReference) {
    expect_random_tables_as_reference<byte_blocks::WordKernel>();
}

}  // namespace
