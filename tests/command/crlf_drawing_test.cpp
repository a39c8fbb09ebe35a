// The pipeline draws most frames with CR LF ends at once, and falls back to
// drawing LF ends and rewriting them: both ways must give the same bytes as
// the rewrite's own passes, on tables whose last cells end in every way a
// right border can be misread (lone lead bytes, pairs whose second byte is
// in the lead range, lone LFs and CRs).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "command/create_frame.h"
#include "core/frame_core.h"
#include "frame_oracle.h"
#include "random_cp932.h"

namespace {
// The store's frame with LF ends, rewritten by the eleven passes.
std::string reference_frame(const std::vector<std::string>& lines, int32_t frameType,
                            int32_t positionType) {
    ft_open();
    for (const std::string& line : lines) {
        int32_t lineNumber = 0;
        int32_t failedAt = 0;
        if (ft_add_line_with(line.data(), static_cast<int32_t>(line.size()), FtLineRule{},
                             &lineNumber, &failedAt) != FT_OK) {
            ft_close();
            return "refused";
        }
    }
    std::vector<char> buffer(CF_FRAME_BUFFER);
    const int rendered = ft_render(buffer.data(), CF_FRAME_BUFFER, frameType, positionType);
    ft_close();
    return rendered == FT_OK ? eleven_pass_line_ends(buffer.data()) : "refused";
}

TEST(CrlfDrawing, RandomTablesMatchTheRewrittenFrame) {
    const std::vector<std::string_view> pieces = {
        "a",    " ",    "\x82\xA0", "\x83\x81", "\x84\xAB", "\x84\xA0", "\x82", "\x9F",
        "\xE0", "\xA1", "|",        "\n",       "\r",       "+",        "\x84", "\x81\x7C"};
    std::mt19937 random(20261208);
    for (int round = 0; round < 3000; ++round) {
        const int32_t frameType = static_cast<int32_t>(random() % FT_FRAME_TYPE_MAX) + 1;
        const int32_t positionType = static_cast<int32_t>(random() % FT_POSITION_TYPE_MAX) + 1;
        const size_t rows = 1 + random() % 4;
        const size_t columns = 1 + random() % 3;
        std::vector<std::string> lines;
        std::string input;
        for (size_t row = 0; row < rows; ++row) {
            std::string line;
            for (size_t column = 0; column < columns; ++column) {
                line += (column == 0 ? "" : "|") + random_text(random, pieces, 3);
            }
            if (line.find('\t') != std::string::npos || line.find('\0') != std::string::npos) {
                continue;
            }
            lines.push_back(line);
            input += (row == 0 ? "" : "\r\n") + line;
        }
        // The pipeline splits only at CR LF: a line's own CR before the next
        // line's start would make a different split from the list's,
        // line, and an empty last line is no line at all.
        bool splitsAlike = !lines.empty();
        for (const std::string& line : lines) {
            splitsAlike = splitsAlike && !line.empty() && line.find("\r\n") == std::string::npos &&
                          line.back() != '\r' && line[0] != '\n';
        }
        if (!splitsAlike) {
            continue;
        }
        const std::string expected = reference_frame(lines, frameType, positionType);
        const CreateFrameResult result = create_frame_text(input, frameType, positionType);
        if (expected == "refused") {
            EXPECT_NE(result.outcome, CF_FRAME) << testing::PrintToString(input);
            continue;
        }
        ASSERT_EQ(result.outcome, CF_FRAME) << testing::PrintToString(input);
        ASSERT_EQ(result.resultText, expected) << testing::PrintToString(input) << " type "
                                               << frameType << " position " << positionType;
    }
}
}  // namespace
