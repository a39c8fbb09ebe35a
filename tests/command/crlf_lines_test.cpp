#include "command/crlf_lines.h"

#include <gtest/gtest.h>

#include <random>
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

// The plain reading: look at every byte for a CR LF.
std::vector<std::string> split_byte_by_byte(const std::string& text, bool& loneLf) {
    std::vector<std::string> lines;
    size_t start = 0;
    loneLf = false;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\n') {
            continue;
        }
        if (at == 0 || text[at - 1] != '\r') {
            loneLf = true;
            continue;
        }
        lines.push_back(text.substr(start, at - 1 - start));
        start = at + 1;
    }
    if (start != text.size() || start == 0) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

// The LFs are found a block at a time: texts of every length around the
// block and chunk sizes, lines of every length, lone LFs and CRs, and LFs in
// the last bytes, split as the byte-by-byte reading does.
TEST(CrlfLinesModel, SplitsAsTheByteByByteReading) {
    std::mt19937 random(11);
    const char kBytes[] = {'a', '|', '\r', '\n', '\x84', '\0'};
    for (int round = 0; round < 3000; ++round) {
        const size_t length = random() % 200;
        std::string text;
        while (text.size() < length) {
            const auto roll = static_cast<size_t>(random() % 10);
            text += roll < 2 ? std::string("\r\n") : std::string(1, kBytes[roll % 5]);
        }
        text.resize(length);
        bool expectedLoneLf = false;
        const std::vector<std::string> expected = split_byte_by_byte(text, expectedLoneLf);
        std::string buffer = text + '\0';
        std::vector<std::string> lines;
        bool loneLf = false;
        for_each_crlf_line(
            buffer.data(), text.size(),
            [&lines](const char* line, size_t size) {
                lines.emplace_back(line, size);
                return true;
            },
            &loneLf);
        ASSERT_EQ(lines, expected) << "round " << round;
        ASSERT_EQ(loneLf, expectedLoneLf) << "round " << round;
    }
}

}  // namespace
