#include "text/shape/elision_row.h"

#include <string_view>
#include <vector>

#include "text/cell_width.h"

namespace {

std::string grouped(int64_t value) {
    std::string digits = std::to_string(value);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<size_t>(at), 1, ',');
    }
    return digits;
}

size_t char_length(std::string_view text, size_t at, TextEncoding encoding) {
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = 1;
    if (encoding == TextEncoding::Cp932) {
        length = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
    } else if (lead >= 0xF0) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC0) {
        length = 2;
    }
    return at + length <= text.size() ? length : text.size() - at;
}

std::vector<std::string_view> chars_of(std::string_view line, TextEncoding encoding) {
    std::vector<std::string_view> chars;
    for (size_t at = 0; at < line.size();) {
        const size_t length = char_length(line, at, encoding);
        chars.push_back(line.substr(at, length));
        at += length;
    }
    return chars;
}

int32_t width_of(std::string_view text, const ElidedFrame& look) {
    const auto length = static_cast<int32_t>(text.size());
    return look.encoding == TextEncoding::Cp932
               ? length
               : measure_utf8_cell(text.data(), length, look.widthModel);
}

std::string joined(const std::vector<std::string_view>& chars) {
    std::string line;
    for (std::string_view c : chars) {
        line.append(c);
    }
    return line;
}

// A rule's crossings made the tees of below, or (below empty) its fill.
std::string rule_without_crossings(std::string_view rule, std::string_view below,
                                   TextEncoding encoding) {
    std::vector<std::string_view> chars = chars_of(rule, encoding);
    const std::vector<std::string_view> tees = chars_of(below, encoding);
    for (size_t i = 1; i + 1 < chars.size(); ++i) {
        if (chars[i] != chars[1]) {
            chars[i] = i < tees.size() && !below.empty() ? tees[i] : chars[1];
        }
    }
    return joined(chars);
}

// The content line as its left border, the padding, the words and blanks to
// the right border; empty when the words do not fit.
std::string spanning_line(std::string_view line, const std::string& words,
                          const ElidedFrame& look) {
    const std::vector<std::string_view> chars = chars_of(line, look.encoding);
    if (chars.size() < 2) {
        return {};
    }
    std::string spanning(chars.front());
    spanning.append(static_cast<size_t>(look.padding), ' ').append(words);
    const int32_t blanks =
        width_of(line, look) - width_of(spanning, look) - width_of(chars.back(), look);
    if (blanks < 0) {
        return {};
    }
    spanning.append(static_cast<size_t>(blanks), ' ');
    spanning.append(chars.back());
    return spanning;
}

}  // namespace

std::string elision_words(int64_t rows, bool earlier, TextEncoding encoding) {
    const std::string ellipsis = encoding == TextEncoding::Cp932 ? "\x81\x63" : "\xE2\x80\xA6";
    const char* noun = rows == 1 ? " row" : " rows";
    return ellipsis + " " + grouped(rows) + (earlier ? " earlier" : " more") + noun;
}

bool span_last_row(std::string& frame, const std::string& words, const ElidedFrame& look) {
    const bool crlf = frame.size() >= 2 && frame[frame.size() - 2] == '\r';
    const std::string_view end = crlf ? "\r\n" : "\n";
    std::vector<std::string_view> lines;
    for (size_t at = 0; at < frame.size();) {
        const size_t next = frame.find(end, at);
        const size_t stop = next == std::string::npos ? frame.size() : next;
        lines.push_back(std::string_view(frame).substr(at, stop - at));
        at = stop + end.size();
    }
    const size_t count = lines.size();
    if (count < 3) {
        return false;
    }
    const std::string content = spanning_line(lines[count - 2], words, look);
    if (content.empty()) {
        return false;
    }
    std::vector<std::string> out(lines.begin(), lines.end());
    out[count - 2] = content;
    out[count - 1] = rule_without_crossings(lines[count - 1], {}, look.encoding);
    if (look.ruleAbove && count >= 4) {
        out[count - 3] = rule_without_crossings(lines[count - 3], lines[count - 1], look.encoding);
    }
    std::string spanned;
    spanned.reserve(frame.size());
    for (const std::string& line : out) {
        spanned.append(line).append(end);
    }
    frame = std::move(spanned);
    return true;
}
