// Cluster boundaries of random text against libutf8proc's.
#include <gtest/gtest.h>
#include <utf8proc.h>

#include <sstream>
#include <string>
#include <vector>

#include "random_text.h"
#include "text/unicode/display_width.h"
#include "text/unicode/unicode_version.h"

namespace {

std::vector<size_t> utf8proc_boundaries(const std::string& text) {
    std::vector<uint32_t> cps = decode_all(text);
    std::vector<size_t> ends;
    std::string prefix;
    utf8proc_int32_t state = 0;
    for (size_t i = 0; i < cps.size(); ++i) {
        if (i > 0 &&
            utf8proc_grapheme_break_stateful(static_cast<utf8proc_int32_t>(cps[i - 1]),
                                             static_cast<utf8proc_int32_t>(cps[i]), &state)) {
            ends.push_back(prefix.size());
        }
        append_utf8(prefix, cps[i]);
    }
    if (!prefix.empty()) {
        ends.push_back(prefix.size());
    }
    return ends;
}

// utf8proc gives unassigned code points no properties, where the database gives
// some of them Control or Extended_Pictographic.
bool assigned(uint32_t cp) {
    return utf8proc_category(static_cast<utf8proc_int32_t>(cp)) != UTF8PROC_CATEGORY_CN;
}

TEST(GraphemeBoundaries, MatchLibutf8procOnRandomText) {
    ASSERT_EQ(std::string(utf8proc_unicode_version()), kUnicodeVersion);
    RandomText random(7, true, assigned);
    for (int round = 0; round < 30000; ++round) {
        std::string text = random.next(12);
        std::vector<size_t> ends;
        for (size_t at = 0; at < text.size();) {
            at = next_grapheme(text, at, WidthModel::Narrow).end;
            ends.push_back(at);
        }
        std::ostringstream cps;
        for (uint32_t cp : decode_all(text)) {
            cps << std::hex << cp << ' ';
        }
        ASSERT_EQ(ends, utf8proc_boundaries(text)) << cps.str();
    }
}

}  // namespace
