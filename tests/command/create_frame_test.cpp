#include "command/create_frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "core/allocator.h"
#include "core/frame_core.h"

namespace {

// Box-drawing characters written readably in the expected frames, turned
// into their code page 932 bytes.
std::string sjis(std::string text) {
    static const std::vector<std::pair<std::string, std::string>> kBox = {
        {"━", "\x84\xAA"}, {"┃", "\x84\xAB"}, {"┏", "\x84\xAC"}, {"┓", "\x84\xAD"},
        {"┛", "\x84\xAE"}, {"┗", "\x84\xAF"}, {"┣", "\x84\xB0"}, {"┳", "\x84\xB1"},
        {"┫", "\x84\xB2"}, {"┻", "\x84\xB3"}, {"╋", "\x84\xB4"}, {"─", "\x84\x9F"},
        {"│", "\x84\xA0"}, {"┌", "\x84\xA1"}, {"┐", "\x84\xA2"}, {"┘", "\x84\xA3"},
        {"└", "\x84\xA4"}, {"├", "\x84\xA5"}, {"┼", "\x84\xA9"}, {"┤", "\x84\xA7"},
        {"┬", "\x84\xA6"}, {"┴", "\x84\xA8"}};
    for (const auto& [utf8, cp932] : kBox) {
        for (size_t at = text.find(utf8); at != std::string::npos; at = text.find(utf8, at)) {
            text.replace(at, utf8.size(), cp932);
            at += cp932.size();
        }
    }
    return text;
}

std::string illegal(int line) {
    return "Illegal input data!!\r\nCheck the " + std::to_string(line) +
           " line of your input data.";
}

struct PipelineCase {
    const char* name;
    std::string input;
    int32_t frameType;
    int32_t positionType;
    std::string converted;
    CreateFrameOutcome outcome;
    std::string resultText;
};

void PrintTo(const PipelineCase& testCase, std::ostream* os) {
    *os << testCase.name;
}

class CreateFrameText : public ::testing::TestWithParam<PipelineCase> {};

TEST_P(CreateFrameText, GivesConvertedInputOutcomeAndText) {
    const PipelineCase& c = GetParam();
    CreateFrameResult result = create_frame_text(c.input, c.frameType, c.positionType);
    EXPECT_EQ(result.convertedInput, c.converted);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.resultText, c.resultText);
}

