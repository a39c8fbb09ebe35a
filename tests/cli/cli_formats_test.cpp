// The command in every direction: --from and --to, --unframe, refusals with
// their place in the input, and frames read back and drawn again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "cli_case.h"
#include "process_runner.h"

namespace {

const std::string kTry = "Try 'zentab --help' for more information.\n";
const std::string kCsv = "Name,Qty\n\"Smith, J\",3\n\"say \"\"hi\"\"\",\n";
const std::string kCsvType2 =
    "┌────────┬────┐\n"
    "│Name    │Qty │\n"
    "├────────┼────┤\n"
    "│Smith, J│3   │\n"
    "├────────┼────┤\n"
    "│say \"hi\"│    │\n"
    "└────────┴────┘\n";
const std::string kDoubleBox =
    "Report\n"
    "╔═╦═╗\n"
    "║a║b║\n"
    "╠═╬═╣\n"
    "║c║d║\n"
    "╚═╩═╝\n"
    "(2 rows)\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Directions, ZentabTool,
    ::testing::Values(
        CliCase{"csv_to_frame", {"--from", "csv", "-f", "2"}, kCsv, kCsvType2, "", 0},
        CliCase{"csv_line_break_makes_a_taller_row", {"--from", "csv"}, "a,b\nc,\"x\ny\"\n",
                "┏━━┳━━┓\n┃a ┃b ┃\n┣━━╋━━┫\n┃c ┃x ┃\n┃  ┃y ┃\n┗━━┻━━┛\n", "", 0},
        CliCase{"csv_crlf_and_bom_to_psv", {"--from=csv", "--to=psv"}, "\xEF\xBB\xBF" "a,b\r\n1,2\r\n",
                   "a|b\n1|2\n", "", 0},
        CliCase{"csv_line_break_in_cell_to_csv", {"--from", "csv", "--to", "csv"},
                   "a,\"x\r\ny\"\n", "a,\"x\r\ny\"\n", "", 0},
        CliCase{"csv_to_markdown_aligned", {"--from", "csv", "--to", "markdown", "-p", "L"}, kCsv,
                   "| Name     | Qty |\n| :------- | --: |\n| Smith, J |   3 |\n| say \"hi\" |     |\n",
                   "", 0},
        CliCase{"psv_to_csv_crlf", {"--to", "csv", "--crlf"}, "a|b,c\n1|2\n",
                   "a,\"b,c\"\r\n1,2\r\n", "", 0},
        CliCase{"psv_to_tsv", {"--to", "TSV"}, "a|b\n1\t2\n", "a\tb\n1\t2\n", "", 0},
        CliCase{"psv_to_markdown_no_alignment", {"--to", "markdown"}, "a|b\n1|2\n",
                   "| a   | b   |\n| --- | --- |\n| 1   | 2   |\n", "", 0},
        CliCase{"tsv_bar_is_text", {"--from", "tsv", "--to", "csv"}, "a\tb|c\n", "a,b|c\n", "", 0},
        CliCase{"markdown_to_csv", {"--from", "markdown", "--to", "csv"},
                   "| a | b |\n|---|:-:|\n| x\\|y | 1 |\n", "a,b\nx|y,1\n", "", 0},
        CliCase{"markdown_to_frame", {"--from", "markdown", "-f", "6"}, "a|b\n-|-\n1|2\n",
                   "+-+-+\n|a|b|\n+-+-+\n|1|2|\n+-+-+\n", "", 0},
        CliCase{"unframe_other_tools_box", {"--unframe"}, kDoubleBox, "a|b\nc|d\n", "", 0},
        CliCase{"unframe_to_markdown", {"--unframe", "--to", "markdown"}, kDoubleBox,
                   "| a   | b   |\n| --- | --- |\n| c   | d   |\n", "", 0},
        CliCase{"to_before_unframe_wins", {"--to", "csv", "--unframe"}, kDoubleBox, "a,b\nc,d\n",
                   "", 0},
        CliCase{"unframe_ascii_grid_header_rule", {"--unframe"},
                   "+----+---+\n| a  | b |\n+====+===+\n| c  | d |\n+----+---+\n", "a|b\nc|d\n", "", 0},
        CliCase{"unframe_ours_wide_asked_narrow", {"--unframe"}, "┏━┳━━┓\n┃No┃Item┃\n┗━┻━━┛\n",
                   "No|Item\n", "", 0},
        CliCase{"frame_to_frame", {"--from", "frame", "-f", "6"}, kDoubleBox,
                   "+-+-+\n|a|b|\n+-+-+\n|c|d|\n+-+-+\n", "", 0},
        CliCase{"unframe_cp932", {"--unframe", "-e", "cp932"},
                   "+--+-+\n|\x93\xFA|b|\n+--+-+\n", "\x93\xFA|b\n", "", 0},
        CliCase{"psv_bom_then_first_cell_bom", {"--to", "csv"}, "\uFEFF\uFEFFa|b\n",
                   "\"\uFEFFa\",b\n", "", 0},
        CliCase{"empty_input_any_format", {"--from", "frame", "--to", "csv"}, "\n\n", "", "", 0},
        CliCase{"json_objects_to_frame", {"--from", "json", "-f", "6"},
                   "[{\"id\": 1, \"ok\": true}, {\"id\": 2.0, \"note\": null}]\n",
                   "+---+----+----+\n|id |ok  |note|\n+---+----+----+\n|1  |true|    |\n"
                   "+---+----+----+\n|2.0|    |    |\n+---+----+----+\n", "", 0},
        CliCase{"jsonl_nested_text_to_csv", {"--from", "jsonl", "--json-nested", "text", "--to", "csv"},
                   "[\"a\", {\"b\": [1]}]\n\n[\"c\",[]]\n", "a,\"{\"\"b\"\": [1]}\"\nc,[]\n", "", 0},
        CliCase{"csv_to_json", {"--from", "csv", "--to", "json"}, kCsv,
                   "[\n{\"Name\":\"Smith, J\",\"Qty\":\"3\"},\n{\"Name\":\"say \\\"hi\\\"\",\"Qty\":\"\"}\n]\n",
                   "", 0},
        CliCase{"psv_to_json_no_header", {"--to", "json", "--no-header"}, "a|b\n",
                   "[\n[\"a\",\"b\"]\n]\n", "", 0},
        CliCase{"csv_to_latex_right_aligned", {"--from", "csv", "--to", "latex", "-p", "b"},
                   "Item,Price\nTea & cake,$3\n", "\\begin{tabular}{rr}\n\\toprule\n"
                   "Item & Price \\\\\n\\midrule\nTea \\& cake & \\$3 \\\\\n\\bottomrule\n"
                   "\\end{tabular}\n", "", 0},
        CliCase{"psv_to_rst_simple_crlf", {"--to", "rst-simple", "--crlf"}, "a|b\n1|22\n",
                   "=  ==\r\na  b\r\n=  ==\r\n1  22\r\n=  ==\r\n", "", 0},
        CliCase{"shell_line_break_kept_in_csv", {"--unframe", "--to", "csv"},
                   " a | b\n---+----\n 1 | x+\n   | y\n(1 row)\n", "a,b\n1,\"x\ny\"\n", "", 0},
        CliCase{"org_to_psv", {"--unframe"}, "| a | b |\n|---+---|\n| 1 | 2 |\n", "a|b\n1|2\n",
                   "", 0},
        CliCase{"aligned_to_tsv", {"--from", "aligned", "--to", "tsv"},
                   "NAME    READY   AGE\napi-1   1/1     3d4h\n", "NAME\tREADY\tAGE\napi-1\t1/1\t3d4h\n",
                   "", 0}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Refusals, ZentabTool,
    ::testing::Values(
        CliCase{"csv_open_quote", {"--from", "csv"}, "a,b\nc,\"d\n", "",
                   "zentab: line 2, column 3: this quote opens a csv field that is never closed\n", 1},
        CliCase{"csv_stray_quote", {"--from", "csv"}, "a,\"b\"c\n", "",
                   "zentab: line 1, column 5: a quote inside a csv field that does not start with "
                   "one, or text right after a closing quote (write a quote in a field as \"\" "
                   "inside quotes)\n", 1},
        CliCase{"csv_line_break_to_psv", {"--from", "csv", "--to", "psv"}, "a,b\nc,\"x\ny\"\n", "",
                   "zentab: line 2, column 3: this cell holds a line break, which the output format "
                   "cannot hold (csv, Markdown, html and frames can)\n",
                   1},
        CliCase{"csv_bar_to_psv", {"--from", "csv", "--to", "psv"}, "a,b\nc,x|y\n", "",
                   "zentab: line 2, column 3: this cell holds '|', which the output format cannot "
                   "hold (Markdown and csv can)\n", 1},
        CliCase{"csv_ragged_to_frame", {"--from", "csv"}, "a,b\nc\n", "",
                   "zentab: line 2, column 1: 1 cell where the first row has 2\n", 1},
        CliCase{"tsv_tab_to_tsv_from_csv", {"--from", "csv", "--to", "tsv"}, "a,\"b\tc\"\n", "",
                   "zentab: line 1, column 3: this cell holds a TAB, which the output format "
                   "cannot hold\n", 1},
        CliCase{"markdown_without_delimiter_row", {"--from", "markdown"}, "| a | b |\n| 1 | 2 |\n",
                   "", "zentab: line 2, column 1: no Markdown table: the first row is not followed "
                   "by a delimiter row such as |---|---| with as many cells\n", 1},
        CliCase{"no_frame", {"--unframe"}, "a|b\n", "",
                   "zentab: no frame found: no rule line such as +---+---+, a box-drawing one or "
                   "---+--- under a header, with rows under it\n", 1},
        CliCase{"shell_line_break_to_psv", {"--unframe"}, " a | b\n---+----\n 1 | x+\n   | y\n",
                   "", "zentab: line 3, column 6: this cell holds a line break, which the output "
                   "format cannot hold (csv, Markdown, html and frames can)\n", 1},
        CliCase{"to_aligned", {"--to", "aligned"}, "a|b\n", "",
                   "zentab: aligned is read only (use --from aligned)\n" + kTry, 2},
        CliCase{"frame_cell_too_many", {"--unframe"}, "+---+---+\n| a | b | c |\n+---+---+\n", "",
                   "zentab: line 2, column 11: the frame's lines do not agree here: a border out "
                   "of place, a cell too many or too few, or a rule missing\n", 1},
        CliCase{"not_utf8_before_reading", {"--from", "csv"}, "a,\xFF\n", "",
                   "zentab: line 1, column 3: not UTF-8 (byte 0xFF)\n", 1},
        CliCase{"rst_simple_empty_cell", {"--from", "csv", "--to", "rst-simple"}, "a,b\n,c\n", "",
                   "zentab: line 2, column 1: the output format cannot hold this row: a row with "
                   "no cells, a last row of one empty cell in tsv, or an empty first cell in an "
                   "rst simple table\n", 1},
        CliCase{"org_subscript", {"--to", "org"}, "a|x_y\n", "",
                   "zentab: line 1, column 3: this cell holds '_' where the output format cannot "
                   "write it as text\n", 1},
        CliCase{"control_character", {"--from", "markdown"}, "a|\x1B\n", "",
                   "zentab: line 1, column 3: control character U+001B\n", 1},
        CliCase{"json_missing_comma", {"--from", "json"}, "[[\"a\",\n \"b\" \"c\"]]", "",
                   "zentab: line 2, column 6: JSON: expected ',' or ']'\n", 1},
        CliCase{"json_nested_refused", {"--from", "json"}, "[[\"a\", [1]]]", "",
                   "zentab: line 1, column 8: JSON: expected a string, number, true, false or "
                   "null in a cell; an array or object is kept as its JSON text with "
                   "--json-nested text\n", 1},
        CliCase{"json_duplicate_header", {"--to", "json"}, "a|b|a\n", "",
                   "zentab: line 1, column 5: this header cell names a column already named; "
                   "JSON keys must differ\n", 1},
        CliCase{"json_cp932", {"--from", "json", "-e", "cp932"}, "[[\"a\"]]", "",
                   "zentab: JSON: expected UTF-8; JSON cannot be read or written as code page "
                   "932\n", 1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

const std::string kReadme =
    "# Fruit\n\nPrices:\n\n| 品名 | 円 |\n|---|--:|\n| りんご | 120 |\n\n```\n| a |\n|---|\n```\n\n"
    "> | Kg | Box |\n> |---|---|\n> | 5 | \"big\" |\n";

INSTANTIATE_TEST_SUITE_P(
    TablesOfDocuments, ZentabTool,
    ::testing::Values(
        CliCase{"prose_is_not_dropped", {"--from", "markdown"}, kReadme, "",
                   "zentab: line 1, column 1: this line is not part of the table: the input holds "
                   "more than one table; use 'zentab fmt' to line up a document's tables, or "
                   "--table N to pick one\n", 1},
        CliCase{"first_table_to_psv", {"--from", "markdown", "--table", "1", "--to", "psv"},
                   kReadme, "品名|円\nりんご|120\n", "", 0},
        CliCase{"quoted_table_to_csv", {"--from", "markdown", "--table=2", "--to", "csv"}, kReadme,
                   "Kg,Box\n5,\"\"\"big\"\"\"\n", "", 0},
        CliCase{"table_past_the_last", {"--from", "markdown", "--table", "3"}, kReadme, "",
                   "zentab: there is no table 3: the input holds 2 tables\n", 1},
        CliCase{"table_of_a_frame", {"--from", "frame", "--table", "2", "--to", "psv"},
                   "+-+\n|a|\n+-+\n\ntext\n\n+--+\n|bc|\n+--+\n", "bc\n", "", 0},
        CliCase{"table_needs_a_document_format", {"--table", "1"}, "a|b\n", "",
                   "zentab: --table picks a table of a document; use it with --from markdown or "
                   "--from frame\n" + kTry, 2},
        CliCase{"table_zero", {"--from", "markdown", "--table", "0"}, "", "",
                   "zentab: invalid --table '0' (use the number of a table, from 1)\n" + kTry, 2}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    FormatUsage, ZentabTool,
    ::testing::Values(
        CliCase{"unknown_format", {"--from", "xml"}, "", "",
                   "zentab: invalid format 'xml' (use psv, csv, tsv, markdown, frame, json, jsonl; "
                   "to read only aligned; to write only html, latex, rst, rst-simple, org, "
                   "asciidoc, mediawiki or jira)\n" + kTry, 2},
        CliCase{"bad_json_nested", {"--json-nested", "keep"}, "", "",
                   "zentab: invalid --json-nested 'keep' (use error or text)\n" + kTry, 2},
        CliCase{"markup_is_not_read", {"--from", "LaTeX"}, "", "",
                   "zentab: --from LaTeX: document markup is only written (read psv, csv, tsv, "
                   "markdown, frame, json, jsonl or aligned)\n" + kTry, 2},
        CliCase{"to_without_value", {"--to"}, "", "",
                   "zentab: option '--to' requires an argument\n" + kTry, 2},
        CliCase{"unframe_takes_no_value", {"--unframe=csv"}, "", "",
                   "zentab: option '--unframe' doesn't allow an argument\n" + kTry, 2},
        CliCase{"raw_with_unframe", {"--raw", "--unframe"}, "", "",
                   "zentab: --raw frames '|'-separated cells; it cannot be used with --from, --to "
                   "or --unframe\n" + kTry, 2}),
    [](const auto& testCase) { return std::string(testCase.param.name); });
// clang-format on

// zentab -f N t | zentab --from frame -f M gives zentab -f M t, run as a user
// would; the text layer's test covers many more tables in-process.
TEST(ZentabReframe, PipedFramesDrawTheSameFrameAgain) {
    std::mt19937 random(42);
    const std::vector<std::string> tables = {
        "No|Item|Qty\n1|pen|10\n2|notebook|5\n",
        "名前|値\n①|あいう\n||😀\n",
        "a\n",
    };
    for (const std::string& table : tables) {
        for (const char* model : {"narrow", "wide"}) {
            for (int from = 1; from <= 6; ++from) {
                const std::string to = std::to_string(1 + random() % 6);
                const std::string position(1, static_cast<char>('A' + random() % 17));
                const std::vector<std::string> common = {"-a", model, "-p", position};
                std::vector<std::string> first = common;
                first.insert(first.end(), {"-f", std::to_string(from)});
                std::vector<std::string> again = common;
                again.insert(again.end(), {"--from", "frame", "-f", to});
                std::vector<std::string> direct = common;
                direct.insert(direct.end(), {"-f", to});

                ProcessRun framed = run_zentab(first, table);
                ProcessRun reframed = run_zentab(again, framed.out);
                ProcessRun expected = run_zentab(direct, table);
                ASSERT_EQ(expected.exitCode, 0);
                EXPECT_EQ(reframed.out, expected.out) << framed.out << "to type " << to;
                EXPECT_EQ(reframed.exitCode, 0) << reframed.err;
            }
        }
    }
}

// Column-aligned output of this machine's own commands: a row for every
// line, under the headings the command prints.
void expect_aligned(const std::string& command, const std::vector<std::string>& headings) {
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    ASSERT_EQ(pclose(pipe), 0) << command;
    ProcessRun run = run_zentab({"--from", "aligned", "--to", "tsv"}, output);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto lines = [](const std::string& text) {
        return std::count(text.begin(), text.end(), '\n');
    };
    EXPECT_EQ(lines(run.out), lines(output)) << output;
    std::string header;
    for (const std::string& heading : headings) {
        header += (header.empty() ? "" : "\t") + heading;
    }
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), header);
}

TEST(ZentabAligned, ReadsThisMachinesProcessAndDiskLists) {
    expect_aligned("ps aux", {"USER", "PID", "%CPU", "%MEM", "VSZ", "RSS", "TTY", "STAT", "START",
                              "TIME", "COMMAND"});
    expect_aligned("df -h", {"Filesystem", "Size", "Used", "Avail", "Use%", "Mounted on"});
}

}  // namespace
