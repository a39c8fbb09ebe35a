#include "command/crlf_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> split(const std::string& text) {
    std::string buffer = text;
    std::vector<std::string> lines;
    for_each_crlf_line(buffer.data(), text.size(), [&lines](const char* line, size_t length) {
        EXPECT_EQ(std::string(line), std::string(line, length)) << "NUL-terminated at its length";
        lines.emplace_back(line, length);
        return true;
    });
    return lines;
}

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

void PrintTo(const SplitCase& testCase, std::ostream* os) {
    *os << testCase.name;
}

class CrlfLines : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CrlfLines, SplitsOnlyAtCrLf) {
    EXPECT_EQ(split(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Cases, CrlfLines,
                         ::testing::Values(SplitCase{"one_line", "A|B", {"A|B"}},
                                           SplitCase{
                                               "final_crlf_adds_no_line", "A\r\nB\r\n", {"A", "B"}},
                                           SplitCase{"bytes_after_last_crlf", "A\r\nB", {"A", "B"}},
                                           SplitCase{"leading_crlf", "\r\nA", {"", "A"}},
                                           SplitCase{"crlf_alone", "\r\n", {""}},
                                           SplitCase{"double_crlf_at_end", "A\r\n\r\n", {"A", ""}},
                                           SplitCase{"lone_lf_stays", "A|B\nC|D", {"A|B\nC|D"}},
                                           SplitCase{"lone_cr_stays", "A\rB", {"A\rB"}},
                                           SplitCase{"cr_cr_lf_keeps_first_cr", "A\r\r\n", {"A\r"}},
                                           SplitCase{"lf_cr_is_no_line_end", "A\n\rB", {"A\n\rB"}}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(CrlfLinesStop, StopsAtFirstRefusedLine) {
    std::string text = "a\r\nb\r\nc";
    std::vector<std::string> seen;
    bool all =
        for_each_crlf_line(text.data(), text.size(), [&seen](const char* line, size_t length) {
            seen.emplace_back(line, length);
            return seen.size() < 2;
        });
    EXPECT_FALSE(all);
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
}

}  // namespace
