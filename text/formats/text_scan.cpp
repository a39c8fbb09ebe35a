#include "text/formats/text_scan.h"

#include "text/unicode/display_width.h"

namespace formats {

namespace {

bool is_cp932_lead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

size_t utf8_length(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t want = 1;
    if (lead >= 0xF0 && lead <= 0xF4) {
        want = 4;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        want = 3;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        want = 2;
    }
    size_t length = 1;
    while (length < want && at + length < text.size() &&
           (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

}  // namespace

size_t char_length(std::string_view text, size_t at, TextEncoding encoding) {
    if (encoding == TextEncoding::Cp932) {
        return is_cp932_lead(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
    }
    return utf8_length(text, at);
}

std::vector<LineSpan> split_lines(std::string_view text) {
    std::vector<LineSpan> lines;
    size_t start = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\n' && text[at] != '\r') {
            continue;
        }
        lines.push_back({start, at});
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
            ++at;
        }
        start = at + 1;
    }
    if (start < text.size()) {
        lines.push_back({start, text.size()});
    }
    while (!lines.empty() && lines.back().start == lines.back().end) {
        lines.pop_back();
    }
    return lines;
}

void Locator::advance_to(size_t offset) {
    if (offset < at_) {
        at_ = 0;
        line_ = 1;
        column_ = 1;
    }
    while (at_ < offset && at_ < text_.size()) {
        const char c = text_[at_];
        // CR LF is one line end: the CR counts as a character of its line.
        const bool lineEnd =
            c == '\n' || (c == '\r' && (at_ + 1 == text_.size() || text_[at_ + 1] != '\n'));
        at_ += char_length(text_, at_, encoding_);
        if (lineEnd) {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
    }
}

Refusal Locator::refusal_at(RefusalKind kind, size_t offset) {
    advance_to(offset);
    Refusal refusal;
    refusal.kind = kind;
    refusal.line = line_;
    refusal.column = column_;
    return refusal;
}

void Locator::place(Cell& cell, size_t offset) {
    advance_to(offset);
    cell.line = line_;
    cell.column = column_;
}

int64_t text_columns(std::string_view text, TextEncoding encoding, WidthModel model) {
    if (encoding == TextEncoding::Cp932) {
        return static_cast<int64_t>(text.size());
    }
    return display_width(text, model);
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

size_t bom_length(std::string_view text, TextEncoding encoding) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    return encoding == TextEncoding::Utf8 && text.substr(0, kBom.size()) == kBom ? kBom.size() : 0;
}

}  // namespace formats
