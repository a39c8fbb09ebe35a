// The one-pass reader against the careful path it stands in for: the input
// check, then read_psv_cells for psv or read_plain_delimited_cells for csv
// and tsv, on random tables in both encodings and width models.
#include "text/plain_psv.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "random_text.h"
#include "text/formats/delimited_cells.h"
#include "text/input_check.h"
#include "text/text_limits.h"
#include "text/unicode/code_point_props.h"
#include "text/unicode/display_width.h"

namespace {

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
// now and then: controls, bad bytes, escape sequences, rows too short, and
// for csv and tsv quotes, '|', TABs and empty lines.
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
                                                  "ｶ",  "\uFF9E", "\u309F", "\u30A0", "\u9FFF"};
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
        std::string text;
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
                if (format == TableFormat::Csv && pick(0, 7) == 0) {
                    content = '"' + content + '"';
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

// Whether the careful path reads table as spans, into grid; why not, when
// it is refused.
bool read_carefully(std::string_view table, TableFormat format, TextEncoding encoding,
                    WidthModel model, CellGrid& grid, Refusal& refusal) {
    refusal = check_input_text(table, encoding, kTextInputLimit);
    if (refusal.kind != RefusalKind::None) {
        return false;
    }
    if (format == TableFormat::Psv) {
        refusal = read_psv_cells(table, encoding, model, grid);
        return refusal.kind == RefusalKind::None;
    }
    const bool csv = format == TableFormat::Csv;
    return read_plain_delimited_cells(table, encoding, model, csv ? ',' : '\t', csv, grid);
}

// What the one pass leaves to the careful path although it reads it there:
// escape sequences, and quoted csv cells.
bool left_to_careful_path(std::string_view table, TableFormat format) {
    return table.find('\x1b') != std::string_view::npos ||
           (format == TableFormat::Csv && table.find('"') != std::string_view::npos);
}

void expect_same_as_careful_path(const std::string& input, TableFormat format,
                                 TextEncoding encoding, WidthModel model) {
    const std::string_view table = without_trailing_empty_lines(input);
    if (table.empty()) {
        return;
    }
    CellGrid careful;
    Refusal refusal;
    const bool carefulRead = read_carefully(table, format, encoding, model, careful, refusal);
    CellGrid plain;
    const bool read = read_plain_table(table, format, encoding, model, plain);
    ASSERT_EQ(read, carefulRead && !left_to_careful_path(table, format))
        << describe_refusal(refusal) << "\n"
        << input;
    if (!read) {
        return;
    }
    ASSERT_EQ(plain.rows, careful.rows) << input;
    ASSERT_EQ(plain.columns, careful.columns) << input;
    ASSERT_EQ(plain.cells.size(), careful.cells.size()) << input;
    for (size_t k = 0; k < plain.cells.size(); ++k) {
        const CellSpan& a = plain.cells[k];
        const CellSpan& b = careful.cells[k];
        ASSERT_TRUE(a.start == b.start && a.length == b.length && a.width == b.width)
            << "cell " << k << " of\n"
            << input;
    }
}

TEST(PlainTableProperty, ReadsWhatTheCarefulPathReadsAndLeavesItTheRest) {
    for (TableFormat format : {TableFormat::Psv, TableFormat::Csv, TableFormat::Tsv}) {
        RandomPsv tables(20261208, format);
        for (int round = 0; round < 4000; ++round) {
            const std::string utf8 = tables.utf8_table();
            for (WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
                expect_same_as_careful_path(utf8, format, TextEncoding::Utf8, model);
            }
            expect_same_as_careful_path(tables.cp932_table(), format, TextEncoding::Cp932,
                                        WidthModel::Wide);
        }
    }
}

}  // namespace
