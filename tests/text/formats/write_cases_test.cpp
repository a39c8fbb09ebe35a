#include <gtest/gtest.h>

#include <random>

#include "table_testing.h"
#include "text/formats/table_formats.h"
#include "text/formats/text_scan.h"
#include "text/frame_text.h"

namespace {

struct WriteCase {
    const char* name;
    TableFormat to;
    Texts cells;
    std::string text;
    WriteOptions options = {};
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class WriteTable : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteTable, GivesText) {
    const WriteCase& c = GetParam();
    TableWrite written = write_table(table_of(c.cells), c.to, c.options);
    ASSERT_TRUE(written.ok()) << static_cast<int>(written.refusal.kind);
    EXPECT_EQ(written.text, c.text);
}

WriteOptions crlf() {
    WriteOptions options;
    options.lineEnd = LineEnd::CrLf;
    return options;
}

WriteOptions position(int32_t type) {
    WriteOptions options;
    options.positionType = type;
    return options;
}

constexpr TableFormat kPsv = TableFormat::Psv;
constexpr TableFormat kTsv = TableFormat::Tsv;
constexpr TableFormat kCsv = TableFormat::Csv;
constexpr TableFormat kMd = TableFormat::Markdown;
constexpr TableFormat kJson = TableFormat::Json;

WriteOptions no_header() {
    WriteOptions options;
    options.header = false;
    return options;
}

INSTANTIATE_TEST_SUITE_P(
    Json, WriteTable,
    ::testing::Values(
        WriteCase{"objects_values_as_strings",
                  kJson,
                  {{"name", "qty"}, {"x", "3"}, {"y", "true"}},
                  "[\n{\"name\":\"x\",\"qty\":\"3\"},\n{\"name\":\"y\",\"qty\":\"true\"}\n]\n"},
        WriteCase{"escapes_only_what_json_requires",
                  kJson,
                  {{"k"}, {std::string("\"\\/\b\f\n\r\t\x01\x1F\x7F\0é日😀", 21)}},
                  "[\n{\"k\":\"\\\"\\\\/\\b\\f\\n\\r\\t\\u0001\\u001f\x7F\\u0000é日😀\"}\n]\n"},
        WriteCase{"short_row_leaves_keys_out",
                  kJson,
                  {{"a", "b"}, {"1"}, {}},
                  "[\n{\"a\":\"1\"},\n{}\n]\n"},
        WriteCase{"header_only", kJson, {{"a", "b"}}, "[\n]\n"},
        WriteCase{"no_header_arrays",
                  kJson,
                  {{"a", "b"}, {}, {"1"}},
                  "[\n[\"a\",\"b\"],\n[],\n[\"1\"]\n]\n",
                  no_header()},
        WriteCase{"crlf", kJson, {{"a"}, {"1"}}, "[\r\n{\"a\":\"1\"}\r\n]\r\n", crlf()},
        WriteCase{
            "lines", TableFormat::Jsonl, {{"a"}, {"1"}, {"2"}}, "{\"a\":\"1\"}\n{\"a\":\"2\"}\n"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

constexpr TableFormat kHtml = TableFormat::Html;
constexpr TableFormat kLatex = TableFormat::Latex;
constexpr TableFormat kRst = TableFormat::RstGrid;
constexpr TableFormat kRstSimple = TableFormat::RstSimple;
constexpr TableFormat kOrg = TableFormat::Org;
constexpr TableFormat kAdoc = TableFormat::AsciiDoc;
constexpr TableFormat kWiki = TableFormat::MediaWiki;
constexpr TableFormat kJira = TableFormat::Jira;

// One small table for every markup writer: a wide cell, and one that needs
// escaping in each of them.
const Texts kMarkup = {{"Item", "Note"}, {"日本", "a&b <c> \"q\" #1 $2 50% x_y {z} |"}};

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteTable,
    ::testing::Values(
        WriteCase{"psv_plain", kPsv, {{"a", "b"}, {"c", "d"}}, "a|b\nc|d\n"},
        WriteCase{"psv_empty_first_and_last", kPsv, {{"", "b", ""}}, "||b||\n"},
        WriteCase{"psv_one_empty_cell", kPsv, {{"a"}, {""}}, "a\n||\n"},
        WriteCase{"psv_no_cells", kPsv, {{"a"}, {}}, "a\n|\n"},
        WriteCase{"psv_crlf", kPsv, {{"a"}}, "a\r\n", crlf()},
        WriteCase{"tsv_plain", kTsv, {{"a|b", ""}}, "a|b\t\n"},
        WriteCase{"csv_quotes_only_where_needed",
                  kCsv,
                  {{"a", "b,c", "say \"hi\"", "x\r\ny"}},
                  "a,\"b,c\",\"say \"\"hi\"\"\",\"x\r\ny\"\n"},
        WriteCase{"csv_lone_empty_cell_quoted", kCsv, {{"a"}, {""}}, "a\n\"\"\n"},
        WriteCase{"csv_empty_trailing", kCsv, {{"a", "", ""}}, "a,,\n"},
        WriteCase{"csv_spaces_unquoted", kCsv, {{" a "}}, " a \n"},
        WriteCase{"csv_crlf", kCsv, {{"a", "b"}}, "a,b\r\n", crlf()},
        WriteCase{"csv_first_cell_bom_quoted",
                  kCsv,
                  {{"\uFEFFa", "\uFEFF"}, {"\uFEFF"}},
                  "\"\uFEFFa\",\uFEFF\n\uFEFF\n"},
        WriteCase{
            "psv_first_cell_bom_kept_by_a_bom", kPsv, {{"\uFEFFa", "b"}}, "\uFEFF\uFEFFa|b\n"},
        WriteCase{"tsv_first_cell_bom_kept_by_a_bom", kTsv, {{"\uFEFF", "b"}}, "\uFEFF\uFEFF\tb\n"},
        WriteCase{"markdown_plain",
                  kMd,
                  {{"No", "Item"}, {"1", "pen"}},
                  "| No  | Item |\n| --- | ---- |\n| 1   | pen  |\n"},
        WriteCase{"markdown_escapes_pipe_keeps_backslash",
                  kMd,
                  {{"a|b", "\\"}},
                  "| a\\|b | \\   |\n| ---- | --- |\n"},
        WriteCase{"markdown_position_h",
                  kMd,
                  {{"No", "Item"}, {"1", "pen"}},
                  "| No  | Item |\n| :-- | ---: |\n| 1   |  pen |\n",
                  position(8)},
        WriteCase{
            "markdown_position_c", kMd, {{"a"}, {"b"}}, "|  a  |\n| :-: |\n|  b  |\n", position(3)},
        // An odd number of spaces leaves the extra one after the text.
        WriteCase{"markdown_centre_extra_space_after",
                  kMd,
                  {{"abcd"}, {"b"}},
                  "| abcd |\n| :--: |\n|  b   |\n",
                  position(3)},
        WriteCase{
            "markdown_wide_cells_padded", kMd, {{"日本", "x"}}, "| 日本 | x   |\n| ---- | --- |\n"},
        WriteCase{"markdown_line_breaks_as_br",
                  kMd,
                  {{"a"}, {"b\r\nc\rd\n"}},
                  "| a               |\n| --------------- |\n| b<br>c<br>d<br> |\n"},
        WriteCase{"html_line_breaks_as_br",
                  kHtml,
                  {{"a\r\nb\nc\r"}},
                  "<table>\n<thead>\n<tr><th>a<br>b<br>c<br></th></tr>\n</thead>\n</table>\n"},
        WriteCase{"html", kHtml, kMarkup,
                  "<table>\n<thead>\n<tr><th>Item</th><th>Note</th></tr>\n</thead>\n<tbody>\n"
                  "<tr><td>日本</td><td>a&amp;b &lt;c&gt; &quot;q&quot; #1 $2 50% x_y {z} "
                  "|</td></tr>\n</tbody>\n</table>\n"},
        WriteCase{"html_position_h_one_row",
                  kHtml,
                  {{"a", "b"}},
                  "<table>\n<thead>\n<tr><th style=\"text-align: left\">a</th>"
                  "<th style=\"text-align: right\">b</th></tr>\n</thead>\n</table>\n",
                  position(8)},
        WriteCase{"latex", kLatex, kMarkup,
                  "\\begin{tabular}{ll}\n\\toprule\nItem & Note \\\\\n\\midrule\n"
                  "日本 & a\\&b \\textless{}c\\textgreater{} \\textquotedbl{}q\\textquotedbl{} "
                  "\\#1 \\$2 50\\% x\\_y \\{z\\} \\textbar{} \\\\\n\\bottomrule\n"
                  "\\end{tabular}\n"},
        WriteCase{"latex_position_h_dashes_brackets",
                  kLatex,
                  {{"a", "b"}, {"[1]--*,,", "~^\\"}},
                  "\\begin{tabular}{lr}\n\\toprule\na & b \\\\\n\\midrule\n{[}1{]}-{-}{*},{,} & "
                  "\\textasciitilde{}\\textasciicircum{}\\textbackslash{} \\\\\n"
                  "\\bottomrule\n\\end{tabular}\n",
                  position(8)},
        WriteCase{"rst_grid", kRst, kMarkup,
                  "+------+-----------------------------------+\n"
                  "| Item | Note                              |\n"
                  "+======+===================================+\n"
                  "| 日本 | a&b <c> \"q\" #1 $2 50% x\\_y {z} \\| |\n"
                  "+------+-----------------------------------+\n"},
        WriteCase{"rst_grid_block_starts_escaped",
                  kRst,
                  {{"1. a", "- b", "\\\\", ""}},
                  "+--------+-------+--------+---+\n"
                  "| \\ 1. a | \\ - b | \\ \\\\\\\\ |   |\n"
                  "+--------+-------+--------+---+\n"},
        WriteCase{"rst_simple", kRstSimple, kMarkup,
                  "====  =================================\n"
                  "Item  Note\n"
                  "====  =================================\n"
                  "日本  a&b <c> \"q\" #1 $2 50% x\\_y {z} \\|\n"
                  "====  =================================\n"},
        WriteCase{"rst_simple_empty_cells_past_the_first",
                  kRstSimple,
                  {{"a", "", "c"}, {"d", "e", ""}},
                  "=  =  =\n"
                  "a     c\n"
                  "=  =  =\n"
                  "d  e\n"
                  "=  =  =\n"},
        WriteCase{"org",
                  kOrg,
                  {{"Item", "Note"}, {"日本", "a|b *c* $1 [x] http://y"}},
                  "| Item | Note                                                      |\n"
                  "|------+-----------------------------------------------------------|\n"
                  "| 日本 | a\\vert{}b \\ast{}c* \\dollar{}1 \\lbrack{}x] http\\colon{}//y |\n"},
        WriteCase{"asciidoc", kAdoc, kMarkup,
                  "[options=\"header\"]\n|===\n|Item |Note\n"
                  "|日本 |pass:c[a&b <c> \"q\" #1 $2 50% x_y {z} \\|]\n|===\n"},
        WriteCase{"asciidoc_position_h_plain_cells",
                  kAdoc,
                  {{"a", "b"}},
                  "[cols=\"<,>\",options=\"header\"]\n|===\n|a |b\n|===\n",
                  position(8)},
        WriteCase{"mediawiki", kWiki, kMarkup,
                  "{| class=\"wikitable\"\n|-\n! Item !! Note\n|-\n| 日本 || "
                  "a&#38;b &#60;c&#62; &#34;q&#34; #1 $2 50% x_y &#123;z&#125; &#124;\n|}\n"},
        WriteCase{"mediawiki_position_c_list_start",
                  kWiki,
                  {{"*a"}},
                  "{| class=\"wikitable\"\n|-\n! style=\"text-align: center\" | &#42;a\n|}\n",
                  position(3)},
        WriteCase{"jira",
                  kJira,
                  {{"Item", "Note"}, {"日本", "a|b *c* -d- [x] {y}"}, {"", "?? #"}},
                  "||Item||Note||\n|日本|a\\|b \\*c\\* \\-d- \\[x\\] \\{y\\}|\n| |?\\? \\#|\n"},
        // Read back as written, not as the character an entity names.
        WriteCase{
            "jira_ampersand_as_entity", kJira, {{"&amp;", "a&b"}}, "||&amp;amp;||a&amp;b||\n"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct RefusedWrite {
    const char* name;
    TableFormat to;
    Texts cells;
    RefusalKind kind;
    int64_t line;
    int64_t column;
    uint32_t codePoint = 0;
};

void PrintTo(const RefusedWrite& c, std::ostream* os) {
    *os << c.name;
}

class WriteRefused : public ::testing::TestWithParam<RefusedWrite> {};

TEST_P(WriteRefused, NamesTheCell) {
    const RefusedWrite& c = GetParam();
    TableWrite written = write_table(table_of(c.cells), c.to, WriteOptions{});
    EXPECT_EQ(written.refusal.kind, c.kind);
    EXPECT_EQ(written.refusal.line, c.line);
    EXPECT_EQ(written.refusal.column, c.column);
    EXPECT_EQ(written.refusal.codePoint, c.codePoint);
    EXPECT_TRUE(written.text.empty());
    EXPECT_FALSE(describe_refusal(written.refusal).find("refused") != std::string::npos &&
                 c.kind != RefusalKind::RaggedRow);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteRefused,
    ::testing::Values(
        RefusedWrite{"psv_bar",
                     kPsv,
                     {{"a", "b"}, {"c", "d|e"}},
                     RefusalKind::CellHoldsSeparator,
                     2,
                     2,
                     '|'},
        RefusedWrite{"psv_tab", kPsv, {{"a\tb"}}, RefusalKind::CellHoldsSeparator, 1, 1, '\t'},
        RefusedWrite{
            "psv_line_break", kPsv, {{"a", "b\nc"}}, RefusalKind::CellHoldsLineBreak, 1, 2},
        RefusedWrite{"tsv_tab", kTsv, {{"a", "b\t"}}, RefusalKind::CellHoldsSeparator, 1, 2, '\t'},
        RefusedWrite{"tsv_cr", kTsv, {{"a\r"}}, RefusalKind::CellHoldsLineBreak, 1, 1},
        RefusedWrite{
            "tsv_last_row_one_empty_cell", kTsv, {{"a"}, {""}}, RefusalKind::RowNotHeld, 2, 1},
        RefusedWrite{"csv_no_cells", kCsv, {{"a"}, {}}, RefusalKind::RowNotHeld, 0, 0},
        RefusedWrite{"markdown_short_row", kMd, {{"a", "b"}, {"c"}}, RefusalKind::RaggedRow, 2, 1},
        RefusedWrite{"markdown_long_row", kMd, {{"a"}, {"b", "c"}}, RefusalKind::RaggedRow, 2, 2},
        RefusedWrite{
            "markdown_leading_space", kMd, {{"a", " b"}}, RefusalKind::CellHasEdgeBlanks, 1, 2},
        RefusedWrite{
            "markdown_trailing_tab", kMd, {{"a"}, {"b\t"}}, RefusalKind::CellHasEdgeBlanks, 2, 1},
        // It would read back as a line break.
        RefusedWrite{"markdown_br_as_text",
                     kMd,
                     {{"a"}, {"x<BR />y"}},
                     RefusalKind::CellHoldsSeparator,
                     2,
                     1,
                     '<'},
        RefusedWrite{"markdown_blank_only_cell_after_a_wide_one",
                     kMd,
                     {{"日本", "x"}, {"y", " "}},
                     RefusalKind::CellHasEdgeBlanks,
                     2,
                     2},
        RefusedWrite{"json_duplicate_name",
                     kJson,
                     {{"a", "b", "a"}, {"1", "2", "3"}},
                     RefusalKind::DuplicateName,
                     1,
                     3},
        RefusedWrite{"json_long_row", kJson, {{"a"}, {"1", "2"}}, RefusalKind::RaggedRow, 2, 2},
        RefusedWrite{
            "frame_bar", TableFormat::Frame, {{"a|"}}, RefusalKind::CellHoldsSeparator, 1, 1, '|'},
        RefusedWrite{"latex_ragged", kLatex, {{"a", "b"}, {"c"}}, RefusalKind::RaggedRow, 2, 1},
        RefusedWrite{"rst_tab", kRst, {{"a", "b\tc"}}, RefusalKind::CellHoldsSeparator, 1, 2, '\t'},
        // It would continue the row above, or be lost above the first rule.
        RefusedWrite{"rst_simple_empty_first_cell",
                     kRstSimple,
                     {{"a", ""}, {"", "d"}},
                     RefusalKind::RowNotHeld,
                     2,
                     1},
        RefusedWrite{"rst_simple_empty_first_header_cell",
                     kRstSimple,
                     {{"", "b"}, {"c", "d"}},
                     RefusalKind::RowNotHeld,
                     1,
                     1},
        RefusedWrite{
            "rst_simple_one_column", kRstSimple, {{"a"}, {"b"}}, RefusalKind::TooFewColumns, 1, 1},
        RefusedWrite{
            "org_subscript", kOrg, {{"a", "x_y"}}, RefusalKind::CellHoldsSeparator, 1, 2, '_'},
        RefusedWrite{
            "org_dash", kOrg, {{"a"}, {"1--2"}}, RefusalKind::CellHoldsSeparator, 2, 1, '-'},
        RefusedWrite{"asciidoc_edge_blank", kAdoc, {{"a "}}, RefusalKind::CellHasEdgeBlanks, 1, 1},
        RefusedWrite{"mediawiki_no_cells", kWiki, {{}, {"a"}}, RefusalKind::RowNotHeld, 0, 0},
        RefusedWrite{"jira_backslash",
                     kJira,
                     {{"a"}, {"b\\"}},
                     RefusalKind::CellHoldsSeparator,
                     2,
                     1,
                     '\\'}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(WriteCp932, JsonRefused) {
    TableWrite json = write_table(table_of({{"a"}}, TextEncoding::Cp932), kJson, WriteOptions{});
    EXPECT_EQ(json.refusal.kind, RefusalKind::BadJson);
    EXPECT_EQ(json.refusal.found, static_cast<int64_t>(JsonFault::NotUtf8));
}

TEST(WriteCp932, TrailBytesAreNoSeparators) {
    // 僴 and 表 end in the bytes of '|' and '\'.
    Table table = table_of({{"\xFA\x7C", "\x95\x5C"}}, TextEncoding::Cp932);
    TableWrite psv = write_table(table, kPsv, WriteOptions{});
    ASSERT_TRUE(psv.ok());
    EXPECT_EQ(psv.text, "\xFA\x7C|\x95\x5C\n");
    TableWrite markdown = write_table(table, kMd, WriteOptions{});
    ASSERT_TRUE(markdown.ok());
    EXPECT_EQ(markdown.text, "| \xFA\x7C  | \x95\x5C  |\n| --- | --- |\n");
    TableWrite jira = write_table(table, kJira, WriteOptions{});
    ASSERT_TRUE(jira.ok());
    EXPECT_EQ(jira.text, "||\xFA\x7C||\x95\x5C||\n");
    TableWrite latex = write_table(table, kLatex, WriteOptions{});
    ASSERT_TRUE(latex.ok());
    EXPECT_NE(latex.text.find("\xFA\x7C & \x95\x5C \\\\"), std::string::npos);
}

TEST(WriteFrame, DrawsEmptyCellsAsThePsvPathDoes) {
    TableWrite written = write_table(table_of({{"", "x"}, {"y", ""}}), TableFormat::Frame, {});
    ASSERT_TRUE(written.ok());
    FrameRequest request;
    request.text = "||x\ny||\n";
    EXPECT_EQ(written.text, frame_text(request).text);
}

}  // namespace

// The writers' one-pass search agrees with find_first_of, at the ends of its
// two words of bits (0, 63, 64, 127) and for bytes that are no ASCII.
TEST(AsciiStops, FindsWhatFindFirstOfFinds) {
    std::mt19937 rng(26);
    const std::string edges = {'\0', '?', '@', '\x7F', '|', '\t', '\r', '\n', ',', '"'};
    for (int round = 0; round < 2000; ++round) {
        std::string set;
        for (int k = std::uniform_int_distribution<int>(0, 4)(rng); k > 0; --k) {
            set += round % 2 == 0 ? edges[rng() % edges.size()] : static_cast<char>(rng() % 128);
        }
        std::string text;
        for (int k = std::uniform_int_distribution<int>(0, 12)(rng); k > 0; --k) {
            text += round % 3 == 0 ? edges[rng() % edges.size()] : static_cast<char>(rng() % 256);
        }
        const bool found = text.find_first_of(set) != std::string::npos;
        EXPECT_EQ(formats::AsciiStops(set).any_in(text), found) << round;
    }
}
