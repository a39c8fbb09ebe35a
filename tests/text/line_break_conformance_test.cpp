// Line-break opportunities against the line-break test file of the installed
// database. The file follows the default rules, as ours do, strict Japanese
// included (CJ as NS), and the number tailoring we follow. Its cases of a
// nonstarter after a space are left out: there the file breaks, and our strict
// rules do not.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "random_text.h"
#include "text/unicode/line_break.h"
#include "text/unicode/line_break_class.h"

namespace {

const char* const kBreakTestFile = "/usr/share/unicode/auxiliary/LineBreakTest.txt";

struct BreakCase {
    std::string text;
    std::vector<size_t> breaks;  // offsets of ÷, the end included
};

// "× 0023 × 0020 ÷ 0023 ÷": code points between marks, no break or break.
BreakCase parse(const std::string& line) {
    BreakCase parsed;
    std::istringstream fields(line);
    std::string field;
    while (fields >> field) {
        if (field == "\xC3\xB7") {
            if (!parsed.text.empty()) {
                parsed.breaks.push_back(parsed.text.size());
            }
        } else if (field != "\xC3\x97") {
            append_utf8(parsed.text, static_cast<uint32_t>(std::stoul(field, nullptr, 16)));
        }
    }
    return parsed;
}

bool breaks_before_nonstarter_after_space(const BreakCase& parsed) {
    const std::vector<uint32_t> codePoints = decode_all(parsed.text);
    size_t offset = 0;
    for (size_t k = 0; k + 1 < codePoints.size(); ++k) {
        std::string one;
        append_utf8(one, codePoints[k]);
        offset += one.size();
        const LineBreakClass next = line_break_class(codePoints[k + 1]);
        if (line_break_class(codePoints[k]) == LineBreakClass::SP &&
            (next == LineBreakClass::NS || next == LineBreakClass::CJ) &&
            std::find(parsed.breaks.begin(), parsed.breaks.end(), offset) != parsed.breaks.end()) {
            return true;
        }
    }
    return false;
}

TEST(LineBreakTestFile, EveryOpportunityMatches) {
    std::ifstream file(kBreakTestFile);
    if (!file) {
        GTEST_SKIP() << kBreakTestFile << " is missing (package unicode-data)";
    }
    int checked = 0;
    int failed = 0;
    int skipped = 0;
    std::string line;
    while (std::getline(file, line)) {
        const std::string cases = line.substr(0, line.find('#'));
        if (cases.empty()) {
            continue;
        }
        const BreakCase expected = parse(cases);
        if (breaks_before_nonstarter_after_space(expected)) {
            ++skipped;
            continue;
        }
        const std::vector<size_t> found = line_break_opportunities(expected.text);
        if (found != expected.breaks && ++failed <= 20) {
            ADD_FAILURE() << line;
        }
        ++checked;
    }
    EXPECT_EQ(failed, 0);
    EXPECT_GT(checked, 7000);
    EXPECT_LT(skipped, 200);
}

}  // namespace
