// Cluster boundaries against the break test file of the installed database.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "random_text.h"
#include "text/unicode/display_width.h"

namespace {

const char* const kBreakTestFile = "/usr/share/unicode/auxiliary/GraphemeBreakTest.txt";

TEST(GraphemeBreakTestFile, EveryBoundaryMatches) {
    std::ifstream file(kBreakTestFile);
    if (!file) {
        GTEST_SKIP() << kBreakTestFile << " is missing (package unicode-data)";
    }
    int lines = 0;
    std::string line;
    while (std::getline(file, line)) {
        line = line.substr(0, line.find('#'));
        if (line.empty()) {
            continue;
        }
        // "÷ 0020 × 0308 ÷": a code point between two marks, break or no break.
        std::istringstream fields(line);
        std::string text;
        std::vector<size_t> expected;
        std::string field;
        while (fields >> field) {
            if (field == "\xC3\xB7") {
                if (!text.empty()) {
                    expected.push_back(text.size());
                }
            } else if (field != "\xC3\x97") {
                append_utf8(text, static_cast<uint32_t>(std::stoul(field, nullptr, 16)));
            }
        }
        std::vector<size_t> found;
        for (size_t at = 0; at < text.size();) {
            at = next_grapheme(text, at, WidthModel::Narrow).end;
            found.push_back(at);
        }
        EXPECT_EQ(found, expected) << line;
        ++lines;
    }
    EXPECT_GT(lines, 600);
}

}  // namespace
