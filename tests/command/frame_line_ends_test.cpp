#include "command/frame_line_ends.h"

#include <gtest/gtest.h>

#include "command/cp932_text.h"
#include "frame_oracle.h"
#include "random_cp932.h"

namespace {

struct LineEndCase {
    const char* name;
    std::string frame;
    std::string rewritten;
};

void PrintTo(const LineEndCase& testCase, std::ostream* os) {
    *os << testCase.name;
}

class FrameLineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(FrameLineEnds, AddsCrAfterRightBordersOnly) {
    const LineEndCase& c = GetParam();
    EXPECT_EQ(frame_crlf_line_ends(c.frame), c.rewritten);
    EXPECT_EQ(eleven_pass_line_ends(c.frame), c.rewritten);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameLineEnds,
    ::testing::Values(
        LineEndCase{"ascii_frame", "++\n||\n++\n", "++\r\n||\r\n++\r\n"},
        LineEndCase{"heavy_corner", "\x84\xAC\x84\xAD\n", "\x84\xAC\x84\xAD\r\n"},
        LineEndCase{"every_border",
                    "\x84\xAD\n\x84\xAB\n\x84\xB2\n\x84\xAE\n+\n|\n\x84\xA2\n\x84\xA0\n\x84\xA7\n"
                    "\x84\xA3\n\x84\xB7\n",
                    "\x84\xAD\r\n\x84\xAB\r\n\x84\xB2\r\n\x84\xAE\r\n+\r\n|\r\n\x84\xA2\r\n"
                    "\x84\xA0\r\n\x84\xA7\r\n\x84\xA3\r\n\x84\xB7\r\n"},
        LineEndCase{"other_character_keeps_lf", "a\nb", "a\nb"},
        LineEndCase{"heavy_horizontal_is_no_border", "\x84\xAA\n", "\x84\xAA\n"},
        LineEndCase{"po_then_lone_lf", "|\x83|\n|\n", "|\x83|\n|\r\n"},
        LineEndCase{"border_inside_cell", "|a|\nb|\n", "|a|\r\nb|\r\n"},
        LineEndCase{"lf_as_second_byte", "|\x81\n|\n", "|\x81\n|\r\n"},
        LineEndCase{"lead_pair_before_border", "\x81\x81|\n", "\x81\x81|\r\n"},
        LineEndCase{"odd_lead_run_before_border_bytes", "\x81\x84\xAD\n", "\x81\x84\xAD\n"},
        LineEndCase{"lf_first", "\n|\n", "\n|\r\n"}, LineEndCase{"crlf_already", "|\r\n", "|\r\n"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(FrameLineEndsProperty, EqualsElevenPassesOnRandomText) {
    std::mt19937 random(7);
    std::vector<std::string_view> pieces = {"\n",   "\n",   "\r",   " ",    "a",
                                            "\x81", "\x84", "\xFC", "\xAD", "\x83|"};
    pieces.insert(pieces.end(), kRightBorderPasses.begin(), kRightBorderPasses.end());
    for (int round = 0; round < 20000; ++round) {
        std::string frame = random_text(random, pieces, 16);
        ASSERT_EQ(frame_crlf_line_ends(frame), eleven_pass_line_ends(frame))
            << ::testing::PrintToString(frame);
    }
}

}  // namespace

namespace {

// Frames whose only LFs end lines of one length, as the renderer draws them
// from cells without an LF of their own.
TEST(FrameLineEndsProperty, EvenLinesGiveTheSameBytesWithoutSearching) {
    std::mt19937 random(11);
    std::vector<std::string_view> pieces = {"\r",   " ",    "a",    "\x81",
                                            "\x84", "\xFC", "\xAD", "\x83|"};
    pieces.insert(pieces.end(), kRightBorderPasses.begin(), kRightBorderPasses.end());
    for (int round = 0; round < 20000; ++round) {
        const size_t lineLength = 1 + random() % 12;
        const size_t lines = 1 + random() % 5;
        std::string frame;
        for (size_t line = 0; line < lines; ++line) {
            std::string body = random_text(random, pieces, 8);
            body.resize(lineLength - 1, ' ');
            frame += body + "\n";
        }
        ASSERT_EQ(frame_crlf_line_ends_of_even_lines(frame, lineLength),
                  frame_crlf_line_ends(frame))
            << ::testing::PrintToString(frame);
    }
}

}  // namespace

namespace {

// A frame drawn with CR LF ends is taken as it is only when the rewrite of
// the same frame with LF ends would give its bytes: lines of one length
// whose ends mix borders, lead bytes and single bytes, with and without the
// CR, against that rewrite.
TEST(FrameLineEndsProperty, DrawnCrsAreTakenExactlyWhereTheRewriteWouldPutThem) {
    std::mt19937 random(13);
    std::vector<std::string_view> pieces = {" ", "a", "\x81", "\x84", "\x9F", "\xFC", "\xAD", "\r"};
    pieces.insert(pieces.end(), kRightBorderPasses.begin(), kRightBorderPasses.end());
    for (int round = 0; round < 20000; ++round) {
        const size_t lineLength = 3 + random() % 10;
        const size_t lines = 1 + random() % 5;
        std::string withLf;
        std::string drawn;
        for (size_t line = 0; line < lines; ++line) {
            std::string body = random_text(random, pieces, 8);
            body.resize(lineLength - 2, ' ');
            withLf += body + "\n";
            drawn += body + (random() % 8 == 0 ? " \n" : "\r\n");
        }
        const bool expected = frame_crlf_line_ends(withLf) == drawn;
        ASSERT_EQ(frame_crlf_ends_match_rewrite(drawn, lineLength), expected)
            << ::testing::PrintToString(drawn);
    }
}

}  // namespace
