// For text that code page 932 holds, the wide model is the desktop's frame:
// the same bytes once decoded, by the same core, counted in columns instead of
// bytes.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "command/create_frame.h"
#include "glibc_convert.h"
#include "text/frame_text.h"

namespace {

// Double-byte characters of the rows people type: symbols, digits and
// letters, kana, Greek, Cyrillic, box drawing, NEC specials, kanji, IBM
// extensions; and ASCII and half-width kana.
std::string random_cp932_character(std::mt19937& rng) {
    static const int kLeads[] = {0x81, 0x82, 0x83, 0x84, 0x87, 0x88, 0x89, 0x93,
                                 0x9F, 0xE0, 0xE9, 0xEA, 0xFA, 0xFB, 0xFC};
    const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
    if (kind < 3) {
        char c = static_cast<char>(std::uniform_int_distribution<int>(0x20, 0x7E)(rng));
        return std::string(1, c == '|' ? '!' : c);
    }
    if (kind == 3) {
        return std::string(1,
                           static_cast<char>(std::uniform_int_distribution<int>(0xA1, 0xDF)(rng)));
    }
    const int lead = kLeads[std::uniform_int_distribution<size_t>(0, std::size(kLeads) - 1)(rng)];
    int second = std::uniform_int_distribution<int>(0x40, 0xFC)(rng);
    if (second == 0x7F) {
        second = 0x80;
    }
    return {static_cast<char>(lead), static_cast<char>(second)};
}

TEST(WideModelProperty, EqualsTheDesktopFrameDecoded) {
    std::mt19937 rng(932);
    int compared = 0;
    for (int round = 0; round < 20000 && compared < 1500; ++round) {
        std::string table;
        const int rows = std::uniform_int_distribution<int>(1, 4)(rng);
        const int columns = std::uniform_int_distribution<int>(1, 4)(rng);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                table += "|";
                for (int n = std::uniform_int_distribution<int>(0, 5)(rng); n > 0; --n) {
                    table += random_cp932_character(rng);
                }
            }
            table += "|\r\n";
        }
        bool decodes = false;
        const std::string utf8 = glibc_convert("UTF-8", "CP932", table, decodes);
        if (!decodes) {
            continue;  // a code the table leaves unassigned
        }
        const auto frameType = std::uniform_int_distribution<int32_t>(1, 6)(rng);
        const auto positionType = std::uniform_int_distribution<int32_t>(1, 17)(rng);
        const CreateFrameResult desktop = create_frame_text(table, frameType, positionType);
        ASSERT_EQ(desktop.outcome, CF_FRAME);
        bool ok = false;
        const std::string expected = glibc_convert("UTF-8", "CP932", desktop.resultText, ok);
        ASSERT_TRUE(ok);

        FrameRequest request;
        request.text = utf8;
        request.frameType = frameType;
        request.positionType = positionType;
        request.widthModel = WidthModel::Wide;
        request.lineEnd = LineEnd::CrLf;
        const FrameOutcome outcome = frame_text(request);
        ASSERT_TRUE(outcome.ok()) << describe_refusal(outcome.refusal);
        EXPECT_EQ(outcome.text, expected) << utf8;
        ++compared;
    }
    EXPECT_EQ(compared, 1500);
}

// A table of random code page 932 cells split by '|' or TAB, its lines ended
// as a spreadsheet or an editor might.
std::string random_separated_table(std::mt19937& rng) {
    static const char* const kLineEnds[] = {"\n", "\r\n", "\r"};
    std::string table;
    const int rows = std::uniform_int_distribution<int>(1, 4)(rng);
    const int columns = std::uniform_int_distribution<int>(1, 4)(rng);
    const char* lineEnd = kLineEnds[std::uniform_int_distribution<int>(0, 2)(rng)];
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0) {
                table += std::uniform_int_distribution<int>(0, 1)(rng) == 0 ? '|' : '\t';
            }
            for (int n = std::uniform_int_distribution<int>(1, 4)(rng); n > 0; --n) {
                table += random_cp932_character(rng);
            }
        }
        table += lineEnd;
    }
    return table;
}

// The code page 932 path and the UTF-8 path read the same table: same cells,
// same frame, only the encoding differs.
TEST(WideModelProperty, Cp932InputFramesAsItsUtf8Text) {
    std::mt19937 rng(9320);
    int compared = 0;
    for (int round = 0; round < 20000 && compared < 1500; ++round) {
        const std::string table = random_separated_table(rng);
        bool decodes = false;
        const std::string utf8 = glibc_convert("UTF-8", "CP932", table, decodes);
        if (!decodes) {
            continue;
        }
        FrameRequest request;
        request.frameType = std::uniform_int_distribution<int32_t>(1, 6)(rng);
        request.positionType = std::uniform_int_distribution<int32_t>(1, 17)(rng);
        request.text = table;
        request.encoding = TextEncoding::Cp932;
        const FrameOutcome cp932 = frame_text(request);
        request.text = utf8;
        request.encoding = TextEncoding::Utf8;
        request.widthModel = WidthModel::Wide;
        const FrameOutcome wide = frame_text(request);
        ASSERT_EQ(cp932.ok(), wide.ok()) << utf8;
        bool ok = false;
        EXPECT_EQ(glibc_convert("UTF-8", "CP932", cp932.text, ok), wide.text) << utf8;
        ++compared;
    }
    EXPECT_EQ(compared, 1500);
}

}  // namespace
