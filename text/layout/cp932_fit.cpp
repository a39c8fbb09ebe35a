#include "text/layout/cp932_fit.h"

#include <algorithm>

#include "core/text_rules.h"

namespace {

int32_t char_at(std::string_view text, size_t at) {
    return static_cast<int32_t>(text_rules::char_length(text, at, true));
}

FittedLine truncated(std::string_view text, size_t start, int32_t width) {
    const auto ellipsis = static_cast<int32_t>(kCp932Ellipsis.size());
    size_t end = start;
    while (end < text.size() &&
           static_cast<int32_t>(end - start) + char_at(text, end) + ellipsis <= width) {
        end += static_cast<size_t>(char_at(text, end));
    }
    const auto length = static_cast<int32_t>(end - start);
    return {static_cast<int32_t>(start), length, length + ellipsis, true};
}

}  // namespace

void fit_cp932_line(std::string_view text, int32_t width, Overflow overflow,
                    std::vector<FittedLine>& lines) {
    lines.clear();
    if (static_cast<int64_t>(text.size()) <= width) {
        lines.push_back(
            {0, static_cast<int32_t>(text.size()), static_cast<int32_t>(text.size()), false});
        return;
    }
    if (overflow == Overflow::Truncate) {
        lines.push_back(truncated(text, 0, width));
        return;
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t at = start;
        size_t afterSpace = 0;  // where the line may break, after a space
        while (at < text.size() && static_cast<int32_t>(at - start) + char_at(text, at) <= width) {
            at += static_cast<size_t>(char_at(text, at));
            if (text[at - 1] == ' ') {  // no trail byte is a space
                afterSpace = at;
            }
        }
        if (at == start) {
            at += static_cast<size_t>(char_at(text, at));  // narrower than a character
        }
        const size_t end = at == text.size() || afterSpace <= start ? at : afterSpace;
        size_t kept = end;
        while (kept > start && text[kept - 1] == ' ' && end != text.size()) {
            --kept;
        }
        lines.push_back({static_cast<int32_t>(start), static_cast<int32_t>(kept - start),
                         static_cast<int32_t>(kept - start), false});
        start = end;
        while (start < text.size() && text[start] == ' ' && end == afterSpace) {
            ++start;
        }
    }
}

int32_t widest_cp932_char(std::string_view text) {
    int32_t widest = 0;
    for (size_t at = 0; at < text.size(); at += text_rules::char_length(text, at, true)) {
        widest = std::max(widest, char_at(text, at));
        if (widest == 2) {
            break;
        }
    }
    return widest;
}
