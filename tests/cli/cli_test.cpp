#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "cli_case.h"
#include "process_runner.h"

namespace {

const std::string kTry = "Try 'zentab --help' for more information.\n";
const std::string kSample = "No|Item|Qty\n1|pen|10\n2|notebook|5\n";
const std::string kSampleType1 =
    "┏━━┳━━━━━━━━┳━━━━┓\n"
    "┃No┃Item    ┃Qty ┃\n"
    "┣━━╋━━━━━━━━╋━━━━┫\n"
    "┃1 ┃pen     ┃10  ┃\n"
    "┣━━╋━━━━━━━━╋━━━━┫\n"
    "┃2 ┃notebook┃5   ┃\n"
    "┗━━┻━━━━━━━━┻━━━━┛\n";
// In the wide model every piece is two columns, as in code page 932.
const std::string kSampleType5HWide =
    "┏━┳━━━━┯━━┓\n"
    "┃No┃    Item│ Qty┃\n"
    "┣━╋━━━━┿━━┫\n"
    "┃1 ┃     pen│  10┃\n"
    "┠─╂────┼──┨\n"
    "┃2 ┃notebook│   5┃\n"
    "┗━┻━━━━┷━━┛\n";
const std::string kSampleType6H =
    "+--+--------+---+\n"
    "|No|    Item|Qty|\n"
    "+--+--------+---+\n"
    "|1 |     pen| 10|\n"
    "+--+--------+---+\n"
    "|2 |notebook|  5|\n"
    "+--+--------+---+\n";

TEST_P(ZentabTool, WritesExpectedOutputAndExitStatus) {
    const CliCase& c = GetParam();
    ProcessRun run = run_zentab(c.args, c.input);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.exitCode, c.exitCode);
}

std::string with_crlf(std::string text) {
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
        text.insert(at, "\r");
    }
    return text;
}

