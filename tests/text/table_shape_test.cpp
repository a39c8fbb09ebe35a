// Columns chosen and rows sorted and cut: the order of numbers against exact
// arithmetic, and the frame's row for the rows left out in every style.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "text/cp932_codec.h"
#include "text/frame_text.h"
#include "text/shape/row_order.h"
#include "text/unicode/display_width.h"

namespace {

// A number as sign, whole and fraction digits, its value in millionths.
struct Written {
    std::string text;
    long long millionths;
};

Written random_number(std::mt19937& random) {
    const long long whole = static_cast<long long>(random() % 20000);
    const long long fraction = static_cast<long long>(random() % 1000);
    const bool negative = random() % 3 == 0;
    std::string digits = std::to_string(whole);
    if (random() % 2 == 0 && digits.size() > 3) {
        digits.insert(digits.size() - 3, ",");  // grouped
    }
    std::string text = (negative ? "-" : random() % 4 == 0 ? "+" : "") + digits;
    if (random() % 2 == 0) {
        std::string decimals = std::to_string(1000 + fraction).substr(1);
        text += "." + decimals.substr(0, 1 + random() % 3);
        return {text, 0};  // valued below from its own digits
    }
    return {text, (negative ? -1 : 1) * whole * 1000000};
}

long long millionths_of(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c != ',') {
            digits += c;
        }
    }
    const double value = std::stod(digits);
    return static_cast<long long>(value * 1000000.0 + (value < 0 ? -0.5 : 0.5));
}

TEST(SortOrder, NumbersCompareByValueAndTextsAfterThem) {
    std::mt19937 random(29);
    for (int i = 0; i < 5000; ++i) {
        const Written a = random_number(random);
        const Written b = random_number(random);
        const long long va = millionths_of(a.text);
        const long long vb = millionths_of(b.text);
        const int expected = (va > vb) - (va < vb);
        const int got = compare_as_numbers(a.text, b.text);
        ASSERT_EQ((got > 0) - (got < 0), expected) << a.text << " vs " << b.text;
    }
    struct Case {
        const char* a;
        const char* b;
        int order;
    };
    const Case cases[] = {
        {"-0", "0", 0},      {"0.50", ".5", 0},
        {"1,000", "999", 1}, {"x", "9", 1},
        {"abc", "abd", -1},  {"1,", "1", 1},
        {"1e3", "2", 1},     {"+", "-", -1},
        {"", "0", 1},        {"-1,234.5", "-1234.4", -1},
    };
    for (const Case& c : cases) {
        const int got = compare_as_numbers(c.a, c.b);
        EXPECT_EQ((got > 0) - (got < 0), c.order) << c.a << " vs " << c.b;
    }
}

// Keys that tie in their first bytes or digits, run past fourteen digits or
// sixty-three, or are not numbers at all.
std::string random_key(std::mt19937& random) {
    static const char* const pieces[] = {"-", "+", "0", "1",      "9",
                                         ",", ".", "a", "item-1", "\xE6\xBC\xA2"};
    std::string key;
    const int count = static_cast<int>(random() % 6);
    for (int i = 0; i < count; ++i) {
        key += pieces[random() % 10];
    }
    if (random() % 5 == 0) {
        key += std::string(random() % 2 == 0 ? 15 : 64, static_cast<char>('0' + random() % 10));
        key += std::to_string(random() % 10);
    }
    return key;
}