std::string hundred_over_499_lines() {
    std::string text(100, 'w');
    for (int line = 0; line < 499; ++line) {
        text += "\r\nx";
    }
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CreateFrameText,
    ::testing::Values(
        PipelineCase{"empty", "", 1, 1, "", CF_NONE, ""},
        PipelineCase{"nul_ends_the_input", std::string("\0A", 2), 1, 1, "", CF_NONE, ""},
        PipelineCase{"tab_rows", "A\tB\r\nC\tD\r\n", 6, 1, "A|B\r\nC|D\r\n", CF_FRAME,
                     "+-+-+\r\n|A|B|\r\n+-+-+\r\n|C|D|\r\n+-+-+\r\n"},
        PipelineCase{"first_byte_tab", "\tA\tB", 6, 1, "||A|B", CF_FRAME,
                     "++-+-+\r\n||A|B|\r\n++-+-+\r\n"},
        PipelineCase{"tab_before_crlf", "A\t\r\nB\tC", 6, 1, "A||\r\nB|C", CF_FRAME,
                     "+-+-+\r\n|A| |\r\n+-+-+\r\n|B|C|\r\n+-+-+\r\n"},
        PipelineCase{"tab_at_end_reports_line_2", "A\tB\r\nC\t", 6, 1, "A|B\r\nC|", CF_MESSAGE,
                     illegal(2)},
        PipelineCase{"short_second_line", "A|B\r\nC", 1, 1, "A|B\r\nC", CF_MESSAGE, illegal(2)},
        PipelineCase{"empty_middle_line", "A|B\r\n\r\nC|D", 1, 1, "A|B\r\n\r\nC|D", CF_MESSAGE,
                     illegal(2)},
        PipelineCase{"double_crlf_at_end", "A|B\r\nC|D\r\n\r\n", 1, 1, "A|B\r\nC|D\r\n\r\n",
                     CF_MESSAGE, illegal(3)},
        PipelineCase{"one_column_empty_middle", "A\r\n\r\nB", 6, 1, "A\r\n\r\nB", CF_FRAME,
                     "+-+\r\n|A|\r\n+-+\r\n| |\r\n+-+\r\n|B|\r\n+-+\r\n"},
        PipelineCase{"crlf_alone_type6", "\r\n", 6, 1, "\r\n", CF_FRAME, "++\r\n||\r\n++\r\n"},
        PipelineCase{"crlf_alone_type1", "\r\n", 1, 1, "\r\n", CF_FRAME,
                     sjis("┏━┓\r\n┃  ┃\r\n┗━┛\r\n")},
        PipelineCase{"lone_lf_inside_cell", "A|B\nC|D", 6, 1, "A|B\nC|D", CF_FRAME,
                     "+-+---+-+\r\n|A|B\nC|D|\r\n+-+---+-+\r\n"},
        // The rewrite works on the whole text: a border and a lone LF inside a cell
        // get their CR too, so the frame's lines are not searched line end by line end.
        PipelineCase{"border_then_lone_lf_in_cell", "A+\nB", 6, 1, "A+\nB", CF_FRAME,
                     "+----+\r\n|A+\r\nB|\r\n+----+\r\n"},
        PipelineCase{"cr_cr_lf", "A\r\r\n", 6, 1, "A\r\r\n", CF_FRAME, "+--+\r\n|A\r|\r\n+--+\r\n"},
        PipelineCase{"no_columns", "|\r\n|", 1, 1, "|\r\n|", CF_MESSAGE, "internal error"},
        PipelineCase{"too_big_box", hundred_over_499_lines(), 1, 1, hundred_over_499_lines(),
                     CF_MESSAGE, "internal error"},
        PipelineCase{"too_big_ascii", hundred_over_499_lines(), 6, 1, hundred_over_499_lines(),
                     CF_MESSAGE, "internal error"},
        PipelineCase{"frame_type_out_of_range", "A", 7, 1, "A", CF_MESSAGE, "internal error"},
        PipelineCase{"position_type_out_of_range", "A", 1, 0, "A", CF_MESSAGE, "internal error"},
        PipelineCase{"po_keeps_lone_lf", "\x83|\n|x", 6, 1, "\x83|\n|x", CF_FRAME,
                     "+---+-+\r\n|\x83|\n|x|\r\n+---+-+\r\n"},
        // The cell's last byte leads a character in the replacements' view,
        // so the border after it is a second byte and that line keeps its LF.
        PipelineCase{"cell_ending_in_lead_byte_keeps_lf", "A\xE0", 6, 1, "A\xE0", CF_FRAME,
                     "+--+\r\n|A\xE0|\n+--+\r\n"},
        PipelineCase{"ascii_example_position_h", "Item|Qty\r\npen|12\r\nink|3", 6, 8,
                     "Item|Qty\r\npen|12\r\nink|3", CF_FRAME,
                     "+----+---+\r\n|Item|Qty|\r\n+----+---+\r\n|pen | 12|\r\n+----+---+\r\n"
                     "|ink |  3|\r\n+----+---+\r\n"},
        PipelineCase{"type1_example", "No|Item|Qty\r\n1|pen|10\r\n2|notebook|5", 1, 1,
                     "No|Item|Qty\r\n1|pen|10\r\n2|notebook|5", CF_FRAME,
                     sjis("┏━┳━━━━┳━━┓\r\n┃No┃Item    ┃Qty ┃\r\n┣━╋━━━━╋━━┫\r\n"
                          "┃1 ┃pen     ┃10  ┃\r\n┣━╋━━━━╋━━┫\r\n┃2 ┃notebook┃5   ┃\r\n"
                          "┗━┻━━━━┻━━┛\r\n")},
        PipelineCase{"type2_example", "No|Item|Qty\r\n1|pen|10\r\n2|notebook|5", 2, 1,
                     "No|Item|Qty\r\n1|pen|10\r\n2|notebook|5", CF_FRAME,
                     sjis("┌─┬────┬──┐\r\n│No│Item    │Qty │\r\n├─┼────┼──┤\r\n"
                          "│1 │pen     │10  │\r\n├─┼────┼──┤\r\n│2 │notebook│5   │\r\n"
                          "└─┴────┴──┘\r\n")}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

std::string line_of(size_t length) {
    return std::string(length, 'a');
}

TEST(CreateFrameLimit, ParsesExactly4096Bytes) {
    CreateFrameResult result = create_frame_text(line_of(4096), 6, 1);
    EXPECT_EQ(result.outcome, CF_FRAME);
    EXPECT_EQ(result.resultText.size(), (4096u + 1 + 2 + 1) * 3);
}

TEST(CreateFrameLimit, Ignores4097BytesAndLeavesStoreUntouched) {
    ASSERT_EQ(create_frame_text("A|B\r\nC", 1, 1).outcome, CF_MESSAGE);
    CreateFrameResult result = create_frame_text(line_of(4097), 6, 1);
    EXPECT_EQ(result.outcome, CF_NONE);
    EXPECT_EQ(result.convertedInput, line_of(4097));
    EXPECT_EQ(result.resultText, "");
    EXPECT_STREQ(ft_table().signature, "zentabrix");
    EXPECT_EQ(ft_table().rows, 1);
}

TEST(CreateFrameLimit, ConversionCanPushPastTheLimit) {
    EXPECT_EQ(create_frame_text("\t" + line_of(4094), 6, 1).outcome, CF_FRAME);
    CreateFrameResult grown = create_frame_text("\t\t" + line_of(4094), 6, 1);
    EXPECT_EQ(grown.outcome, CF_NONE);
    EXPECT_EQ(grown.convertedInput, "|||" + line_of(4094));
}

// One column of a 3100- or 3101-byte cell over 16 rows: type 6 needs
// (w + 3) x 33 bytes, and 3103 x 33 = 102399 is the most the buffer holds.
std::string tall_column(size_t firstCell) {
    std::string text = line_of(firstCell);
    for (int row = 1; row < 16; ++row) {
        text += "\r\nb";
    }
    return text;
}

TEST(CreateFrameBuffer, FillsTheBufferToItsLastByte) {
    CreateFrameResult fits = create_frame_text(tall_column(3100), 6, 1);
    ASSERT_EQ(fits.outcome, CF_FRAME);
    EXPECT_EQ(fits.resultText.size(), 102399u + 33);
}

TEST(CreateFrameBuffer, RefusesOneByteMore) {
    CreateFrameResult tooBig = create_frame_text(tall_column(3101), 6, 1);
    EXPECT_EQ(tooBig.outcome, CF_MESSAGE);
    EXPECT_EQ(tooBig.resultText, "internal error");
}

TEST(CreateFrameMessage, NamesALateLine) {
    std::string text;
    for (int line = 0; line < 300; ++line) {
        text += "a\r\n";
    }
    text += "a|b";
    EXPECT_EQ(create_frame_text(text, 1, 1).resultText, illegal(301));
}

TEST(CreateFrameStore, RefusedRunLeavesStoreOpenAndNextRunStartsClean) {
    ASSERT_EQ(create_frame_text("A|B\r\nC|D|E\r\nF|G", 6, 1).outcome, CF_MESSAGE);
    EXPECT_STREQ(ft_table().signature, "zentabrix");
    EXPECT_EQ(ft_table().rows, 1);
    CreateFrameResult next = create_frame_text("X", 6, 1);
    EXPECT_EQ(next.resultText, "+-+\r\n|X|\r\n+-+\r\n");
}

TEST(CreateFrameStore, SuccessClosesStore) {
    ASSERT_EQ(create_frame_text("A|B", 3, 5).outcome, CF_FRAME);
    const char zeros[sizeof ft_table().signature] = {};
    EXPECT_EQ(std::memcmp(ft_table().signature, zeros, sizeof zeros), 0);
    EXPECT_EQ(ft_table().grid, nullptr);
}

TEST(CreateFrameStore, FailedRenderLeavesFullTableOpen) {
    ASSERT_EQ(create_frame_text("|\r\n|\r\n|", 1, 1).resultText, "internal error");
    EXPECT_STREQ(ft_table().signature, "zentabrix");
    EXPECT_EQ(ft_table().rows, 3);
}

TEST(CreateFrameLineEnds, EveryLineOfEveryStyleEndsInCrLf) {
    for (int32_t frameType = 1; frameType <= 6; ++frameType) {
        CreateFrameResult result = create_frame_text("a|bb|c\r\nd|e|f\r\ng|h|i", frameType, 1);
        ASSERT_EQ(result.outcome, CF_FRAME);
        size_t lines = 0;
        for (size_t lf = result.resultText.find('\n'); lf != std::string::npos;
             lf = result.resultText.find('\n', lf + 1)) {
            EXPECT_EQ(result.resultText[lf - 1], '\r') << "frame type " << frameType;
            ++lines;
        }
        EXPECT_EQ(lines, 7u);
    }
}

struct AllocationFailureCase {
    const char* name;
    int64_t failingAllocation;
    std::string resultText;
};

void PrintTo(const AllocationFailureCase& testCase, std::ostream* os) {
    *os << testCase.name;
}

class CreateFrameOutOfMemory : public ::testing::TestWithParam<AllocationFailureCase> {
  protected:
    void TearDown() override { ft_fail_allocation_at(0); }
};

// "A|B\r\nC|D" allocates its four cells in order, then the width array.
TEST_P(CreateFrameOutOfMemory, ReportsTheStepThatFailed) {
    ft_fail_allocation_at(GetParam().failingAllocation);
    CreateFrameResult result = create_frame_text("A|B\r\nC|D", 6, 1);
    EXPECT_EQ(result.outcome, CF_MESSAGE);
    EXPECT_EQ(result.resultText, GetParam().resultText);
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateFrameOutOfMemory,
                         ::testing::Values(AllocationFailureCase{"first_cell", 1, illegal(1)},
                                           AllocationFailureCase{"second_row_cell", 3, illegal(2)},
                                           AllocationFailureCase{"width_array", 5,
                                                                 "internal error"}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(CreateFrameStore, NoCellOutlivesASuccessfulRun) {
    create_frame_text("A|B\r\nC", 1, 1);
    ASSERT_EQ(create_frame_text("A|B\r\nC|D", 1, 1).outcome, CF_FRAME);
    EXPECT_EQ(ft_live_allocations(), 0);
}

}  // namespace