// One wide cell over many rows: a frame far past the desktop's buffer.
std::string raw_tall_table() {
    std::string table(3200, 'x');
    for (int row = 0; row < 150; ++row) {
        table += "\r\ny";
    }
    return table;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Framing, ZentabTool,
    ::testing::Values(
        CliCase{"default_type1", {}, kSample, kSampleType1, "", 0},
        CliCase{"stdin_dash", {"-"}, kSample, kSampleType1, "", 0},
        CliCase{"type6_position_h", {"-f", "6", "-p", "H"}, kSample, kSampleType6H, "", 0},
        CliCase{"attached_values", {"-f6", "-ph"}, kSample, kSampleType6H, "", 0},
        CliCase{"long_options_with_equals", {"--frame=6", "--position=8"}, kSample,
                kSampleType6H, "", 0},
        CliCase{"long_options_separate", {"--frame", "6", "--position", "h"}, kSample,
                kSampleType6H, "", 0},
        CliCase{"crlf_output", {"--crlf"}, kSample, with_crlf(kSampleType1), "", 0},
        CliCase{"crlf_input", {}, with_crlf(kSample), kSampleType1, "", 0},
        CliCase{"bom_skipped", {}, "\xEF\xBB\xBF" + kSample, kSampleType1, "", 0},
        CliCase{"no_final_newline", {"-f", "6"}, "a|b", "+-+-+\n|a|b|\n+-+-+\n", "", 0},
        CliCase{"tab_separated", {"-f", "6"}, "a\tb\n\tc\n", "+-+-+\n|a|b|\n+-+-+\n| |c|\n+-+-+\n",
                "", 0},
        CliCase{"japanese_type2_narrow", {"-f", "2"}, "名前|値\n①|あ\n",
                "┌────┬──┐\n│名前│値│\n├────┼──┤\n│①   │あ│\n└────┴──┘\n", "", 0},
        CliCase{"japanese_type2_wide", {"-f", "2", "-a", "wide"}, "名前|値\n①|あ\n",
                "┌──┬─┐\n│名前│値│\n├──┼─┤\n│①  │あ│\n└──┴─┘\n", "", 0},
        CliCase{"type5_h_wide", {"-f", "5", "-p", "H", "--ambiguous=wide"}, kSample,
                kSampleType5HWide, "", 0},
        CliCase{"cr_line_ends", {"-f", "6"}, "a|b\rc|d\r", "+-+-+\n|a|b|\n+-+-+\n|c|d|\n+-+-+\n",
                "", 0},
        CliCase{"text_kept_exactly", {"-f", "6"}, "é|¦|〜|−\n😀|👩‍👩‍👧|🇯🇵|e\u0301\n",
                "+--+--+--+-+\n|é |¦ |〜|−|\n+--+--+--+-+\n|😀|👩‍👩‍👧|🇯🇵|e\u0301|\n+--+--+--+-+\n", "", 0},
        CliCase{"ibm_extension_cp932", {"-e", "cp932", "-f", "6"}, "a|b|c\n\xFA\x7C" "|x|y\n",
                "+--+-+-+\n|a |b|c|\n+--+-+-+\n|\xFA\x7C|x|y|\n+--+-+-+\n", "", 0},
        CliCase{"cp932_in_and_out", {"-e", "cp932", "-f", "6"}, "\x82\xA0|b\n",
                "+--+-+\n|\x82\xA0|b|\n+--+-+\n", "", 0},
        CliCase{"sjis_alias_box_frame", {"-e", "SJIS"}, "ab\n",
                "\x84\xAC\x84\xAA\x84\xAD\n\x84\xAB" "ab\x84\xAB\n\x84\xAF\x84\xAA\x84\xAE\n", "", 0},
        CliCase{"raw_keeps_lone_lf_in_cell", {"--raw", "-f", "6"}, "A|B\nC|D",
                "+-+---+-+\r\n|A|B\nC|D|\r\n+-+---+-+\r\n", "", 0},
        CliCase{"raw_with_cp932", {"--raw", "-e", "windows-31j", "-f", "6"}, "a\r\n",
                "+-+\r\n|a|\r\n+-+\r\n", "", 0},
        CliCase{"width_wraps_the_widest_column", {"-f", "6", "-w", "9"}, "a|bbbb cccc\n",
                "+-+----+\n|a|bbbb|\n| |cccc|\n+-+----+\n", "", 0},
        CliCase{"empty_input", {}, "", "", "", 0},
        CliCase{"blank_lines_only", {}, "\n\r\n", "", "", 0},
        CliCase{"bom_only", {}, "\xEF\xBB\xBF", "", "", 0}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Messages, ZentabTool,
    ::testing::Values(
        CliCase{"too_few_cells", {}, "A|B\nC\n", "",
                "zentab: line 2, column 2: 1 cell where the first row has 2\n", 1},
        CliCase{"too_many_cells", {}, "A|B\nC|D|E|F\n", "",
                "zentab: line 2, column 4: 4 cells where the first row has 2; this is the first "
                "cell too many\n", 1},
        CliCase{"blank_line_inside", {}, "A|B\nC|D\n\nE|F\n", "",
                "zentab: line 3, column 1: 1 cell where the first row has 2\n", 1},
        CliCase{"line_after_a_line_without_cells", {}, "A|B\n|\nC|D\nE", "",
                "zentab: line 2, column 2: 0 cells where the first row has 2\n", 1},
        CliCase{"column_after_two_byte_character_cp932", {"-e", "cp932"}, "\x82\xA0|b\n\x82\xA0" "c\n", "",
                "zentab: line 2, column 3: 1 cell where the first row has 2\n", 1},
        CliCase{"no_cells", {}, "|\n|\n", "", "zentab: no cells in the input\n", 1},
        CliCase{"bar_alone", {}, "|", "", "zentab: no cells in the input\n", 1},
        CliCase{"over_limit", {}, std::string((1 << 20) + 1, 'x'), "",
                "zentab: the input is 1048577 bytes; the limit is 1048576\n", 1},
        CliCase{"invalid_utf8", {}, "ab\ncd\xFF", "",
                "zentab: line 2, column 3: not UTF-8 (byte 0xFF)\n", 1},
        CliCase{"truncated_utf8", {}, "a|\xE3\x81\xFF", "",
                "zentab: line 1, column 3: not UTF-8 (byte 0xE3)\n", 1},
        CliCase{"surrogate_utf8", {}, "\xED\xA0\x80", "",
                "zentab: line 1, column 1: not UTF-8 (byte 0xED)\n", 1},
        CliCase{"overlong_utf8", {}, "a\xC0\xAF\xFF", "",
                "zentab: line 1, column 2: not UTF-8 (byte 0xC0)\n", 1},
        CliCase{"past_u10ffff", {}, "\xF4\x90\x80\x80", "",
                "zentab: line 1, column 1: not UTF-8 (byte 0xF4)\n", 1},
        CliCase{"lone_continuation", {}, "ab|\x80", "",
                "zentab: line 1, column 4: not UTF-8 (byte 0x80)\n", 1},
        CliCase{"four_byte_utf8_counts_one_column", {}, "😀|\xFF", "",
                "zentab: line 1, column 3: not UTF-8 (byte 0xFF)\n", 1},
        CliCase{"shift_jis_hint", {}, "a|\x82\xA0\n", "",
                "zentab: line 1, column 3: not UTF-8 (byte 0x82); if the text is Shift-JIS, try "
                "-e cp932\n", 1},
        CliCase{"control_character", {}, "a|b\nc|\x1B[2J\n", "",
                "zentab: line 2, column 3: control character U+001B\n", 1},
        CliCase{"c1_control", {}, "a\xC2\x85", "", "zentab: line 1, column 2: control character U+0085\n", 1},
        CliCase{"nul_byte", {}, std::string("a|b\nc|\0", 7), "",
                "zentab: line 2, column 3: control character U+0000\n", 1},
        CliCase{"nul_byte_cp932", {"-e", "cp932"}, std::string("\x82\xA0\0", 3), "",
                "zentab: line 1, column 2: control character U+0000\n", 1},
        CliCase{"broken_cp932", {"-e", "cp932"}, "a|\x82", "",
                "zentab: line 1, column 3: not code page 932 (byte 0x82)\n", 1},
        CliCase{"raw_no_cells", {"--raw"}, "|", "", "zentab: no cells in the input\n", 1},
        CliCase{"raw_frame_too_big", {"--raw"}, raw_tall_table(), "",
                "zentab: the frame would be 971115 bytes; the limit is 102399\n", 1},
        CliCase{"raw_over_limit", {"--raw"}, std::string(4097, 'x'), "",
                "zentab: the input is 4097 bytes; the limit is 4096 bytes\n", 1},
        CliCase{"raw_over_limit_by_tabs", {"--raw"}, std::string(7, '\t') + std::string(4090, 'x'), "",
                "zentab: the input is 4098 bytes after tab conversion; the limit is 4096 bytes\n", 1},
        CliCase{"raw_illegal_line", {"--raw"}, "A|B\r\nC", "",
                "Illegal input data!!\nCheck the 2 line of your input data.\n", 1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Usage, ZentabTool,
    ::testing::Values(
        CliCase{"version", {"--version"}, "", "zentab " ZENTAB_VERSION "\n", "", 0},
        CliCase{"frame_zero", {"-f", "0"}, "", "",
                "zentab: invalid frame type '0' (use 1 to 6)\n" + kTry, 2},
        CliCase{"frame_seven", {"--frame=7"}, "", "",
                "zentab: invalid frame type '7' (use 1 to 6)\n" + kTry, 2},
        CliCase{"position_r", {"-p", "R"}, "", "",
                "zentab: invalid position type 'R' (use A to Q or 1 to 17)\n" + kTry, 2},
        CliCase{"position_18", {"-p", "18"}, "", "",
                "zentab: invalid position type '18' (use A to Q or 1 to 17)\n" + kTry, 2},
        CliCase{"unknown_encoding", {"-e", "latin1"}, "", "",
                "zentab: unknown encoding 'latin1' (use utf-8 or cp932)\n" + kTry, 2},
        CliCase{"unknown_long_option", {"--bogus"}, "", "",
                "zentab: unrecognized option '--bogus'\n" + kTry, 2},
        CliCase{"unknown_short_option", {"-x"}, "", "", "zentab: unrecognized option '-x'\n" + kTry,
                2},
        CliCase{"flag_with_value", {"--crlf=1"}, "", "",
                "zentab: option '--crlf' doesn't allow an argument\n" + kTry, 2},
        CliCase{"missing_value", {"-f"}, "", "", "zentab: option '-f' requires an argument\n" + kTry,
                2},
        CliCase{"leading_zeros", {"-f", "006", "-p", "017"}, "a|b\nc|d\n", "+-+-+\n|a|b|\n+-+-+\n|c|d|\n+-+-+\n", "", 0},
        CliCase{"position_018", {"-p", "018"}, "", "",
                "zentab: invalid position type '018' (use A to Q or 1 to 17)\n" + kTry, 2},
        CliCase{"double_dash_ends_options", {"-f6", "--", "-"}, "a\n", "+-+\n|a|\n+-+\n", "", 0},
        CliCase{"bad_width_model", {"-a", "medium"}, "", "",
                "zentab: invalid width model 'medium' (use narrow, wide or auto)\n" + kTry, 2},
        CliCase{"extra_operand", {"a", "b"}, "", "", "zentab: extra operand 'b'\n" + kTry, 2},
        CliCase{"raw_with_utf8", {"--raw", "-e", "utf-8"}, "", "",
                "zentab: --raw reads and writes code page 932; it cannot be used with -e utf-8\n" +
                    kTry, 2},
        CliCase{"missing_file", {"/nonexistent/table.txt"}, "", "",
                "zentab: cannot read '/nonexistent/table.txt': No such file or directory\n", 1},
        CliCase{"directory", {"/"}, "", "", "zentab: cannot read '/': Is a directory\n", 1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });
// clang-format on

TEST(ZentabHelp, PrintsUsageOnStdout) {
    for (const char* option : {"-h", "--help"}) {
        ProcessRun run = run_zentab({option}, "");
        EXPECT_EQ(run.out.rfind("Usage: zentab [OPTION]... [FILE]\n", 0), 0u) << option;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.exitCode, 0);
    }
}

TEST(ZentabFile, ReadsNamedFile) {
    TempFile table(kSample);
    ProcessRun run = run_zentab({table.path()}, "ignored");
    EXPECT_EQ(run.out, kSampleType1);
    EXPECT_EQ(run.exitCode, 0);
}

TEST(ZentabPosition, LettersAndNumbersAgree) {
    for (int position = 1; position <= 17; ++position) {
        std::string letter(1, static_cast<char>('A' + position - 1));
        ProcessRun byLetter = run_zentab({"-f6", "-p", letter}, kSample);
        ProcessRun byNumber = run_zentab({"-f6", "-p", std::to_string(position)}, kSample);
        EXPECT_EQ(byLetter.exitCode, 0) << letter;
        EXPECT_EQ(byLetter.out, byNumber.out) << letter;
    }
}

TEST(ZentabEncoding, EveryCodePage932NameGivesTheSameBytes) {
    const std::string box =
        "\x84\xAC\x84\xAA\x84\xAD\n\x84\xAB"
        "ab\x84\xAB\n\x84\xAF\x84\xAA\x84\xAE\n";
    for (const char* name : {"cp932", "CP932", "shift_jis", "Shift_JIS", "sjis", "windows-31j"}) {
        ProcessRun run = run_zentab({"--encoding", name}, "ab\n");
        EXPECT_EQ(run.out, box) << name;
        EXPECT_EQ(run.exitCode, 0) << name;
    }
    for (const char* name : {"utf-8", "UTF-8", "utf8"}) {
        EXPECT_EQ(run_zentab({"-e", name}, "ab\n").out, "┏━━┓\n┃ab┃\n┗━━┛\n") << name;
    }
}

TEST(ZentabEnvironment, AmbiguousWidthDefaultsFromTheEnvironmentAndTheOptionWins) {
    struct Case {
        const char* value;
        std::vector<std::string> args;
        std::string out;
        int exitCode;
    };
    const std::string narrow = "┏━━┓\n┃ab┃\n┗━━┛\n";
    const std::string wide = "┏━┓\n┃ab┃\n┗━┛\n";
    const Case cases[] = {
        {"wide", {}, wide, 0},
        {"WIDE", {}, wide, 0},
        {"narrow", {}, narrow, 0},
        {"", {}, narrow, 0},
        {"wide", {"-a", "narrow"}, narrow, 0},
        {"narrow", {"--ambiguous", "wide"}, wide, 0},
        {"bogus", {}, "", 2},
        {"bogus", {"-a", "wide"}, wide, 0},
        {"bogus", {"--version"}, "zentab " ZENTAB_VERSION "\n", 0},
        // Standard output is a pipe here: there is no terminal to ask.
        {"auto", {}, narrow, 0},
        {"wide", {"-a", "auto"}, narrow, 0},
        {"auto", {"-a", "wide"}, wide, 0},
    };
    for (const Case& c : cases) {
        setenv("ZENTAB_AMBIGUOUS", c.value, 1);
        ProcessRun run = run_zentab(c.args, "ab\n");
        EXPECT_EQ(run_zentab({"--help"}, "").exitCode, 0) << c.value;
        EXPECT_EQ(run.out, c.out) << c.value;
        EXPECT_EQ(run.exitCode, c.exitCode) << c.value;
    }
    unsetenv("ZENTAB_AMBIGUOUS");
}

// Standard output is a pipe here, so --width auto takes $COLUMNS.
TEST(ZentabEnvironment, WidthAutoTakesColumnsWhereOutputIsNoTerminal) {
    const std::string table = "a|bbbb cccc\n";
    setenv("COLUMNS", "9", 1);
    EXPECT_EQ(run_zentab({"-f6", "-w", "auto"}, table).out, run_zentab({"-f6", "-w9"}, table).out);
    unsetenv("COLUMNS");
    EXPECT_EQ(run_zentab({"-f6", "--width=auto"}, table).out, run_zentab({"-f6"}, table).out);
}

}  // namespace
