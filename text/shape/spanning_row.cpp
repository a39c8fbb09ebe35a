#include "text/shape/spanning_row.h"

#include "text/cell_width.h"

namespace {
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
}  // namespace

FrameLines frame_lines(std::string_view frame) {
    FrameLines cut;
    const bool crlf = frame.size() >= 2 && frame[frame.size() - 2] == '\r';
    cut.end = crlf ? "\r\n" : "\n";
    for (size_t at = 0; at < frame.size();) {
        const size_t next = frame.find(cut.end, at);
        const size_t stop = next == std::string_view::npos ? frame.size() : next;
        cut.lines.push_back(frame.substr(at, stop - at));
        at = stop + cut.end.size();
    }
    return cut;
}

std::string joined_lines(const std::vector<std::string>& lines, std::string_view end) {
    size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + end.size();
    }
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text.append(line).append(end);
    }
    return text;
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

std::string joined(const std::vector<std::string_view>& chars) {
    std::string line;
    for (std::string_view c : chars) {
        line.append(c);
    }
    return line;
}

int32_t columns_of(std::string_view text, const SpanLook& look) {
    const auto length = static_cast<int32_t>(text.size());
    return look.encoding == TextEncoding::Cp932
               ? length
               : measure_utf8_cell(text.data(), length, look.widthModel);
}

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

std::string spanning_line(std::string_view contentLine, std::string_view text,
                          const SpanLook& look) {
    const std::vector<std::string_view> chars = chars_of(contentLine, look.encoding);
    if (chars.size() < 2) {
        return {};
    }
    std::string spanning(chars.front());
    spanning.append(text);
    const int32_t blanks =
        columns_of(contentLine, look) - columns_of(spanning, look) - columns_of(chars.back(), look);
    if (blanks < 0) {
        return {};
    }
    spanning.append(static_cast<size_t>(blanks), ' ');
    spanning.append(chars.back());
    return spanning;
}
