// Unframing then framing again gives the frame drawn directly: the frame of
// type N read back and drawn as type M is the frame of type M, for every
// type, position and width model.
#include <gtest/gtest.h>

#include "table_testing.h"
#include "text/frame_text.h"
#include "text/formats/table_formats.h"

namespace {

FrameOutcome frame_of(const std::string& psv, int32_t type, int32_t position, WidthModel model,
                      TextEncoding encoding) {
    FrameRequest request;
    request.text = psv;
    request.frameType = type;
    request.positionType = position;
    request.widthModel = model;
    request.encoding = encoding;
    return frame_text(request);
}

FrameOutcome reframe(const std::string& frame, int32_t type, int32_t position, WidthModel model,
                     TextEncoding encoding) {
    FrameRequest request;
    request.text = frame;
    request.encoding = encoding;
    request.from = TableFormat::Frame;
    request.frameType = type;
    request.positionType = position;
    request.widthModel = model;
    return frame_text(request);
}

// Readers trim cells, so cells here start and end with text; the first is
// never empty, so the first row always shows where the frame starts.
Texts random_cells(std::mt19937& random, const std::vector<std::string>& pieces) {
    Texts cells = trimmed(random_texts(random, pieces, 5));
    cells[0][0] = "x" + cells[0][0];
    return cells;
}

void expect_reframes(const Texts& cells, TextEncoding encoding, std::mt19937& random) {
    const std::string psv = write_table(table_of(cells, encoding), TableFormat::Psv, {}).text;
    const auto position = static_cast<int32_t>(1 + random() % 17);
    for (WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
        for (int32_t from = 1; from <= 6; ++from) {
            FrameOutcome first = frame_of(psv, from, position, model, encoding);
            ASSERT_TRUE(first.ok()) << psv << describe_refusal(first.refusal);
            const auto to = static_cast<int32_t>(1 + random() % 6);
            FrameOutcome direct = frame_of(psv, to, position, model, encoding);
            FrameOutcome again = reframe(first.text, to, position, model, encoding);
            ASSERT_TRUE(again.ok()) << first.text << describe_refusal(again.refusal);
            ASSERT_EQ(again.text, direct.text)
                << "type " << from << " to " << to << ", position " << position << ", "
                << (model == WidthModel::Wide ? "wide" : "narrow") << "\n"
                << first.text;
        }
    }
}

TEST(Reframe, Utf8FramesOfEveryTypePositionAndModel) {
    std::mt19937 random(1606);
    const std::vector<std::string> pieces = {"a", "Z", "7",       " ", "日", "α", "│", "+",
                                             "-", "─", "e\u0301", "😀", "ｱ",  ",", "\""};
    for (int round = 0; round < 700; ++round) {
        expect_reframes(random_cells(random, pieces), TextEncoding::Utf8, random);
    }
}

TEST(Reframe, Cp932Frames) {
    std::mt19937 random(932);
    // 日, 僴 and 表 (second bytes '|' and '\'), ｱ, │, and ASCII.
    const std::vector<std::string> pieces = {"a",        " ",    "\x93\xFA", "\xFA\x7C",
                                             "\x95\x5C", "\xB1", "\x84\xA0", "-"};
    for (int round = 0; round < 300; ++round) {
        expect_reframes(random_cells(random, pieces), TextEncoding::Cp932, random);
    }
}

}  // namespace
