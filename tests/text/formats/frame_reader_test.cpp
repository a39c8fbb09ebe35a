#include <gtest/gtest.h>

#include "table_testing.h"
#include "text/unicode/display_width.h"
#include "text/formats/table_formats.h"

namespace {

struct FrameCase {
    const char* name;
    std::string frame;
    Texts cells;
    WidthModel model = WidthModel::Narrow;
    TextEncoding encoding = TextEncoding::Utf8;
};

void PrintTo(const FrameCase& c, std::ostream* os) {
    *os << c.name;
}

class Unframe : public ::testing::TestWithParam<FrameCase> {};

TEST_P(Unframe, GivesTrimmedCells) {
    const FrameCase& c = GetParam();
    TableRead read = read_table(c.frame, TableFormat::Frame, c.encoding, c.model);
    ASSERT_TRUE(read.ok()) << static_cast<int>(read.refusal.kind) << " at " << read.refusal.line
                           << ":" << read.refusal.column;
    EXPECT_EQ(texts_of(read.table), c.cells) << describe(texts_of(read.table));
}

INSTANTIATE_TEST_SUITE_P(
    OtherTools, Unframe,
    ::testing::Values(
        FrameCase{"light",
                  "┌─────┬─────┐\n│ a   │ b   │\n├─────┼─────┤\n│ 1   │ 2   │\n└─────┴─────┘\n",
                  {{"a", "b"}, {"1", "2"}}},
        FrameCase{"heavy_no_body_rules",
                  "┏━━━┳━━━┓\n┃ a ┃ b ┃\n┣━━━╋━━━┫\n┃ 1 ┃ 2 ┃\n┃ 3 ┃ 4 ┃\n┗━━━┻━━━┛",
                  {{"a", "b"}, {"1", "2"}, {"3", "4"}}},
        FrameCase{"double",
                  "╔═══╦═══╗\n║ a ║ b ║\n╠═══╬═══╣\n║ 1 ║ 2 ║\n╚═══╩═══╝\n",
                  {{"a", "b"}, {"1", "2"}}},
        FrameCase{"rounded", "╭───┬───╮\n│ a │ b │\n╰───┴───╯\n", {{"a", "b"}}},
        FrameCase{"double_header_rule",
                  "┌───┬───┐\n│ a │ b │\n╞═══╪═══╡\n│ 1 │ 2 │\n│ 3 │ 4 │\n└───┴───┘\n",
                  {{"a", "b"}, {"1", "2"}, {"3", "4"}}},
        FrameCase{"ascii_grid_header_rule",
                  "+------+----+\n| Name | Kg |\n+======+====+\n| pear | 2  |\n+------+----+\n"
                  "| fig  | 10 |\n+------+----+\n",
                  {{"Name", "Kg"}, {"pear", "2"}, {"fig", "10"}}},
        FrameCase{"text_around_crlf_indent",
                  "Here it is:\r\n\r\n  +---+----+\r\n  | a | bb |\r\n  +---+----+\r\n"
                  "-- sent from a phone\r\n| not | a row |\r\n",
                  {{"a", "bb"}}},
        FrameCase{"cell_holds_verticals",
                  "┌───────┬───┐\n│ a│b|c │ d │\n└───────┴───┘\n",
                  {{"a│b|c", "d"}}},
        FrameCase{"wide_cells", "┌──────┬──┐\n│ 日本 │α │\n└──────┴──┘\n", {{"日本", "α"}}},
        FrameCase{"empty_column", "┌┬───┐\n││ x │\n└┴───┘\n", {{"", "x"}}},
        FrameCase{"rules_with_vertical_ends",
                  "+----+----+\n| a  | b  |\n|----+----|\n| 1  | 2  |\n+----+----+\n",
                  {{"a", "b"}, {"1", "2"}}},
        FrameCase{"box_rule_with_vertical_ends",
                  "┌───┬───┐\n│ a │ b │\n│───┼───│\n│ 1 │ 2 │\n└───┴───┘\n",
                  {{"a", "b"}, {"1", "2"}}},
        FrameCase{"jointless_top_over_header_rule",
                  "+-------+\n| a | b |\n+---+---+\n| 1 | 2 |\n+-------+\n",
                  {{"a", "b"}, {"1", "2"}}},
        FrameCase{"jointless_box_verticals_line_up",
                  "╭───────╮\n│ a │ b │\n│ 1 │ 2 │\n╰───────╯\n",
                  {{"a", "b"}, {"1", "2"}}},
        FrameCase{
            "one_column_holds_a_padded_bar", "+-------+\n| a | b |\n+-------+\n", {{"a | b"}}},
        FrameCase{"cell_ending_in_plus_stays_text",
                  "+----+---+\n|  a+|  b|\n|    |  c|\n+----+---+\n",
                  {{"a+", "b"}, {"", "c"}}},
        FrameCase{"dash_cell_between_verticals", "+--+\n|--|\n|ab|\n+--+\n", {{"--"}, {"ab"}}},
        // Padded cells under a header tell the rule under it from a cell.
        FrameCase{"one_column_rule_with_vertical_ends",
                  "+--------+\n| Name   |\n|--------|\n| pen    |\n| ink    |\n+--------+\n",
                  {{"Name"}, {"pen"}, {"ink"}}},
        FrameCase{"one_column_rule_with_vertical_ends_unframed",
                  "| Name   |\n|--------|\n| pen    |\n",
                  {{"Name"}, {"pen"}}},
        FrameCase{"one_column_box_rule_with_vertical_ends",
                  "┌─────┐\n│ a   │\n│─────│\n│  1  │\n└─────┘\n",
                  {{"a"}, {"1"}}},
        // Two cells hold a bar at the same place, the header's none.
        FrameCase{"one_column_with_a_bar_in_some_cells",
                  "+-------+\n|+--+--+|\n+-------+\n|  ┃    |\n+-------+\n|  ┃    |\n+-------+\n",
                  {{"+--+--+"}, {"┃"}, {"┃"}}},
        // A cell's own blank before a mark that joins it, unpadded and
        // padded: the writer measured them as one cluster.
        FrameCase{"mark_joining_a_cells_own_blank",
                  "┏━━┳━━┓\n┃a ┃b ┃\n┣━━╋━━┫\n┃ \u0CBE ┃x ┃\n┗━━┻━━┛\n",
                  {{"a", "b"}, {"\u0CBE", "x"}}},
        FrameCase{"mark_joining_a_cells_own_blank_after_padding",
                  "┏━━━━┳━━━━┓\n┃ a  ┃ b  ┃\n┣━━━━╋━━━━┫\n┃   \u0CBE ┃ x  ┃\n┗━━━━┻━━━━┛\n",
                  {{"a", "b"}, {"\u0CBE", "x"}}},
        FrameCase{"mark_joining_a_cells_own_blank_before_a_bar_inside",
                  "┏━━━━┳━━┓\n┃h   ┃i ┃\n┣━━━━╋━━┫\n┃ \u0CBE│x ┃a ┃\n┗━━━━┻━━┛\n",
                  {{"h", "i"}, {"\u0CBE│x", "a"}}},
        FrameCase{"dash_cell_on_top_stays_a_cell",
                  "+------+\n|------|\n| pen  |\n+------+\n",
                  {{"------"}, {"pen"}}},
        FrameCase{"dash_cell_beside_unpadded_text_stays_a_cell",
                  "+----+\n| a  |\n|----|\n|ink |\n+----+\n",
                  {{"a"}, {"----"}, {"ink"}}},
        FrameCase{"shell_border1_footer",
                  " a | b\n---+---\n 1 | x\n(1 row)\n\nlater\n",
                  {{"a", "b"}, {"1", "x"}}},
        FrameCase{"columns_of_empty_cells", "+++\n|||\n+++\n", {{"", ""}}},
        FrameCase{
            "prepend_before_padding", "+--+\n|ab|\n+--+\n|\u0603  |\n+--+\n", {{"ab"}, {"\u0603"}}},
        // Written as one cluster, the sign and the bar after it are one column.
        FrameCase{"prepend_before_a_bar_in_the_cell",
                  "┏━━┳━━┓\n┃\u0603┃a┃b ┃\n┗━━┻━━┛\n",
                  {{"\u0603┃a", "b"}}},
        FrameCase{"prepend_before_the_border",
                  "┏━━┳━━┓\n┃ab┃ c┃\n┣━━╋━━┫\n┃ \u0603┃ x┃\n┗━━┻━━┛\n",
                  {{"ab", "c"}, {"\u0603", "x"}}},
        // The space after the sign is the cell's own, measured in its cluster.
        FrameCase{"prepend_and_a_space_before_a_bar_in_the_cell",
                  "┏━━━━━┳━━┓\n┃│؃ │~b┃c "
                  "┃\n┗━━━━━┻━━┛\n",
                  {{"│؃ │~b", "c"}}},
        // At a joint's column a bar after the sign may be the border or in
        // the cell: the rest of the line tells which.
        FrameCase{"prepend_before_a_bar_at_a_joint_in_the_cell",
                  "┌──┬──┬──┐\n│a │b؃┃│b "
                  "│\n└──┴──┴──┘\n",
                  {{"a", "b؃┃", "b"}}},
        // Both line up; the border is drawn with the line its joint sends down.
        FrameCase{"prepend_before_a_bar_unlike_the_border",
                  "┏━━┳━━┓\n┃ ؃│┃؃ ┃\n┗━━┻━━┛\n",
                  {{"؃│", "؃"}}},
        FrameCase{"prepend_before_a_border_at_a_joint",
                  "┌──┬──┬──┐\n│a "
                  "│b؃┃│b│\n└──┴──┴──┘\n",
                  {{"a", "b؃", "│b"}}},
        // A spacing mark after a bar in a cell is in the bar's cluster.
        FrameCase{"spacing_mark_after_a_bar_in_the_cell",
                  "┌───┬──┐\n│a│ಾb│c │\n└───┴──┘\n",
                  {{"a│ಾb", "c"}}},
        FrameCase{"after_rules_without_rows",
                  "+-+-+\n+-+-+\n└─┴─┘\n+-+-+\nx\n+---+\n| a |\n+---+\n",
                  {{"a"}}},
        FrameCase{"wide_model_asked_narrow", "┏━┳━━┓\n┃No┃Item┃\n┗━┻━━┛\n", {{"No", "Item"}}},
        FrameCase{"narrow_model_asked_wide",
                  "┏━━┳━━━━┓\n┃No┃Item┃\n┗━━┻━━━━┛\n",
                  {{"No", "Item"}},
                  WidthModel::Wide},
        FrameCase{"cp932_type_2",
                  "\x84\xA1\x84\x9F\x84\xA6\x84\x9F\x84\xA2\n"
                  "\x84\xA0\xFA\x7C\x84\xA0\x95\x5C\x84\xA0\n"
                  "\x84\xA4\x84\x9F\x84\xA8\x84\x9F\x84\xA3\n",
                  {{"\xFA\x7C", "\x95\x5C"}},
                  WidthModel::Narrow,
                  TextEncoding::Cp932}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

const Texts kStock = {{"Name", "Qty"}, {"pen", "10"}, {"ink", "5"}};

// Box styles of terminal table renderers that draw no outer borders: rules
// end in half lines, columns' borders in half verticals or blanks, and a rule
// of one run of fill leaves the columns to the blanks between them.
INSTANTIATE_TEST_SUITE_P(
    OpenBoxStyles, Unframe,
    ::testing::Values(
        FrameCase{"minimal",
                  "       ╷      \n  Name │ Qty  \n ╶─────┼─────╴\n  pen  │  10  \n"
                  "  ink  │   5  \n       ╵      \n",
                  kStock},
        FrameCase{"minimal_indented_edge_on_header",
                  "  Name  ╷ Qty\n ╶──────┼─────╴\n  pen   │  10\n  ink   │   5\n        ╵\n",
                  kStock},
        FrameCase{"minimal_heavy_head_row_lines",
                  "      ╷     \n Name │ Qty \n╺━━━━━┿━━━━━╸\n pen  │  10 \n"
                  "╶─────┼─────╴\n ink  │   5 \n      ╵     \n",
                  kStock},
        FrameCase{"simple_head",
                  "              \n  Name    Qty  \n ──────────── \n  pen      10  \n"
                  "  ink       5  \n              \n",
                  kStock},
        FrameCase{"simple_heavy", "  Name    Qty\n ━━━━━━━━━━━━\n  pen      10\n  ink       5\n",
                  kStock},
        FrameCase{"horizontals",
                  " ──────────── \n  Name    Qty  \n ──────────── \n  pen      10  \n"
                  "  ink       5  \n ──────────── \n",
                  kStock},
        FrameCase{"simple_words_and_empty_cells",
                  " Item      Note     Qty \n ─────────────────────── \n red pen   ink       10 \n"
                  " 日本      a b c       \n                     5 \n",
                  {{"Item", "Note", "Qty"},
                   {"red pen", "ink", "10"},
                   {"日本", "a b c", ""},
                   {"", "", "5"}}},
        FrameCase{"ascii_jointless_top",
                  "+------------+\n| Name | Qty |\n|------+-----|\n| pen  |  10 |\n"
                  "| ink  |   5 |\n+------------+\n",
                  kStock},
        FrameCase{"ascii_jointed_top",
                  "+------+-----+\n| Name | Qty |\n|------+-----|\n| pen  |  10 |\n"
                  "| ink  |   5 |\n+------+-----+\n",
                  kStock},
        FrameCase{"heavy_head",
                  "┏━━━━━━┳━━━━━┓\n┃ Name ┃ Qty ┃\n┡━━━━━━╇━━━━━┩\n│ pen  │  10 │\n"
                  "│ ink  │   5 │\n└──────┴─────┘\n",
                  kStock}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct MismatchCase {
    const char* name;
    std::string frame;
    RefusalKind kind;
    int64_t line;
    int64_t column;
};

void PrintTo(const MismatchCase& c, std::ostream* os) {
    *os << c.name;
}

class UnframeRefused : public ::testing::TestWithParam<MismatchCase> {};

TEST_P(UnframeRefused, SaysWhere) {
    const MismatchCase& c = GetParam();
    TableRead read =
        read_table(c.frame, TableFormat::Frame, TextEncoding::Utf8, WidthModel::Narrow);
    EXPECT_EQ(read.refusal.kind, c.kind);
    EXPECT_EQ(read.refusal.line, c.line);
    EXPECT_EQ(read.refusal.column, c.column);
    EXPECT_TRUE(read.table.rows().empty());
}

constexpr RefusalKind kMismatch = RefusalKind::FrameMismatch;

INSTANTIATE_TEST_SUITE_P(
    Cases, UnframeRefused,
    ::testing::Values(
        MismatchCase{"no_rule", "a|b\n+ not a rule\n", RefusalKind::NoFrameFound, 0, 0},
        MismatchCase{"rule_without_rows", "+---+\nhello\n", RefusalKind::NoFrameFound, 0, 0},
        MismatchCase{"border_out_of_place", "+---+---+\n| a  | b|\n+---+---+\n", kMismatch, 2, 6},
        MismatchCase{"cell_too_many", "+---+---+\n| a | b | c |\n+---+---+\n", kMismatch, 2, 11},
        MismatchCase{"cell_too_few", "┌───┬───┐\n│ a     │\n└───┴───┘\n", kMismatch, 2, 9},
        MismatchCase{"rule_joint_moved", "+---+---+\n| a | b |\n+----+--+\n", kMismatch, 3, 6},
        MismatchCase{"rule_broken", "+---+---+\n| a | b |\n+---x---+\n", kMismatch, 3, 5},
        MismatchCase{"indent_differs", "  +---+\n  | a |\n | b |\n  +---+\n", kMismatch, 3, 2},
        MismatchCase{"no_bottom_rule", "┌─┬─┐\n│a│b│\nafter\n", kMismatch, 3, 1},
        MismatchCase{"ends_at_inner_rule", "┌─┬─┐\n│a│b│\n├─┼─┤\n\n", kMismatch, 3, 6},
        MismatchCase{"no_top_rule", "│a│b│\n├─┼─┤\n│c│d│\n└─┴─┘\n", kMismatch, 2, 1},
        MismatchCase{"wide_char_across_border", "┌──┬─┐\n│日本│x│\n└──┴─┘\n", kMismatch, 2, 4},
        // e + U+0301 is one column, not its characters' 1 - 1 = 0.
        MismatchCase{"joining_mark_measured_alone", "+--+\n|e\u0301  |\n+--+\n", kMismatch, 2, 6},
        MismatchCase{"shell_separator_out_of_place", " a | b\n---+---\n 1  | 2\n", kMismatch, 3, 4},
        MismatchCase{"shell_cell_too_few", " a | b\n---+---\n 1\n", kMismatch, 3, 3},
        MismatchCase{"org_cell_past_border", "| a | b |\n|---+---|\n| 1 | 2 | 3\n", kMismatch, 3,
                     11},
        MismatchCase{"jointless_rule_ends_moved", "+-------+\n| a | b |\n+--------+\n", kMismatch,
                     3, 10}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Every frame Zentab draws reads back as its cells, trimmed, whichever width
// model is asked for first.
TEST(UnframeProperty, ZentabFramesGiveTheirCells) {
    std::mt19937 random(20261207);
    const std::vector<std::string> pieces = {"a", "Z", "7", " ", "日", "α",      "│",
                                             "|", "+", "-", "─", "é",  "e\u0301"};
    for (int round = 0; round < 1500; ++round) {
        Texts cells = random_texts(random, pieces, 5);
        cells[0][0] = "x" + cells[0][0];
        const int type = 1 + round % 6;
        const WidthModel drawn = round % 12 < 6 ? WidthModel::Narrow : WidthModel::Wide;
        std::string frame = draw_frame(cells, type, drawn, TextEncoding::Utf8, random);
        if (round % 3 == 0) {
            frame = "Before\n" + frame + "after\n";
        }
        for (WidthModel asked : {WidthModel::Narrow, WidthModel::Wide}) {
            TableRead read = read_table(frame, TableFormat::Frame, TextEncoding::Utf8, asked);
            ASSERT_TRUE(read.ok()) << frame << "refusal " << static_cast<int>(read.refusal.kind)
                                   << " at " << read.refusal.line << ":" << read.refusal.column;
            ASSERT_EQ(texts_of(read.table), trimmed(cells)) << frame;
        }
    }
}

TEST(UnframeProperty, Cp932FramesGiveTheirCells) {
    std::mt19937 random(932);
    // 日, 僴 and 表 (second bytes '|' and '\'), │, and ASCII.
    const std::vector<std::string> pieces = {"a",        " ",        "|",       "\x93\xFA",
                                             "\xFA\x7C", "\x95\x5C", "\x84\xA0"};
    for (int round = 0; round < 600; ++round) {
        Texts cells = random_texts(random, pieces, 4);
        cells[0][0] = "x" + cells[0][0];
        const int type = 1 + round % 6;
        std::string frame = draw_frame(cells, type, WidthModel::Wide, TextEncoding::Cp932, random);
        TableRead read =
            read_table(frame, TableFormat::Frame, TextEncoding::Cp932, WidthModel::Narrow);
        ASSERT_TRUE(read.ok()) << frame << static_cast<int>(read.refusal.kind);
        ASSERT_EQ(texts_of(read.table), trimmed(cells)) << frame;
    }
}

}  // namespace

namespace {

// A table drawn as the open box styles draw it: a blank edge, cells padded
// by one blank on each side and justified either way, a blank or a light
// vertical between columns.
std::string draw_open(const Texts& cells, int style, std::mt19937& random) {
    const size_t columns = cells[0].size();
    std::vector<int64_t> widths(columns, 0);
    for (const auto& row : cells) {
        for (size_t c = 0; c < columns; ++c) {
            widths[c] = std::max(widths[c], display_width(row[c], WidthModel::Narrow));
        }
    }
    std::vector<bool> right(columns);
    for (size_t c = 0; c < columns; ++c) {
        right[c] = random() % 2 == 0;
    }
    const bool minimal = style == 3;
    auto rule = [&](const std::string& fill, const std::string& joint, const std::string& end,
                    const std::string& start) {
        std::string line = start;
        for (size_t c = 0; c < columns; ++c) {
            for (int64_t k = 0; k < widths[c] + 2; ++k) {
                line += fill;
            }
            line += c + 1 < columns ? joint : end;
        }
        return line + "\n";
    };
    auto row_line = [&](const std::vector<std::string>& row) {
        std::string line = " ";
        for (size_t c = 0; c < columns; ++c) {
            const std::string pad(
                static_cast<size_t>(widths[c] - display_width(row[c], WidthModel::Narrow)), ' ');
            line += " " + (right[c] ? pad + row[c] : row[c] + pad) + " ";
            line += c + 1 < columns ? (minimal ? "│" : " ") : " ";
        }
        return line + "\n";
    };
    const std::string fill = style == 1 ? "━" : "─";
    std::string text;
    if (style == 2) {
        text += rule("─", "─", "─ ", " ");
    }
    for (size_t r = 0; r < cells.size(); ++r) {
        text += row_line(cells[r]);
        if (r == 0) {
            text += minimal ? rule("─", "┼", "╴", "╶") : rule(fill, fill, fill + " ", " ");
        }
    }
    if (style == 2) {
        text += rule("─", "─", "─ ", " ");
    }
    return text;
}

TEST(UnframeProperty, OpenBoxStylesGiveTheirCells) {
    std::mt19937 random(4242);
    // Dashes alone would be a rule, and "+" or "." ending a cell a shell's mark.
    const std::vector<std::string> pieces = {"a", "Zq", "7", "x y", "日", "é", "10", "#"};
    for (int round = 0; round < 800; ++round) {
        Texts cells = random_texts(random, pieces, 3);
        for (size_t c = 0; c < cells[0].size(); ++c) {
            cells[0][c] = "h" + cells[0][c];  // a heading over every column
        }
        cells = trimmed(cells);
        for (auto& row : cells) {
            // A row of empty cells is a blank line, which ends the table.
            if (std::all_of(row.begin(), row.end(),
                            [](const std::string& t) { return t.empty(); })) {
                row.back() = "r";
            }
        }
        const std::string text = draw_open(cells, round % 4, random);
        TableRead read =
            read_table(text, TableFormat::Frame, TextEncoding::Utf8, WidthModel::Narrow);
        ASSERT_TRUE(read.ok()) << text << static_cast<int>(read.refusal.kind);
        ASSERT_EQ(texts_of(read.table), cells) << text;
    }
}

}  // namespace
