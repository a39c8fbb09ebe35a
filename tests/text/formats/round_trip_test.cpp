// Write then read gives the same cells, for random tables in every format that
// can hold them; where a format cannot, the refusal names the first cell.
#include <gtest/gtest.h>

#include <optional>

#include "core/text_rules.h"
#include "table_testing.h"
#include "text/formats/frame_pieces.h"
#include "text/formats/table_formats.h"
#include "text/unicode/code_point_props.h"

namespace {

TableWrite write(const Texts& cells, TableFormat to, LineEnd lineEnd = LineEnd::Lf,
                 TextEncoding encoding = TextEncoding::Utf8) {
    WriteOptions options;
    options.lineEnd = lineEnd;
    return write_table(table_of(cells, encoding), to, options);
}

Texts read_back(const std::string& text, TableFormat from,
                TextEncoding encoding = TextEncoding::Utf8) {
    TableRead read = read_table(text, from, encoding, WidthModel::Narrow);
    EXPECT_TRUE(read.ok()) << text << " refused: " << static_cast<int>(read.refusal.kind);
    return texts_of(read.table);
}

LineEnd either_line_end(std::mt19937& random) {
    return (random() & 1) != 0 ? LineEnd::CrLf : LineEnd::Lf;
}

TEST(RoundTrip, CsvHoldsAnyText) {
    std::mt19937 random(4180);
    const std::vector<std::string> pieces = {"a",  ",", "\"", "\"\"", "\r\n", "\n",
                                             "\r", " ", "é",  "|",    "\t",   "日"};
    for (int round = 0; round < 3000; ++round) {
        Texts cells = random_texts(random, pieces, 4, true);
        TableWrite written = write(cells, TableFormat::Csv, either_line_end(random));
        ASSERT_TRUE(written.ok());
        ASSERT_EQ(read_back(written.text, TableFormat::Csv), cells) << written.text;
    }
}

// The second header cell of a name already given, if any.
std::optional<Cell> repeated_name(const Table& table) {
    const Row header = table.rows()[0];
    for (size_t c = 0; c < header.size(); ++c) {
        for (size_t before = 0; before < c; ++before) {
            if (header[before].text == header[c].text) {
                return header[c];
            }
        }
    }
    return std::nullopt;
}

// Keyed rows need a rectangle and distinct names; arrays hold any rows.
TEST(RoundTrip, JsonHoldsAnyText) {
    std::mt19937 random(8259);
    const std::vector<std::string> pieces = {
        "a",    "\"",   "\\",   "/",  "\\u0041", std::string(1, '\0'),
        "\x01", "\x1F", "\x7F", "\n", "\r\n",    "\t",
        " ",    "é",    "日",   "😀",  "\u2028",  "",
        "",     "["};
    for (int round = 0; round < 4000; ++round) {
        const bool header = round % 2 == 0;
        const TableFormat format = round % 4 < 2 ? TableFormat::Json : TableFormat::Jsonl;
        const Texts cells = random_texts(random, pieces, 3, !header);
        WriteOptions options;
        options.header = header;
        options.lineEnd = either_line_end(random);
        const Table table = table_of(cells);
        TableWrite written = write_table(table, format, options);
        const std::optional<Cell> repeated = header ? repeated_name(table) : std::nullopt;
        if (repeated) {
            ASSERT_EQ(written.refusal.kind, RefusalKind::DuplicateName) << describe(cells);
            EXPECT_EQ(written.refusal.line, table.place_of(*repeated).line);
            EXPECT_EQ(written.refusal.column, table.place_of(*repeated).column);
            continue;
        }
        ASSERT_TRUE(written.ok()) << describe(cells);
        if (header && cells.size() == 1) {
            continue;  // no rows to carry the keys
        }
        ASSERT_EQ(read_back(written.text, format), cells) << written.text;
    }
}

// The first cell, row by row, that psv or tsv cannot hold, and why.
struct Expected {
    RefusalKind kind = RefusalKind::None;
    int64_t line = 0;
    int64_t column = 0;
    uint32_t codePoint = 0;
};

Expected first_unheld(const Texts& cells, std::string_view separators) {
    for (size_t r = 0; r < cells.size(); ++r) {
        for (size_t c = 0; c < cells[r].size(); ++c) {
            const std::string& text = cells[r][c];
            const auto line = static_cast<int64_t>(r + 1);
            const auto column = static_cast<int64_t>(c + 1);
            for (char separator : separators) {
                if (text.find(separator) != std::string::npos) {
                    return {RefusalKind::CellHoldsSeparator, line, column,
                            static_cast<uint32_t>(separator)};
                }
            }
            if (text.find_first_of("\r\n") != std::string::npos) {
                return {RefusalKind::CellHoldsLineBreak, line, column, 0};
            }
        }
    }
    return {};
}

TEST(RoundTrip, PsvAndTsvHoldWhatTheyCanAndNameTheRest) {
    std::mt19937 random(124);
    const std::vector<std::string> pieces = {"a", " ", "é", "\\", ",",  "\"", "日",
                                             "",  "",  "",  "|",  "\t", "\n"};
    for (int round = 0; round < 4000; ++round) {
        Texts cells = random_texts(random, pieces, 3, true);
        const bool psv = round % 2 == 0;
        const TableFormat format = psv ? TableFormat::Psv : TableFormat::Tsv;
        TableWrite written = write(cells, format, either_line_end(random));
        Expected expected = first_unheld(cells, psv ? "|\t" : "\t");
        if (expected.kind == RefusalKind::None && !psv && cells.back().size() == 1 &&
            cells.back()[0].empty()) {
            expected = {RefusalKind::RowNotHeld, static_cast<int64_t>(cells.size()), 1, 0};
        }
        ASSERT_EQ(written.refusal.kind, expected.kind) << describe(cells);
        if (expected.kind != RefusalKind::None) {
            EXPECT_EQ(written.refusal.line, expected.line);
            EXPECT_EQ(written.refusal.column, expected.column);
            EXPECT_EQ(written.refusal.codePoint, expected.codePoint);
            EXPECT_TRUE(written.text.empty());
            continue;
        }
        ASSERT_EQ(read_back(written.text, format), cells) << written.text;
    }
}

TEST(RoundTrip, MarkdownHoldsTrimmedCellsWithPipesAndBackslashes) {
    std::mt19937 random(1004);
    const std::vector<std::string> pieces = {"a", "|", "\\", " ", "日", "α", "-", ":", "`", "\\|"};
    for (int round = 0; round < 3000; ++round) {
        Texts cells = trimmed(random_texts(random, pieces, 4));
        WriteOptions options;
        options.positionType = static_cast<int32_t>(round % 18);
        options.widthModel = round % 2 == 0 ? WidthModel::Narrow : WidthModel::Wide;
        options.lineEnd = either_line_end(random);
        TableWrite written = write_table(table_of(cells), TableFormat::Markdown, options);
        ASSERT_TRUE(written.ok()) << describe(cells);
        ASSERT_EQ(read_back(written.text, TableFormat::Markdown), cells) << written.text;
    }
}

bool is_vertical_piece(std::string_view ch) {
    return formats::piece_of(formats::piece_code(ch, TextEncoding::Utf8)) ==
           formats::Piece::Vertical;
}

// A frame whose cells hold vertical pieces may line up as other cells too
// where it has one column, and so no joints to tell its borders from a
// cell's pieces, or where a Prepend character, which takes what follows into
// its cluster, stands before a vertical piece or a cell's border.
bool lines_up_otherwise(const Texts& cells) {
    bool vertical = false;
    bool prependBeforeOne = false;
    for (const auto& row : cells) {
        for (const auto& cell : row) {
            bool afterPrepend = false;
            for (size_t at = 0; at < cell.size();) {
                const text_rules::Utf8Char c = text_rules::decode_utf8_unchecked(cell, at);
                const std::string_view ch = std::string_view(cell).substr(at, c.length);
                vertical = vertical || is_vertical_piece(ch);
                prependBeforeOne = prependBeforeOne || (afterPrepend && is_vertical_piece(ch));
                afterPrepend =
                    code_point_props(c.codePoint).grapheme_break() == GraphemeBreak::Prepend ||
                    (afterPrepend && ch == " ");
                at += c.length;
            }
            prependBeforeOne = prependBeforeOne || afterPrepend;
        }
    }
    return vertical && (cells[0].size() == 1 || prependBeforeOne);
}

// Frames keep every cell but its blanks at either end, whatever it starts or
// ends with: a Prepend character before the padding, a combining mark after
// it, or nothing at all.
TEST(RoundTrip, FramesOfEveryTypeAndModelGiveTrimmedCells) {
    std::mt19937 random(606);
    // Cells may look like rules: +---+ and ─┼─ are text inside a frame.
    const std::vector<std::string> pieces = {
        "a",          "",  "",   " ", "日",  "α", "\u0603", "\u0301", "e\u0301",
        "\U0001F600", "+", "--", "=", "─┼─", "│", "┃",      "│\u0CBE"};
    for (int round = 0; round < 2400; ++round) {
        Texts cells = random_texts(random, pieces, 3);
        WriteOptions options;
        options.frameType = 1 + round % 6;
        options.positionType = 1 + static_cast<int32_t>(random() % 17);
        options.widthModel = round % 12 < 6 ? WidthModel::Narrow : WidthModel::Wide;
        TableWrite written = write_table(table_of(cells), TableFormat::Frame, options);
        if (written.refusal.kind == RefusalKind::NoCells) {
            continue;
        }
        ASSERT_TRUE(written.ok()) << describe(cells) << static_cast<int>(written.refusal.kind);
        // Read in the other model, a frame lines up only in its own, unless
        // the ambiguous width of a vertical piece in a cell lets it line up
        // there too as other cells.
        const std::string shown = describe(cells);
        const bool verticalInACell =
            shown.find("│") != std::string::npos || shown.find("┃") != std::string::npos;
        for (WidthModel asked : {WidthModel::Narrow, WidthModel::Wide}) {
            if (verticalInACell && asked != options.widthModel) {
                continue;
            }
            TableRead read =
                read_table(written.text, TableFormat::Frame, TextEncoding::Utf8, asked);
            ASSERT_TRUE(read.ok()) << written.text << static_cast<int>(read.refusal.kind) << " at "
                                   << read.refusal.line << ":" << read.refusal.column;
            if (!lines_up_otherwise(cells)) {
                ASSERT_EQ(texts_of(read.table), trimmed(cells)) << written.text;
            }
        }
    }
}

TEST(RoundTrip, Cp932SecondBytesStayInTheirCharacters) {
    std::mt19937 random(932);
    // 僴 and 表 end in the bytes of '|' and '\'; 日 is plain.
    const std::vector<std::string> pieces = {"a", "\xFA\x7C", "\x95\x5C", "\x93\xFA", " "};
    for (int round = 0; round < 2000; ++round) {
        Texts cells = trimmed(random_texts(random, pieces, 3));
        for (TableFormat format : {TableFormat::Psv, TableFormat::Markdown, TableFormat::Csv}) {
            TableWrite written = write(cells, format, LineEnd::Lf, TextEncoding::Cp932);
            ASSERT_TRUE(written.ok()) << describe(cells);
            ASSERT_EQ(read_back(written.text, format, TextEncoding::Cp932), cells) << written.text;
        }
    }
}

// Columns laid out as commands print them, left- or right-aligned with two
// blanks between, read back as their cells; the last column may hold blanks.
std::string aligned_text(const Texts& cells, const std::vector<bool>& right) {
    std::vector<size_t> widths(cells[0].size(), 0);
    for (const auto& row : cells) {
        for (size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    std::string text;
    for (const auto& row : cells) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - row[c].size(), ' ');
            line += (c > 0 ? "  " : "") + (right[c] ? pad + row[c] : row[c] + pad);
        }
        text += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
    }
    return text;
}

TEST(RoundTrip, AlignedColumnsGiveTheirCells) {
    std::mt19937 random(1999);
    const std::vector<std::string> pieces = {"a", "Z", "7", "-", "/", ":", "%"};
    for (int round = 0; round < 2000; ++round) {
        Texts cells = random_texts(random, pieces, 6);
        std::vector<bool> right(cells[0].size());
        for (size_t c = 0; c < right.size(); ++c) {
            right[c] = c > 0 && c + 1 < right.size() && (random() & 1) != 0;
        }
        for (size_t r = 0; r < cells.size(); ++r) {
            for (std::string& cell : cells[r]) {
                cell = "x" + cell;
            }
            cells[r].back() += r > 0 && (random() & 1) != 0 ? " y z" : "";
        }
        const std::string text = aligned_text(cells, right);
        ASSERT_EQ(read_back(text, TableFormat::Aligned), cells) << text;
    }
}

}  // namespace
