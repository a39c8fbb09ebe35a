#include "text/formats/text_scan.h"

#include "text/unicode/display_width.h"

namespace formats {

std::vector<LineSpan> split_lines(std::string_view text) {
    const std::string_view kept = text_rules::without_trailing_line_ends(text);
    std::vector<LineSpan> lines;
    for (size_t at = 0; at < kept.size();) {
        lines.push_back(text_rules::line_at(kept, at));
        at = lines.back().next;
    }
    return lines;
}

Refusal refusal_at(std::string_view text, TextEncoding encoding, RefusalKind kind, size_t offset) {
    const text_rules::TextPlace place = text_rules::place_of(text, offset, is_cp932(encoding));
    Refusal refusal;
    refusal.kind = kind;
    refusal.line = place.line;
    refusal.column = place.column;
    return refusal;
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

}  // namespace formats
