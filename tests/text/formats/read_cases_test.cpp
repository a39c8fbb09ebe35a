#include <gtest/gtest.h>

#include "table_testing.h"
#include "text/formats/table_formats.h"
#include "text/formats/text_scan.h"
#include "text/frame_text.h"

namespace {

struct ReadCase {
    const char* name;
    TableFormat from;
    std::string input;
    Texts cells;
    TextEncoding encoding = TextEncoding::Utf8;
    JsonNested nested = JsonNested::Refuse;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTable, GivesCells) {
    const ReadCase& c = GetParam();
    TableRead read = read_table(c.input, c.from, c.encoding, WidthModel::Narrow, c.nested);
    ASSERT_TRUE(read.ok()) << static_cast<int>(read.refusal.kind) << " at " << read.refusal.line
                           << ":" << read.refusal.column;
    EXPECT_EQ(texts_of(read.table), c.cells) << describe(texts_of(read.table));
}

constexpr TableFormat kPsv = TableFormat::Psv;
constexpr TableFormat kTsv = TableFormat::Tsv;
constexpr TableFormat kCsv = TableFormat::Csv;
constexpr TableFormat kMd = TableFormat::Markdown;
constexpr TableFormat kJson = TableFormat::Json;
constexpr TableFormat kJsonl = TableFormat::Jsonl;
constexpr TextEncoding kUtf8 = TextEncoding::Utf8;
constexpr JsonNested kNestedText = JsonNested::Text;

INSTANTIATE_TEST_SUITE_P(
    Psv, ReadTable,
    ::testing::Values(
        ReadCase{"bars", kPsv, "a|b\nc|d\n", {{"a", "b"}, {"c", "d"}}},
        ReadCase{"outer_bars", kPsv, "|a|b|\n", {{"a", "b"}}},
        ReadCase{"tabs_and_bars", kPsv, "a\tb|c\n", {{"a", "b", "c"}}},
        ReadCase{"leading_tab_opens_cell", kPsv, "\ta\n", {{"", "a"}}},
        ReadCase{"trailing_tab_opens_cell", kPsv, "a\t\n", {{"a", ""}}},
        ReadCase{"lone_tab", kPsv, "\t", {{"", ""}}},
        ReadCase{"trailing_bar_opens_none", kPsv, "a||\n", {{"a", ""}}},
        ReadCase{"lone_bar_no_cells", kPsv, "a\n|\n", {{"a"}, {}}},
        ReadCase{"spaces_kept", kPsv, " a | b \n", {{" a ", " b "}}},
        ReadCase{"cr_lf_and_cr", kPsv, "a\r\nb\rc", {{"a"}, {"b"}, {"c"}}},
        ReadCase{"empty_line_inside_kept", kPsv, "a\n\nb\n\n\n", {{"a"}, {""}, {"b"}}},
        ReadCase{"bom_skipped",
                 kPsv,
                 "\xEF\xBB\xBF"
                 "a|b",
                 {{"a", "b"}}},
        ReadCase{
            "cp932_trail_byte_bar", kPsv, "\xFA\x7C|x", {{"\xFA\x7C", "x"}}, TextEncoding::Cp932},
        ReadCase{"cp932_bom_bytes_are_text",
                 kPsv,
                 "\xEF\xBB\xBF|x",
                 {{"\xEF\xBB\xBF", "x"}},
                 TextEncoding::Cp932}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Tsv, ReadTable,
    ::testing::Values(ReadCase{"bar_is_text", kTsv, "a|b\tc\n", {{"a|b", "c"}}},
                      ReadCase{"empty_fields", kTsv, "\ta\t\n", {{"", "a", ""}}},
                      ReadCase{"crlf", kTsv, "a\tb\r\nc\td\r\n", {{"a", "b"}, {"c", "d"}}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Csv, ReadTable,
    ::testing::Values(
        ReadCase{"plain", kCsv, "a,b\nc,d", {{"a", "b"}, {"c", "d"}}},
        ReadCase{"quotes_in_quotes", kCsv, "\"say \"\"hi\"\"\",x\n", {{"say \"hi\"", "x"}}},
        ReadCase{
            "crlf_inside_quotes", kCsv, "\"a\r\nb\",c\r\nd,e\r\n", {{"a\r\nb", "c"}, {"d", "e"}}},
        ReadCase{"lf_inside_quotes", kCsv, "\"a\nb\"\n", {{"a\nb"}}},
        ReadCase{"comma_inside_quotes", kCsv, "\"a,b\",c", {{"a,b", "c"}}},
        ReadCase{"empty_trailing_fields", kCsv, "a,,\n,,\n", {{"a", "", ""}, {"", "", ""}}},
        ReadCase{"quoted_empty_last_row_kept", kCsv, "a\n\"\"\n", {{"a"}, {""}}},
        ReadCase{"empty_lines_at_end_dropped", kCsv, "a\n\n\r\n", {{"a"}}},
        ReadCase{"empty_line_inside_kept", kCsv, "a\n\nb", {{"a"}, {""}, {"b"}}},
        ReadCase{"cr_alone_ends_record", kCsv, "a\rb", {{"a"}, {"b"}}},
        ReadCase{"spaces_kept", kCsv, " a , b ", {{" a ", " b "}}},
        ReadCase{"ragged_rows_kept", kCsv, "a,b\nc", {{"a", "b"}, {"c"}}},
        ReadCase{"bar_and_tab_are_text", kCsv, "a|b\tc", {{"a|b\tc"}}},
        ReadCase{"bom_skipped", kCsv, "\xEF\xBB\xBF\"a\",b", {{"a", "b"}}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Markdown, ReadTable,
    ::testing::Values(
        ReadCase{"outer_pipes", kMd, "| a | b |\n|---|:-:|\n| 1 | 2 |\n", {{"a", "b"}, {"1", "2"}}},
        ReadCase{"no_outer_pipes", kMd, "a | b\n--- | ---\n1 | 2\n", {{"a", "b"}, {"1", "2"}}},
        ReadCase{"escaped_pipe", kMd, "| a \\| b | c |\n|-|-|\n", {{"a | b", "c"}}},
        ReadCase{"lone_backslash", kMd, "| \\ | x |\n|-|-|\n", {{"\\", "x"}}},
        ReadCase{"backslash_before_escaped_pipe", kMd, "| a\\\\| | x |\n|-|-|\n", {{"a\\|", "x"}}},
        ReadCase{"other_escapes_kept", kMd, "| \\* a \\_ |\n|-|\n", {{"\\* a \\_"}}},
        ReadCase{"tabs_at_cell_edges_trimmed", kMd, "|\ta\t|\t b|\n|-|-|\n", {{"a", "b"}}},
        ReadCase{"empty_cells", kMd, "| | b |\n|-|-|\n|  |  |\n", {{"", "b"}, {"", ""}}},
        ReadCase{"br_tags_are_line_breaks",
                 kMd,
                 "| a<br>b<BR/>c<br />d | <br> |\n|-|-|\n| <b>x</b><br |  |\n",
                 {{"a\nb\nc\nd", "\n"}, {"<b>x</b><br", ""}}},
        ReadCase{"text_before_table_and_after_blank",
                 kMd,
                 "Prices:\n\n| a |\n| - |\n| 1 |\n\nThe end | x\n",
                 {{"a"}, {"1"}}},
        ReadCase{
            "single_column_needs_pipe", kMd, "a\n---\n| b |\n| --- |\n| c |\n", {{"b"}, {"c"}}},
        ReadCase{"ragged_body_kept",
                 kMd,
                 "| a | b |\n|-|-|\n| 1 |\n| 1 | 2 | 3 |\n",
                 {{"a", "b"}, {"1"}, {"1", "2", "3"}}},
        ReadCase{"cp932_trail_bytes",
                 kMd,
                 "| \x95\x5C | \xFA\x7C |\n|-|-|\n",
                 {{"\x95\x5C", "\xFA\x7C"}},
                 TextEncoding::Cp932}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Json, ReadTable,
    ::testing::Values(
        ReadCase{"arrays", kJson, R"([["a","b"],["1","2"]])", {{"a", "b"}, {"1", "2"}}},
        ReadCase{"arrays_ragged_and_empty", kJson, " [ [\"a\"] ,\n[] ]\n", {{"a"}, {}}},
        ReadCase{"objects_keys_first_seen_missing_empty",
                 kJson,
                 "[{\"b\":\"1\",\"a\":\"2\"},\n {\"c\":\"3\"},{\"a\":\"4\"}]",
                 {{"b", "a", "c"}, {"1", "2", ""}, {"", "", "3"}, {"", "4", ""}}},
        ReadCase{"escapes",
                 kJson,
                 R"([["\"\\\/\b\f\n\r\t", "\u00e9\u65E5\u0000x", "\ud83d\ude00\uFFFF"]])",
                 {{"\"\\/\b\f\n\r\t", std::string("\u00e9\u65e5\0x", 7), "\U0001F600\uFFFF"}}},
        ReadCase{"utf8_kept", kJson, "[[\"日本 é\"]]", {{"日本 é"}}},
        ReadCase{"numbers_as_written",
                 kJson,
                 "[[0, -0, 2.50, 1E+05, -1.5e-3, 12345678901234567890123]]",
                 {{"0", "-0", "2.50", "1E+05", "-1.5e-3", "12345678901234567890123"}}},
        ReadCase{"literals", kJson, "[[true,false,null]]", {{"true", "false", ""}}},
        ReadCase{"nested_as_text",
                 kJson,
                 R"([[ [1, {"a" : [] }],{},"x" ]])",
                 {{R"([1, {"a" : [] }])", "{}", "x"}},
                 kUtf8,
                 kNestedText},
        ReadCase{"nested_in_object_as_text",
                 kJson,
                 R"([{"k":{"n":["]"]}}])",
                 {{"k"}, {R"({"n":["]"]})"}},
                 kUtf8,
                 kNestedText},
        ReadCase{"bom_skipped", kJson, "\xEF\xBB\xBF[[\"a\"]]", {{"a"}}},
        ReadCase{"lines_blank_skipped",
                 kJsonl,
                 "[\"a\",\"b\"]\r\n\n  \n[1,null]\r[true,\"\"]\n",
                 {{"a", "b"}, {"1", ""}, {"true", ""}}},
        ReadCase{
            "lines_objects", kJsonl, "{\"a\":1}\n{\"b\":2}", {{"a", "b"}, {"1", ""}, {"", "2"}}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct RefusedCase {
    const char* name;
    TableFormat from;
    std::string input;
    RefusalKind kind;
    int64_t line;
    int64_t column;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(ReadRefused, SaysWhereAndWhy) {
    const RefusedCase& c = GetParam();
    TableRead read = read_table(c.input, c.from, TextEncoding::Utf8, WidthModel::Narrow);
    EXPECT_EQ(read.refusal.kind, c.kind);
    EXPECT_EQ(read.refusal.line, c.line);
    EXPECT_EQ(read.refusal.column, c.column);
    EXPECT_TRUE(read.table.rows().empty());
    EXPECT_FALSE(describe_refusal(read.refusal).find("refused") != std::string::npos &&
                 c.kind != RefusalKind::NoCells);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadRefused,
    ::testing::Values(
        RefusedCase{"csv_open_quote", kCsv, "a,b\nc,\"d\ne\n", RefusalKind::OpenQuote, 2, 3},
        RefusedCase{"csv_quote_in_plain_field", kCsv, "ab\"c", RefusalKind::StrayQuote, 1, 3},
        RefusedCase{"csv_text_after_closing_quote", kCsv, "x\n\"é\"b,c", RefusalKind::StrayQuote, 2,
                    3},
        RefusedCase{"csv_quote_after_emoji", kCsv, "a,😀\"", RefusalKind::StrayQuote, 1, 4},
        RefusedCase{"csv_text_after_quoted_emojis", kCsv, "\"😀😀\"b", RefusalKind::StrayQuote, 1, 4},
        RefusedCase{"csv_open_quote_after_emoji", kCsv, "😀,\"a", RefusalKind::OpenQuote, 1, 3},
        RefusedCase{"csv_nothing", kCsv, "\n\n", RefusalKind::NoCells, 0, 0},
        RefusedCase{"psv_nothing", kPsv, "", RefusalKind::NoCells, 0, 0},
        RefusedCase{"markdown_no_delimiter", kMd, "\n| a | b |\n| 1 | 2 |\n",
                    RefusalKind::NoDelimiterRow, 3, 1},
        RefusedCase{"markdown_delimiter_count_differs", kMd, "| a | b |\n|---|\n",
                    RefusalKind::NoDelimiterRow, 2, 1},
        RefusedCase{"markdown_bare_dashes", kMd, "a\n---\n", RefusalKind::NoDelimiterRow, 2, 1},
        RefusedCase{"json_nothing", kJson, " [ ]\n", RefusalKind::NoCells, 0, 0},
        RefusedCase{"jsonl_nothing", kJsonl, " \n\n", RefusalKind::NoCells, 0, 0}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct JsonRefusedCase {
    const char* name;
    TableFormat from;
    std::string input;
    JsonFault fault;
    int64_t line;
    int64_t column;
    std::string words;  // what the refusal says was expected
};

void PrintTo(const JsonRefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class JsonRefused : public ::testing::TestWithParam<JsonRefusedCase> {};

TEST_P(JsonRefused, SaysWhereAndWhatWasExpected) {
    const JsonRefusedCase& c = GetParam();
    TableRead read = read_table(c.input, c.from, TextEncoding::Utf8, WidthModel::Narrow);
    EXPECT_EQ(read.refusal.kind, RefusalKind::BadJson);
    EXPECT_EQ(read.refusal.found, static_cast<int64_t>(c.fault));
    EXPECT_EQ(read.refusal.line, c.line);
    EXPECT_EQ(read.refusal.column, c.column);
    EXPECT_TRUE(read.table.rows().empty());
    EXPECT_NE(describe_refusal(read.refusal).find("JSON: expected " + c.words), std::string::npos)
        << describe_refusal(read.refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonRefused,
    ::testing::Values(
        JsonRefusedCase{"not_an_array", kJson, R"({"a":1})", JsonFault::ExpectedRows, 1, 1, "'['"},
        JsonRefusedCase{"missing_comma", kJson, "[[\"a\",\n \"é\" \"b\"]]",
                        JsonFault::ExpectedCommaOrBracket, 2, 6, "',' or ']'"},
        JsonRefusedCase{"missing_comma_in_object", kJson, R"([{"a":1 "b":2}])",
                        JsonFault::ExpectedCommaOrBrace, 1, 9, "',' or '}'"},
        JsonRefusedCase{"missing_colon", kJson, R"([{"a" 1}])", JsonFault::ExpectedColon, 1, 7,
                        "':'"},
        JsonRefusedCase{"bare_key", kJson, "[{a:1}]", JsonFault::ExpectedKey, 1, 3, "a key"},
        JsonRefusedCase{"trailing_comma", kJson, "[[1,]]", JsonFault::ExpectedValue, 1, 5,
                        "a value"},
        JsonRefusedCase{"scalar_row", kJson, "[[1],2]", JsonFault::ExpectedRow, 1, 6, "a row"},
        JsonRefusedCase{"text_after", kJson, "[[1]] x", JsonFault::ExpectedEnd, 1, 7, "the end"},
        JsonRefusedCase{"open_array", kJson, "[[1]", JsonFault::ExpectedCommaOrBracket, 1, 5,
                        "',' or ']'"},
        JsonRefusedCase{"nested_refused", kJson, "[[1,\n  [2]]]", JsonFault::Nested, 2, 3,
                        "a string, number"},
        JsonRefusedCase{"nested_object_refused", kJson, R"([{"a":{}}])", JsonFault::Nested, 1, 7,
                        "a string, number"},
        JsonRefusedCase{"bad_escape", kJson, R"([["日\x"]])", JsonFault::BadEscape, 1, 5,
                        "an escape"},
        JsonRefusedCase{"short_unicode_escape", kJson, R"([["\u12"]])", JsonFault::BadEscape, 1, 4,
                        "an escape"},
        JsonRefusedCase{"lone_high_surrogate", kJson, R"([["a\ud800b"]])", JsonFault::LoneSurrogate,
                        1, 5, "a \\u escape of a low"},
        JsonRefusedCase{"lone_low_surrogate", kJson, R"([["\udc00"]])", JsonFault::LoneSurrogate, 1,
                        4, "a \\u escape of a low"},
        JsonRefusedCase{"high_then_high", kJson, R"([["\ud800\ud800"]])", JsonFault::LoneSurrogate,
                        1, 4, "a \\u escape of a low"},
        JsonRefusedCase{"raw_tab_in_string", kJson, "[[\"a\tb\"]]", JsonFault::RawControl, 1, 5,
                        "a control character"},
        JsonRefusedCase{"open_string", kJson, "[[\"abc]]", JsonFault::OpenString, 1, 3, "'\"'"},
        JsonRefusedCase{"leading_zero", kJson, "[[01]]", JsonFault::ExpectedCommaOrBracket, 1, 4,
                        "',' or ']'"},
        JsonRefusedCase{"bare_dot", kJson, "[[1.]]", JsonFault::BadNumber, 1, 5, "a digit"},
        JsonRefusedCase{"bare_minus", kJson, "[[-]]", JsonFault::BadNumber, 1, 4, "a digit"},
        JsonRefusedCase{"empty_exponent", kJson, "[[1e+]]", JsonFault::BadNumber, 1, 6, "a digit"},
        JsonRefusedCase{"capital_true", kJson, "[[True]]", JsonFault::ExpectedValue, 1, 3,
                        "a value"},
        JsonRefusedCase{"cut_literal", kJson, "[[nul]]", JsonFault::BadLiteral, 1, 3, "a value"},
        JsonRefusedCase{"duplicate_key", kJson, R"([{"a":1,"a":2}])", JsonFault::DuplicateKey, 1, 9,
                        "a key not given"},
        JsonRefusedCase{"mixed_rows", kJson, R"([[1],{"a":1}])", JsonFault::MixedRows, 1, 6,
                        "every row"},
        JsonRefusedCase{"nested_text_still_checked", kJson, "[[[1 2]]]", JsonFault::Nested, 1, 3,
                        "a string"},
        JsonRefusedCase{"lines_two_rows_on_one", kJsonl, "[1]\n[2] [3]\n",
                        JsonFault::ExpectedLineEnd, 2, 5, "the end of the line"},
        JsonRefusedCase{"lines_row_across_lines", kJsonl, "[1,\n2]\n", JsonFault::ExpectedValue, 1,
                        4, "a value"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(JsonNestedText, FaultsInsideAreStillPlaced) {
    TableRead read = read_table("[[{\"a\":[1 2]}]]", TableFormat::Json, TextEncoding::Utf8,
                                WidthModel::Narrow, JsonNested::Text);
    EXPECT_EQ(read.refusal.kind, RefusalKind::BadJson);
    EXPECT_EQ(read.refusal.found, static_cast<int64_t>(JsonFault::ExpectedCommaOrBracket));
    EXPECT_EQ(read.refusal.line, 1);
    EXPECT_EQ(read.refusal.column, 11);
}

TEST(JsonCp932, Refused) {
    TableRead read =
        read_table("[[\"a\"]]", TableFormat::Json, TextEncoding::Cp932, WidthModel::Narrow);
    EXPECT_EQ(read.refusal.kind, RefusalKind::BadJson);
    EXPECT_EQ(read.refusal.found, static_cast<int64_t>(JsonFault::NotUtf8));
}

TEST(ReadPlaces, CellsKnowTheirLineAndColumn) {
    struct Place {
        TableFormat from;
        std::string input;
        size_t row, cell;
        int64_t line, column;
    };
    const Place places[] = {
        {kPsv, "a|b\né|ç|d", 1, 2, 2, 5},
        {kPsv, "|x|y", 0, 1, 1, 4},
        {kTsv, "日本\tx", 0, 1, 1, 4},
        {kCsv, "\"a\nb\",c\r\nd,e", 0, 1, 2, 4},
        {kCsv, "\"a\nb\",c\r\nd,e", 1, 1, 3, 3},
        {kMd, "|  a |  b |\n|-|-|\n", 0, 1, 1, 9},
        {kCsv, "\xEF\xBB\xBFx,y", 0, 1, 1, 3},
        {kJson, "[{\"é\": \"x\"},\n {\"b\":1}]", 2, 1, 2, 7},
        {kJson, "[{\"é\": \"x\"},\n {\"b\":1}]", 0, 1, 2, 3},
        {kJson, "[{\"é\": \"x\"},\n {\"b\":1}]", 1, 0, 1, 8},
        {TableFormat::Frame, "+-+--+\n|a|bc|\n+-+--+\n", 0, 1, 2, 4},
        // Records: each value placed in the frame, below its record's label.
        {TableFormat::Frame,
         "┌─[ 1 ]──┬──┐\n│k       │a │\n├────────┼──┤\n│v       │b │\n"
         "├─[ 2 ]──┼──┤\n│k       │c │\n├────────┼──┤\n│v       │é │\n└────────┴──┘\n",
         2, 1, 8, 11},
    };
    for (const Place& p : places) {
        TableRead read = read_table(p.input, p.from, TextEncoding::Utf8, WidthModel::Narrow);
        ASSERT_TRUE(read.ok()) << p.input;
        ASSERT_LT(p.row, read.table.rows().size()) << p.input;
        ASSERT_LT(p.cell, read.table.rows()[p.row].size()) << p.input;
        const Cell cell = read.table.rows()[p.row][p.cell];
        const text_rules::TextPlace place = read.table.place_of(cell);
        EXPECT_EQ(place.line, p.line) << p.input;
        EXPECT_EQ(place.column, p.column) << p.input;
    }
}

// A refusal names the same line and column whichever line end the input uses:
// the cases are written with LF, and run with LF, CR LF and a lone CR.
TEST(ReadPlaces, RefusalsUnderEveryLineEnd) {
    struct Case {
        const char* name;
        TableFormat from;
        TableFormat to;
        std::string input;
        RefusalKind kind;
        int64_t line, column;
        TextEncoding encoding = TextEncoding::Utf8;
    };
    constexpr TableFormat kFrame = TableFormat::Frame;
    const Case cases[] = {
        {"psv_ragged_for_markdown", kPsv, kMd, "a|b\n\xC3\xA9|d|e\n", RefusalKind::RaggedRow, 2, 5},
        {"tsv_bar_for_psv", kTsv, kPsv, "a\tb\nx|y\t1\n", RefusalKind::CellHoldsSeparator, 2, 1},
        {"csv_bar_for_psv", kCsv, kPsv, "a,b\n\"x|y\",1\n", RefusalKind::CellHoldsSeparator, 2, 1},
        {"csv_open_quote", kCsv, kPsv, "a,b\nc,\"d\ne\n", RefusalKind::OpenQuote, 2, 3},
        {"csv_stray_quote", kCsv, kPsv, "x\n\"\xC3\xA9\"b,c", RefusalKind::StrayQuote, 2, 3},
        {"csv_cp932_stray_quote", kCsv, kPsv, "\x82\xA0\n\x82\xA0\x95\x5C\"",
         RefusalKind::StrayQuote, 2, 3, TextEncoding::Cp932},
        {"markdown_no_delimiter", kMd, kPsv, "\n| a | b |\n| 1 | 2 |\n",
         RefusalKind::NoDelimiterRow, 3, 1},
        {"markdown_bar_for_psv", kMd, kPsv, "| a | b |\n|---|---|\n| \xE6\x97\xA5 | x\\|y |\n",
         RefusalKind::CellHoldsSeparator, 3, 7},
        {"frame_border_out_of_place", kFrame, kPsv, "+---+---+\n| a  | b|\n+---+---+\n",
         RefusalKind::FrameMismatch, 2, 6},
        {"frame_cell_too_few", kFrame, kPsv,
         "\xE2\x94\x8C\xE2\x94\x80\xE2\x94\xAC\xE2\x94\x80\xE2\x94\x90\n"
         "\xE2\x94\x82 a \xE2\x94\x82\n"
         "\xE2\x94\x94\xE2\x94\x80\xE2\x94\xB4\xE2\x94\x80\xE2\x94\x98\n",
         RefusalKind::FrameMismatch, 2, 5},
        {"frame_no_bottom_rule", kFrame, kPsv, "+-+-+\n|a|b|\nafter\n", RefusalKind::FrameMismatch,
         3, 1},
    };
    for (const Case& c : cases) {
        for (const std::string lineEnd : {"\n", "\r\n", "\r"}) {
            std::string input;
            for (char ch : c.input) {
                input += ch == '\n' ? lineEnd : std::string(1, ch);
            }
            FrameRequest request;
            request.text = input;
            request.encoding = c.encoding;
            request.from = c.from;
            request.to = c.to;
            const FrameOutcome out = frame_text(request);
            const std::string what = c.name + (" with " + testing::PrintToString(lineEnd));
            EXPECT_EQ(out.refusal.kind, c.kind) << what;
            EXPECT_EQ(out.refusal.line, c.line) << what;
            EXPECT_EQ(out.refusal.column, c.column) << what;
        }
    }
}

TEST(ReadTable, MarkupIsOnlyWritten) {
    TableRead read =
        read_table("<table></table>\n", TableFormat::Html, TextEncoding::Utf8, WidthModel::Narrow);
    EXPECT_EQ(read.refusal.kind, RefusalKind::FormatNotReadable);
    EXPECT_TRUE(read.table.rows().empty());
}

}  // namespace

namespace {

TEST(WriteTable, AlignedIsOnlyRead) {
    Table table;
    table.add_cell("a", Table::given_place(1, 1));
    table.end_row();
    EXPECT_EQ(write_table(table, TableFormat::Aligned, {}).refusal.kind,
              RefusalKind::FormatNotWritable);
}

}  // namespace

// Lines found a chunk at a time are the lines line_at finds one by one: LF,
// CR LF and CR alone, a pair cut at a chunk's end, empty lines, and no empty
// lines kept at the end.
TEST(SplitLines, AgreesWithLineAt) {
    std::mt19937 rng(64);
    const char pieces[] = {'a', 'b', ' ', '\n', '\r'};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 200)(rng);
        for (int k = 0; k < length; ++k) {
            const bool ends = rng() % 8 == 0;
            text += ends ? pieces[3 + rng() % 2] : pieces[rng() % 3];
        }
        std::vector<text_rules::Line> expected;
        const std::string_view kept = text_rules::without_trailing_line_ends(text);
        for (size_t at = 0; at < kept.size();) {
            expected.push_back(text_rules::line_at(kept, at));
            at = expected.back().next;
        }
        const formats::Lines lines = formats::split_lines(text);
        ASSERT_EQ(lines.size(), expected.size()) << round;
        for (size_t k = 0; k < lines.size(); ++k) {
            EXPECT_EQ(lines[k].start, expected[k].start) << round << " line " << k;
            EXPECT_EQ(lines[k].end, expected[k].end) << round << " line " << k;
        }
    }
}
