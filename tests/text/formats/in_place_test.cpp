// Cells kept as spans of the input they were read from: readers that borrow
// the input give the cells they would copy, a table read by read_table keeps
// its cells when the input is gone, and csv or tsv drawn straight from spans
// gives the frame the table reader gives, refusals and all.
#include <gtest/gtest.h>

#include <utility>

#include "table_testing.h"
#include "text/frame_text.h"
#include "text/formats/table_formats.h"

namespace {

using Places = std::vector<std::pair<int64_t, int64_t>>;

Places places_of(const Table& table) {
    Places places;
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            const text_rules::TextPlace place = table.place_of(cell);
            places.emplace_back(place.line, place.column);
        }
    }
    return places;
}

// Any text, and pieces that make some readers keep a cell of their own: a
// doubled quote, a line break in a cell, an escaped '|'.
const std::vector<std::string> kAnyPieces = {"a", " ", ",", "\"", "|", "\t", "\n", "é", "日", "<"};
const std::vector<std::string> kPlainPieces = {"a", " ", "é", "日", "9", "-", "\""};

TEST(InPlace, EveryReaderGivesTheCellsItWouldCopy) {
    std::mt19937 random(2024);
    const TableFormat formats[] = {TableFormat::Psv,      TableFormat::Tsv,   TableFormat::Csv,
                                   TableFormat::Markdown, TableFormat::Frame, TableFormat::Json,
                                   TableFormat::Aligned};
    for (int round = 0; round < 1500; ++round) {
        const Texts cells = random_texts(random, round % 2 == 0 ? kAnyPieces : kPlainPieces, 4);
        for (TableFormat format : formats) {
            WriteOptions options;
            options.frameType = 1 + round % 6;
            TableWrite written = write_table(table_of(cells), format, options);
            if (!written.ok()) {
                continue;
            }
            std::string input = written.text;
            const TableRead inPlace =
                read_table_in_place(input, format, TextEncoding::Utf8, WidthModel::Narrow);
            const Texts inPlaceTexts = texts_of(inPlace.table);
            const Places inPlacePlaces = places_of(inPlace.table);
            const TableRead owned =
                read_table(input, format, TextEncoding::Utf8, WidthModel::Narrow);
            input.assign(input.size(), 'x');  // the table read must not need it now
            ASSERT_EQ(owned.refusal.kind, inPlace.refusal.kind) << written.text;
            EXPECT_EQ(texts_of(owned.table), inPlaceTexts) << written.text;
            EXPECT_EQ(places_of(owned.table), inPlacePlaces) << written.text;
        }
    }
}

// Random text as csv or tsv, well formed or not: drawn from spans where it
// can be, it must frame as the table reader frames it.
TEST(InPlace, CsvAndTsvFrameAsTheTableReaderFramesThem) {
    std::mt19937 random(4180);
    const std::vector<std::string> utf8Pieces = {"a",  "é",    "日", " ",  ",",
                                                 ",",  "\t",   "\t", "\"", "\"\"",
                                                 "\n", "\r\n", "\r", "|",  "\x1b[1m"};
    // 0x837C and 0x955C end in '|' and '\\'.
    const std::vector<std::string> cp932Pieces = {"a",  "\x83\x7c", "\x95\x5c", ",",   ",",
                                                  "\t", "\"",       "\n",       "\r\n"};
    const std::string boms[] = {"", "\xEF\xBB\xBF"};
    for (int round = 0; round < 6000; ++round) {
        const bool cp932 = round % 4 == 3;
        const std::vector<std::string>& pieces = cp932 ? cp932Pieces : utf8Pieces;
        std::string input = cp932 ? "" : boms[random() % 2];
        for (size_t n = random() % 24; n > 0; --n) {
            input += pieces[random() % pieces.size()];
        }
        FrameRequest request;
        request.text = input;
        request.encoding = cp932 ? TextEncoding::Cp932 : TextEncoding::Utf8;
        request.from = round % 2 == 0 ? TableFormat::Csv : TableFormat::Tsv;
        request.widthModel = round % 3 == 0 ? WidthModel::Wide : WidthModel::Narrow;
        request.frameType = 1 + round % 6;
        expect_same(frame_text(request), framed_through_table(request), input);
    }
}

// One table written in every format a frame can be read from gives one frame.
TEST(InPlace, OneTableInEveryFormatGivesOneFrame) {
    std::mt19937 random(1995);
    for (int round = 0; round < 800; ++round) {
        const Texts cells = random_texts(random, kPlainPieces, 4);
        std::string frames[5];
        const TableFormat formats[] = {TableFormat::Psv, TableFormat::Csv, TableFormat::Tsv,
                                       TableFormat::Markdown, TableFormat::Frame};
        for (size_t f = 0; f < 5; ++f) {
            TableWrite written = write_table(table_of(cells), formats[f], WriteOptions());
            if (!written.ok()) {
                // Only a format that cannot hold such a table may refuse it.
                ASSERT_GT(f, 0U) << describe(cells);
                frames[f] = frames[0];
                continue;
            }
            FrameRequest request;
            request.text = written.text;
            request.from = formats[f];
            request.frameType = 2;
            frames[f] = frame_text(request).text;
        }
        // Markdown and a frame trim the cells they read.
        const std::string psv = frames[0];
        EXPECT_EQ(frames[1], psv) << describe(cells);
        EXPECT_EQ(frames[2], psv) << describe(cells);
        if (trimmed(cells) == cells) {
            EXPECT_EQ(frames[3], psv) << describe(cells);
            EXPECT_EQ(frames[4], psv) << describe(cells);
        }
    }
}

}  // namespace
