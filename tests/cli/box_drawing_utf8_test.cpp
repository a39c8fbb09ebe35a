#include "cli/box_drawing_utf8.h"

#include <gtest/gtest.h>

#include "cli/text_encoding.h"

namespace {

// The table that spares iconv must agree with iconv's own CP932 mapping.
TEST(BoxDrawingUtf8, AgreesWithIconvForTheWholeRow) {
    for (int trail = 0x9F; trail <= 0xBE; ++trail) {
        std::string cp932 = {'\x84', static_cast<char>(trail), '|', '\n'};
        std::string direct;
        ASSERT_TRUE(box_drawing_to_utf8(cp932, direct)) << trail;
        EXPECT_EQ(direct, cp932_to_utf8(cp932).text) << trail;
    }
}

TEST(BoxDrawingUtf8, LeavesOtherTextToIconv) {
    std::string ignored;
    for (std::string text : {"\x84\x9E", "\x84\xBF", "\x82\xA0", "\x84", "\xA1"}) {
        EXPECT_FALSE(box_drawing_to_utf8(text, ignored)) << ::testing::PrintToString(text);
    }
}

}  // namespace
