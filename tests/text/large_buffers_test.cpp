// Growing a string unfilled keeps what it held and gives the length asked,
// inside and past the string's own small buffer.
#include "text/large_buffers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct GrowthCase {
    std::string before;
    size_t length;
};

TEST(GrowUnfilled, KeepsWhatWasThereAndEndsInTheTerminator) {
    const GrowthCase cases[] = {
        {"", 0},   {"", 1},    {"", 15},      {"", 16},
        {"ab", 2}, {"ab", 40}, {"", 1 << 22}, {std::string(100, 'x'), 100000}};
    for (const GrowthCase& growth : cases) {
        std::string text = growth.before;
        char* bytes = grow_unfilled(text, growth.length);
        ASSERT_EQ(bytes, text.data());
        ASSERT_EQ(text.size(), growth.length);
        EXPECT_EQ(text.c_str()[growth.length], '\0');
        EXPECT_EQ(text.compare(0, growth.before.size(), growth.before), 0);
        for (size_t k = growth.before.size(); k < growth.length; ++k) {
            bytes[k] = static_cast<char>('a' + k % 26);
        }
        EXPECT_EQ(text.find('\0'), std::string::npos) << growth.length;
    }
}

}  // namespace
