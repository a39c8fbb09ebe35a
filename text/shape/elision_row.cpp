#include "text/shape/elision_row.h"

#include <string_view>
#include <vector>

#include "text/shape/spanning_row.h"

namespace {

std::string grouped(int64_t value) {
    std::string digits = std::to_string(value);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<size_t>(at), 1, ',');
    }
    return digits;
}

}  // namespace

std::string elision_words(int64_t rows, bool earlier, TextEncoding encoding) {
    const std::string ellipsis = encoding == TextEncoding::Cp932 ? "\x81\x63" : "\xE2\x80\xA6";
    const char* noun = rows == 1 ? " row" : " rows";
    return ellipsis + " " + grouped(rows) + (earlier ? " earlier" : " more") + noun;
}

bool span_last_row(std::string& frame, const std::string& words, const ElidedFrame& look) {
    const FrameLines cut = frame_lines(frame);
    const std::vector<std::string_view>& lines = cut.lines;
    const size_t count = lines.size();
    if (count < 3) {
        return false;
    }
    const SpanLook span{look.encoding, look.widthModel};
    const std::string content = spanning_line(
        lines[count - 2], std::string(static_cast<size_t>(look.padding), ' ') + words, span);
    if (content.empty()) {
        return false;
    }
    std::vector<std::string> out(lines.begin(), lines.end());
    out[count - 2] = content;
    out[count - 1] = rule_without_crossings(lines[count - 1], {}, look.encoding);
    if (look.ruleAbove && count >= 4) {
        out[count - 3] = rule_without_crossings(lines[count - 3], lines[count - 1], look.encoding);
    }
    frame = joined_lines(out, cut.end);
    return true;
}