// The rows sorted are the rows a plain stable sort by every key gives.
TEST(SortOrder, RowsAsAStableSortByEveryKeyOrdersThem) {
    std::mt19937 random(2026);
    for (int round = 0; round < 300; ++round) {
        const size_t rows = 1 + random() % 400;
        std::vector<std::vector<std::string>> body(rows);
        Table table;
        for (const char* name : {"a", "b"}) {
            table.add_cell(name, kNoPlace);
        }
        table.end_row();
        for (auto& row : body) {
            row = {random_key(random), random_key(random)};
            for (const std::string& cell : row) {
                table.add_cell(cell, kNoPlace);
            }
            table.end_row();
        }
        std::vector<ResolvedKey> keys;
        for (size_t k = 0; k < 1 + random() % 3; ++k) {
            keys.push_back(ResolvedKey{random() % 2, random() % 2 == 0, random() % 2 == 0});
        }
        std::vector<size_t> expected(rows);
        for (size_t i = 0; i < rows; ++i) {
            expected[i] = i + 1;
        }
        std::stable_sort(expected.begin(), expected.end(), [&](size_t a, size_t b) {
            for (const ResolvedKey& key : keys) {
                const std::string& x = body[a - 1][key.column];
                const std::string& y = body[b - 1][key.column];
                const int by = key.numeric ? compare_as_numbers(x, y) : x.compare(y);
                if (by != 0) {
                    return key.reversed ? by > 0 : by < 0;
                }
            }
            return false;
        });
        ASSERT_EQ(sorted_body_rows(TableCells(table), keys), expected) << "round " << round;
    }
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t lf = text.find('\n', start);
        lines.push_back(text.substr(start, lf - start));
        start = lf + 1;
    }
    return lines;
}

// Every style, rule choice and width model: the frame's lines stay equally
// wide, the last row says how many rows were cut, and nothing crosses into it.
TEST(HeadRow, SpansTheFrameInEveryStyle) {
    const std::string table = "name|qty|price\nb|10|1.5\na|2|-3\nc|1|000\nd|x|2\n";
    for (int32_t type = 1; type <= 6; ++type) {
        for (RuleLines rules : {RuleLines::All, RuleLines::Header, RuleLines::None}) {
            for (WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
                FrameRequest request;
                request.text = table;
                request.frameType = type;
                request.widthModel = model;
                request.fit.rules = rules;
                request.shape.head = 1;
                const FrameOutcome out = frame_text(request);
                ASSERT_TRUE(out.ok());
                const std::vector<std::string> lines = lines_of(out.text);
                const std::string& row = lines[lines.size() - 2];
                EXPECT_NE(row.find("\xE2\x80\xA6 3 more rows"), std::string::npos) << out.text;
                for (const std::string& line : lines) {
                    EXPECT_EQ(display_width(line, model), display_width(lines[0], model))
                        << out.text;
                }
                // The bottom rule's inside is one character over and over.
                const std::string& bottom = lines.back();
                const size_t piece = type == 6 ? 1 : 3;
                for (size_t at = piece; at + 2 * piece <= bottom.size(); at += piece) {
                    EXPECT_EQ(bottom.compare(at, piece, bottom, piece, piece), 0) << out.text;
                }
            }
        }
    }
}

// Code page 932's bytes order kana and kanji otherwise than their code
// points do: sorted in either encoding, a table comes out in one order.
TEST(SortOrder, Cp932SortsByCodePointsAsUtf8Does) {
    const char* const words[] = {
        "\xEF\xBC\x83", "\xE2\x94\x80", "\xE6\xBC\xA2", "\xE3\x82\x8A", "A", "a",
        "\xE2\x80\xBB", "\xEF\xBD\xB6"};
    std::mt19937 random(932);
    for (int round = 0; round < 200; ++round) {
        std::string table = "k|n\n";
        for (int row = 0; row < 6; ++row) {
            table += std::string(words[random() % 8]) + words[random() % 8] + "|" +
                     std::to_string(row) + "\n";
        }
        FrameRequest request;
        request.text = table;
        request.to = TableFormat::Psv;
        request.shape.sort = "1";
        const FrameOutcome utf8 = frame_text(request);
        const Cp932Encoded bytes = cp932_encode_utf8(table);
        ASSERT_TRUE(bytes.ok);
        request.text = bytes.bytes;
        request.encoding = TextEncoding::Cp932;
        const FrameOutcome cp932 = frame_text(request);
        ASSERT_TRUE(utf8.ok() && cp932.ok());
        EXPECT_EQ(cp932_decode_to_utf8(cp932.text), utf8.text) << table;
    }
}

}  // namespace

