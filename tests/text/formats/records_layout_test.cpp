// Records frames: every row a block of header | value lines. They read back
// as the table they show, a table's frame is never taken for one, and auto
// chooses records exactly when a simple model of the widths says the table
// cannot fit.
#include <gtest/gtest.h>

#include <algorithm>

#include "table_testing.h"
#include "text/layout/layout_choice.h"
#include "text/layout/records_frame.h"
#include "text/formats/table_formats.h"

namespace {

std::string pick(std::mt19937& random, const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
}

size_t up_to(std::mt19937& random, size_t n) {
    return std::uniform_int_distribution<size_t>(0, n)(random);
}

// A cell of a few lines, each of words with no blank at either end: frames
// trim every line of a cell. oneLine and filled keep keys that a frame
// without rules between fields can part.
std::string random_cell(std::mt19937& random, bool oneLine, bool filled) {
    static const std::vector<std::string> words = {
        "a",     "ab",  "日本", "e\u0301", "\U0001F600",         "α", "+", "--",
        "[ 1 ]", "─┼─", "x y",  "7.5",     "\x1b[31mred\x1b[0m!"};
    const size_t lines = oneLine ? 1 : 1 + up_to(random, 2);
    std::string cell;
    for (size_t line = 0; line < lines; ++line) {
        const size_t count = (filled || line > 0 ? 1 : 0) + up_to(random, 2);
        if (line > 0) {
            cell += '\n';
        }
        for (size_t w = 0; w < count; ++w) {
            cell += (w > 0 ? " " : "") + pick(random, words);
        }
    }
    return cell;
}

// A record of one field has no rule inside to show whether its lines are
// one field or several: a table of one column gets partable keys.
Texts random_table(std::mt19937& random, bool partableKeys, size_t fewestColumns = 1) {
    const size_t columns = fewestColumns + up_to(random, 3);
    partableKeys = partableKeys || columns == 1;
    Texts texts(1 + up_to(random, 3), std::vector<std::string>(columns));
    for (size_t r = 0; r < texts.size(); ++r) {
        for (std::string& cell : texts[r]) {
            cell = random_cell(random, r == 0 && partableKeys, r == 0 && partableKeys);
        }
    }
    return texts;
}

WriteOptions records_options(std::mt19937& random, int round) {
    WriteOptions options;
    options.frameType = 1 + round % 6;
    options.positionType = 1 + static_cast<int32_t>(up_to(random, 16));
    options.widthModel = round % 12 < 6 ? WidthModel::Narrow : WidthModel::Wide;
    options.lineEnd = up_to(random, 3) == 0 ? LineEnd::CrLf : LineEnd::Lf;
    options.fit.padding = static_cast<int32_t>(up_to(random, 2));
    options.fit.layout = RowLayout::Records;
    return options;
}

Texts read_frame_back(const std::string& frame, WidthModel model) {
    TableRead read = read_table(frame, TableFormat::Frame, TextEncoding::Utf8, model);
    EXPECT_TRUE(read.ok()) << frame << " refused: " << static_cast<int>(read.refusal.kind) << " at "
                           << read.refusal.line << ":" << read.refusal.column;
    return texts_of(read.table);
}

// A frame read by the command's own path, whose fast reader of plain frames
// must step aside for records, drawn again as a plain table.
std::string reframed(const std::string& frame, const WriteOptions& options) {
    FrameRequest request;
    request.text = frame;
    request.from = TableFormat::Frame;
    request.to = TableFormat::Frame;
    request.frameType = options.frameType;
    request.widthModel = options.widthModel;
    return frame_text(request).text;
}

TEST(RecordsLayout, ReadsBackAsTheTableInEveryTypeModelAndRule) {
    std::mt19937 random(3107);
    for (int round = 0; round < 3000; ++round) {
        // Without rules between fields, a line of a blank key continues the
        // field above: keys of one line, never empty, part them.
        const RuleLines rules = round % 3 == 0   ? RuleLines::Header
                                : round % 3 == 1 ? RuleLines::None
                                                 : RuleLines::All;
        const Texts cells = random_table(random, rules != RuleLines::All);
        WriteOptions options = records_options(random, round);
        options.fit.rules = rules;
        const TableWrite written = write_table(table_of(cells), TableFormat::Frame, options);
        ASSERT_TRUE(written.ok()) << describe(cells) << static_cast<int>(written.refusal.kind);
        for (WidthModel asked : {WidthModel::Narrow, WidthModel::Wide}) {
            ASSERT_EQ(read_frame_back(written.text, asked), cells) << written.text;
        }
        WriteOptions table = options;
        table.fit = FrameFit();
        table.lineEnd = LineEnd::Lf;
        table.positionType = 1;
        const TableWrite asTable = write_table(table_of(cells), TableFormat::Frame, table);
        ASSERT_EQ(reframed(written.text, table), asTable.text) << written.text;
    }
}

// A title over records and a footer under them read back apart from the
// records, which read back as the table.
TEST(RecordsLayout, TitledRecordsReadBackWithTheirTitles) {
    std::mt19937 random(1205);
    for (int round = 0; round < 600; ++round) {
        const Texts cells = random_table(random, false, 2);
        const WriteOptions options = records_options(random, round);
        const std::string title = pick(random, {"Stock", "在庫 一覧", "A title longer than most"});
        const std::string footer = pick(random, {"", "end", "\U0001F600 counted"});
        FrameRequest request;
        request.to = TableFormat::Frame;
        request.frameType = options.frameType;
        request.widthModel = options.widthModel;
        request.fit.layout = RowLayout::Records;
        request.fit.padding = options.fit.padding;
        request.titles = TableTitles{title, footer, TitleAlign::Centre};
        const FrameOutcome framed = frame_table(table_of(cells), request);
        ASSERT_TRUE(framed.ok()) << describe(cells);
        const TableRead read =
            read_table(framed.text, TableFormat::Frame, TextEncoding::Utf8, options.widthModel);
        ASSERT_TRUE(read.ok()) << framed.text;
        EXPECT_EQ(texts_of(read.table), cells) << framed.text;
        // A title wraps at the table's width, between words or characters.
        const auto unbroken = [](std::string text) {
            text.erase(std::remove_if(text.begin(), text.end(),
                                      [](char c) { return c == ' ' || c == '\n'; }),
                       text.end());
            return text;
        };
        EXPECT_EQ(unbroken(read.title), unbroken(title)) << framed.text;
        EXPECT_EQ(read.footer, footer) << framed.text;
    }
}

// Wrapped values come back in lines, as a table's wrapped cells do: the same
// text but for the blanks and line breaks where lines were cut.
TEST(RecordsLayout, WrappedValuesReadBackWordForWord) {
    std::mt19937 random(77);
    auto words_of = [](std::string text) {
        text.erase(
            std::remove_if(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\n'; }),
            text.end());
        return text;
    };
    for (int round = 0; round < 600; ++round) {
        const Texts cells = random_table(random, false, 2);
        WriteOptions options = records_options(random, round);
        options.fit.width = 24 + static_cast<int32_t>(up_to(random, 12));
        const TableWrite written = write_table(table_of(cells), TableFormat::Frame, options);
        if (written.refusal.kind == RefusalKind::FrameTooNarrow) {
            continue;
        }
        ASSERT_TRUE(written.ok()) << describe(cells) << static_cast<int>(written.refusal.kind);
        const Texts back = read_frame_back(written.text, options.widthModel);
        ASSERT_EQ(back.size(), cells.size()) << written.text;
        for (size_t r = 0; r < cells.size(); ++r) {
            for (size_t c = 0; c < cells[r].size(); ++c) {
                ASSERT_EQ(words_of(back[r][c]), words_of(cells[r][c])) << written.text;
            }
        }
    }
}

// Two columns ruled between every row look as records would but for the
// number in the top rule, which a table's frame never has.
TEST(RecordsLayout, TwoColumnTablesStayTables) {
    std::mt19937 random(2);
    for (int round = 0; round < 1500; ++round) {
        Texts cells = random_table(random, false);
        for (std::vector<std::string>& row : cells) {
            row.resize(2, "[ 1 ]");
            for (std::string& cell : row) {
                std::replace(cell.begin(), cell.end(), '\n', ' ');
            }
        }
        WriteOptions options = records_options(random, round);
        options.fit.layout = RowLayout::Table;
        options.fit.rules = round % 2 == 0 ? RuleLines::All : RuleLines::Header;
        const TableWrite written = write_table(table_of(cells), TableFormat::Frame, options);
        ASSERT_TRUE(written.ok());
        if (options.fit.rules == RuleLines::All) {
            ASSERT_EQ(read_frame_back(written.text, options.widthModel), trimmed(cells))
                << written.text;
        }
        const size_t firstLineEnd = written.text.find('\n');
        ASSERT_EQ(written.text.substr(0, firstLineEnd).find('['), std::string::npos);
    }
}

struct LookCase {
    const char* name;
    int32_t frameType;
    RuleLines rules;
    int32_t padding;
    const char* frame;
};

TEST(RecordsLayout, DrawsNumberedBlocks) {
    const Texts cells = {{"id", "name"}, {"1", "pear"}, {"10", "fig"}};
    const LookCase cases[] = {
        {"heavy rules between records, light between fields", 3, RuleLines::All, 0,
         "┏━[ 1 ]━━┯━━━━┓\n"
         "┃id      │1   ┃\n"
         "┠────────┼────┨\n"
         "┃name    │pear┃\n"
         "┣━[ 2 ]━━┿━━━━┫\n"
         "┃id      │10  ┃\n"
         "┠────────┼────┨\n"
         "┃name    │fig ┃\n"
         "┗━━━━━━━━┷━━━━┛\n"},
        {"no rules between fields, padded", 6, RuleLines::None, 1,
         "+-[ 1 ]---+------+\n"
         "| id      | 1    |\n"
         "| name    | pear |\n"
         "+-[ 2 ]---+------+\n"
         "| id      | 10   |\n"
         "| name    | fig  |\n"
         "+---------+------+\n"},
    };
    for (const LookCase& look : cases) {
        WriteOptions options;
        options.frameType = look.frameType;
        options.fit.layout = RowLayout::Records;
        options.fit.rules = look.rules;
        options.fit.padding = look.padding;
        const TableWrite written = write_table(table_of(cells), TableFormat::Frame, options);
        EXPECT_EQ(written.text, look.frame) << look.name;
    }
}

// Code page 932 counts bytes, and its box pieces are two columns wide: the
// number's blank evens out the key column's rule.
TEST(RecordsLayout, Cp932RecordsReadBack) {
    const Texts cells = {{"\x95\x69\x96\xbc", "n"}, {"\x82\xa0\x82\xa2", "12"}, {"a", ""}};
    for (int32_t frameType = 1; frameType <= 6; ++frameType) {
        for (RuleLines rules : {RuleLines::All, RuleLines::None}) {
            WriteOptions options;
            options.frameType = frameType;
            options.fit.layout = RowLayout::Records;
            options.fit.rules = rules;
            const TableWrite written =
                write_table(table_of(cells, TextEncoding::Cp932), TableFormat::Frame, options);
            ASSERT_TRUE(written.ok());
            TableRead read = read_table(written.text, TableFormat::Frame, TextEncoding::Cp932,
                                        WidthModel::Narrow);
            ASSERT_TRUE(read.ok()) << written.text;
            EXPECT_EQ(texts_of(read.table), cells) << written.text;
        }
    }
}

// A header row alone shows its keys, numbered 0, and reads back as itself.
TEST(RecordsLayout, HeaderAloneIsRecordZero) {
    for (int32_t frameType = 1; frameType <= 6; ++frameType) {
        const Texts cells = {{"id", "", "a\nb"}};
        WriteOptions options;
        options.frameType = frameType;
        options.fit.layout = RowLayout::Records;
        const TableWrite written = write_table(table_of(cells), TableFormat::Frame, options);
        ASSERT_TRUE(written.ok());
        EXPECT_NE(written.text.find("[ 0 ]"), std::string::npos) << written.text;
        EXPECT_EQ(read_frame_back(written.text, WidthModel::Narrow), cells) << written.text;
    }
}

// The columns of the frame auto would draw, in the narrow model: each at
// its widest line, or 8 when wider; an even area in the box styles.
int64_t narrowest_table(const Texts& cells, int32_t frameType, int32_t padding) {
    int64_t width = static_cast<int64_t>(cells[0].size()) + 1;
    for (size_t c = 0; c < cells[0].size(); ++c) {
        int64_t widest = 0;
        for (const std::vector<std::string>& row : cells) {
            widest = std::max<int64_t>(widest, static_cast<int64_t>(row[c].size()));
        }
        int64_t area = std::min<int64_t>(widest, kNarrowestTableCell);
        if (frameType != 6) {
            area = area == 0 ? 2 : area + (area & 1);
        }
        width += area + 2 * padding;
    }
    return width;
}

TEST(RecordsLayout, AutoDrawsRecordsWhenCellsWouldBeCutBelowEight) {
    std::mt19937 random(8);
    const std::vector<std::string> pieces = {"a", "bb", "c d", "eeeeeeee", "-"};
    for (int round = 0; round < 2000; ++round) {
        const Texts cells = random_texts(random, pieces, 4);
        WriteOptions options;
        options.frameType = round % 2 == 0 ? 6 : 2;
        options.fit.padding = static_cast<int32_t>(up_to(random, 1));
        options.fit.width = static_cast<int32_t>(8 + up_to(random, 50));
        options.fit.layout = RowLayout::Auto;
        const TableWrite written = write_table(table_of(cells), TableFormat::Frame, options);
        const bool wantRecords =
            narrowest_table(cells, options.frameType, options.fit.padding) > options.fit.width;
        if (written.refusal.kind == RefusalKind::FrameTooNarrow) {
            ASSERT_TRUE(wantRecords) << describe(cells) << options.fit.width;
            continue;
        }
        ASSERT_TRUE(written.ok()) << describe(cells);
        const bool records = written.text.find("[ ") < written.text.find('\n');
        ASSERT_EQ(records, wantRecords) << written.text << options.fit.width;
    }
}

// As around a table's frame, lines before the top rule and after the bottom
// one are passed over; ASCII records of one record would otherwise read from
// a field's rule on as a table.
TEST(RecordsLayout, TextAroundRecordsIsPassedOver) {
    const Texts cells = {{"id", "name"}, {"1", "pear"}};
    for (int32_t frameType : {2, 6}) {
        WriteOptions options;
        options.frameType = frameType;
        options.fit.layout = RowLayout::Records;
        const TableWrite written = write_table(table_of(cells), TableFormat::Frame, options);
        const std::string pasted = "psql says:\n+ see below\n" + written.text + "(1 row)\n";
        EXPECT_EQ(read_frame_back(pasted, WidthModel::Narrow), cells) << pasted;
    }
}

FrameRequest request_of(const std::string& psv) {
    FrameRequest request;
    request.text = psv;
    request.fit.layout = RowLayout::Records;
    return request;
}

TEST(RecordsLayout, ShapeComesFirstAndOtherFormatsWriteTheTable) {
    const std::string psv = "id|name\n2|fig\n1|pear\n3|kiwi\n";
    FrameRequest request = request_of(psv);
    request.shape.sort = "1";
    request.shape.head = 2;
    request.shape.columns = "name";
    const FrameOutcome framed = frame_text(request);
    ASSERT_TRUE(framed.ok());
    EXPECT_EQ(read_frame_back(framed.text, WidthModel::Narrow),
              (Texts{{"name"}, {"pear"}, {"fig"}}))
        << framed.text;
    EXPECT_EQ(framed.text.find("more"), std::string::npos) << framed.text;

    request = request_of(psv);
    request.to = TableFormat::Csv;
    EXPECT_EQ(frame_text(request).text, "id,name\n2,fig\n1,pear\n3,kiwi\n");
}

}  // namespace
