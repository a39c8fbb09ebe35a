#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "process_runner.h"

namespace {

const std::string kTry = "Try 'zentab --help' for more information.\n";
const std::string kSample = "No|Item|Qty\n1|pen|10\n2|notebook|5\n";
const std::string kSampleType1 =
    "┏━┳━━━━┳━━┓\n"
    "┃No┃Item    ┃Qty ┃\n"
    "┣━╋━━━━╋━━┫\n"
    "┃1 ┃pen     ┃10  ┃\n"
    "┣━╋━━━━╋━━┫\n"
    "┃2 ┃notebook┃5   ┃\n"
    "┗━┻━━━━┻━━┛\n";
const std::string kSampleType6H =
    "+--+--------+---+\n"
    "|No|    Item|Qty|\n"
    "+--+--------+---+\n"
    "|1 |     pen| 10|\n"
    "+--+--------+---+\n"
    "|2 |notebook|  5|\n"
    "+--+--------+---+\n";

struct CliCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    std::string out;
    std::string err;
    int exitCode;
};

void PrintTo(const CliCase& testCase, std::ostream* os) {
    *os << testCase.name;
}

class ZentabTool : public ::testing::TestWithParam<CliCase> {};

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
        CliCase{"japanese_type2", {"-f", "2"}, "名前|値\n①|あ\n",
                "┌──┬─┐\n│名前│値│\n├──┼─┤\n│①  │あ│\n└──┴─┘\n", "", 0},
        CliCase{"cp932_in_and_out", {"-e", "cp932", "-f", "6"}, "\x82\xA0|b\n",
                "+--+-+\n|\x82\xA0|b|\n+--+-+\n", "", 0},
        CliCase{"sjis_alias_box_frame", {"-e", "SJIS"}, "ab\n",
                "\x84\xAC\x84\xAA\x84\xAD\n\x84\xAB" "ab\x84\xAB\n\x84\xAF\x84\xAA\x84\xAE\n", "", 0},
        CliCase{"raw_keeps_lone_lf_in_cell", {"--raw", "-f", "6"}, "A|B\nC|D",
                "+-+---+-+\r\n|A|B\nC|D|\r\n+-+---+-+\r\n", "", 0},
        CliCase{"raw_with_cp932", {"--raw", "-e", "windows-31j", "-f", "6"}, "a\r\n",
                "+-+\r\n|a|\r\n+-+\r\n", "", 0},
        CliCase{"empty_input", {}, "", "", "", 0},
        CliCase{"bom_only", {}, "\xEF\xBB\xBF", "", "", 0}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Messages, ZentabTool,
    ::testing::Values(
        CliCase{"illegal_line_2", {}, "A|B\nC\n", "",
                "Illegal input data!!\nCheck the 2 line of your input data.\n", 1},
        CliCase{"illegal_line_3_trailing_blank_line", {}, "A|B\nC|D\n\n", "",
                "Illegal input data!!\nCheck the 3 line of your input data.\n", 1},
        CliCase{"no_columns", {}, "|\n|\n", "", "internal error\n", 1},
        CliCase{"frame_too_big", {}, std::string(3200, 'x') + std::string(300, '\n'), "",
                "internal error\n", 1},
        CliCase{"over_limit", {}, std::string(4097, 'x'), "",
                "zentab: the input is 4097 bytes after tab conversion; the limit is 4096 bytes\n",
                1},
        CliCase{"over_limit_by_crlf", {}, std::string(2049, '\n'), "",
                "zentab: the input is 4098 bytes after tab conversion; the limit is 4096 bytes\n",
                1},
        CliCase{"invalid_utf8", {}, "ab\ncd\xFF", "", "zentab: line 2, column 3: invalid UTF-8\n",
                1},
        CliCase{"truncated_utf8", {}, "a|\xE3\x81", "", "zentab: line 1, column 3: invalid UTF-8\n",
                1},
        CliCase{"surrogate_utf8", {}, "\xED\xA0\x80", "",
                "zentab: line 1, column 1: invalid UTF-8\n", 1},
        CliCase{"not_in_cp932", {}, "a|b\nあ|☃\n", "",
                "zentab: line 2, column 3: U+2603 cannot be written in code page 932\n", 1},
        CliCase{"nul_byte", {}, std::string("a|b\nc|\0", 7), "",
                "zentab: line 2, column 3: NUL byte in the input\n", 1},
        CliCase{"nul_byte_cp932", {"-e", "cp932"}, std::string("\x82\xA0\0", 3), "",
                "zentab: line 1, column 2: NUL byte in the input\n", 1},
        CliCase{"broken_character_in_frame", {"-f", "6"}, "僴|b\nlong||c\n", "",
                "zentab: the frame cannot be written as UTF-8: line 2, column 2 holds a broken "
                "code page 932 character (try -e cp932)\n", 1}),
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
                "zentab: unknown option '--bogus'\n" + kTry, 2},
        CliCase{"unknown_short_option", {"-x"}, "", "", "zentab: unknown option '-x'\n" + kTry,
                2},
        CliCase{"flag_with_value", {"--crlf=yes"}, "", "",
                "zentab: unknown option '--crlf=yes'\n" + kTry, 2},
        CliCase{"missing_value", {"-f"}, "", "", "zentab: option '-f' needs a value\n" + kTry,
                2},
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
        EXPECT_EQ(run_zentab({"-e", name}, "ab\n").out, "┏━┓\n┃ab┃\n┗━┛\n") << name;
    }
}

}  // namespace