namespace {

// Plain tables are shaped on their grid of spans, others on the table value:
// random tables in psv, csv and Markdown with random shapes, both ways, give
// the same frame or the same refusal.
TEST(Shape, TheGridOfPlainTablesShapesAsTheTableValueDoes) {
    const char* const words[] = {"a", "B", "10", "-2", "1,000", "x y", "\xE6\xBC\xA2", "", "3.5"};
    const char* const items[] = {"1", "2", "3", "2-3", "h1", "h3", "9", "nope"};
    const char* const suffixes[] = {"", ":n", ":r", ":n:r"};
    std::mt19937 random(2929);
    int shaped = 0;
    for (int round = 0; round < 600; ++round) {
        const size_t columns = 1 + random() % 3;
        std::vector<std::vector<std::string>> rows(1);
        for (size_t column = 0; column < columns; ++column) {
            rows[0].push_back("h" + std::to_string(column + 1));
        }
        for (size_t row = random() % 7; row > 0; --row) {
            rows.emplace_back();
            for (size_t column = 0; column < columns; ++column) {
                const std::string word = words[random() % std::size(words)];
                rows.back().push_back(word.empty() ? "z" : word);
            }
        }
        const TableFormat from = std::array<TableFormat, 3>{TableFormat::Psv, TableFormat::Csv,
                                                            TableFormat::Markdown}[random() % 3];
        const bool markdown = from == TableFormat::Markdown;
        std::string text;
        for (size_t row = 0; row < rows.size(); ++row) {
            std::string line;
            for (size_t column = 0; column < columns; ++column) {
                const std::string& cell = rows[row][column];
                const bool quote = from == TableFormat::Csv && cell.find(',') != std::string::npos;
                line += (column > 0 ? (from == TableFormat::Csv ? "," : "|") : "") +
                        (quote ? "\"" + cell + "\"" : cell);
            }
            text += markdown ? "|" + line + "|\n" : line + "\n";
            if (row == 0 && markdown) {
                text += "|";
                for (size_t column = 0; column < columns; ++column) {
                    text += "---|";
                }
                text += "\n";
            }
        }
        FrameRequest request;
        request.text = text;
        request.from = from;
        request.frameType = static_cast<int32_t>(1 + random() % 6);
        request.fit.rules = static_cast<RuleLines>(random() % 3);
        request.fit.padding = static_cast<int32_t>(random() % 2);
        request.shape.columns = random() % 3 == 0 ? items[random() % std::size(items)] : "";
        request.shape.hide = random() % 6 == 0 ? items[random() % std::size(items)] : "";
        request.shape.sort = random() % 2 == 0 ? std::string(items[random() % 6]) +
                                                     suffixes[random() % std::size(suffixes)]
                                               : "";
        request.shape.head = random() % 3 == 0 ? static_cast<int64_t>(random() % 4) : -1;
        request.shape.tail = random() % 4 == 0 ? static_cast<int64_t>(random() % 4) : -1;
        request.shape.transpose = random() % 6 == 0;
        const FrameOutcome onGrid = frame_text(request);
        const TableRead read = read_text([&] {
            FrameRequest plain = request;
            plain.shape = TableShape();
            return plain;
        }());
        ASSERT_TRUE(read.ok()) << text;
        const FrameOutcome onTable = frame_table(read.table, request);
        ASSERT_EQ(onGrid.refusal.kind, onTable.refusal.kind) << text;
        ASSERT_EQ(onGrid.text, onTable.text) << text << request.shape.sort;
        shaped += onGrid.ok() && !onGrid.text.empty() ? 1 : 0;
    }
    EXPECT_GT(shaped, 300);
}

}  // namespace
