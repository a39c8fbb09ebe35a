#include "cli/lsp/position_encoding.h"

#include <algorithm>

#include "core/text_rules.h"

namespace lsp {

namespace {

// Code units the character at text[at] counts, and its bytes.
struct Step {
    size_t bytes;
    int64_t units;
};

Step step_at(std::string_view text, size_t at, PositionEncoding encoding) {
    const size_t bytes = text_rules::char_length(text, at, false);
    switch (encoding) {
        case PositionEncoding::Utf8:
            return {bytes, static_cast<int64_t>(bytes)};
        case PositionEncoding::Utf16:
            return {bytes, bytes == 4 ? 2 : 1};
        case PositionEncoding::Utf32:
            return {bytes, 1};
    }
    return {bytes, 1};
}

}  // namespace

LineIndex::LineIndex(std::string_view text) {
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\n') {
            starts_.push_back(at + 1);
        } else if (text[at] == '\r') {
            if (at + 1 < text.size() && text[at + 1] == '\n') {
                ++at;
            }
            starts_.push_back(at + 1);
        }
    }
}

size_t LineIndex::line_end(std::string_view text, size_t line) const {
    size_t end = line + 1 < starts_.size() ? starts_[line + 1] : text.size();
    if (end > starts_[line] && text[end - 1] == '\n') {
        --end;
    }
    if (end > starts_[line] && text[end - 1] == '\r' && line + 1 < starts_.size()) {
        --end;
    }
    return end;
}

size_t LineIndex::line_of(size_t offset) const {
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
    return static_cast<size_t>(after - starts_.begin()) - 1;
}

size_t LineIndex::offset_of(std::string_view text, Position position,
                            PositionEncoding encoding) const {
    if (position.line < 0) {
        return 0;
    }
    if (static_cast<uint64_t>(position.line) >= starts_.size()) {
        return text.size();
    }
    const auto line = static_cast<size_t>(position.line);
    const size_t end = line_end(text, line);
    size_t at = starts_[line];
    int64_t counted = 0;
    while (at < end) {
        const Step step = step_at(text, at, encoding);
        if (counted + step.units > position.character) {
            break;
        }
        counted += step.units;
        at += step.bytes;
    }
    return std::min(at, end);
}

Position LineIndex::position_of(std::string_view text, size_t offset,
                                PositionEncoding encoding) const {
    offset = std::min(offset, text.size());
    const size_t line = line_of(offset);
    Position position{static_cast<int64_t>(line), 0};
    if (encoding == PositionEncoding::Utf8) {
        position.character = static_cast<int64_t>(offset - starts_[line]);
        return position;
    }
    for (size_t at = starts_[line]; at < offset;) {
        const Step step = step_at(text, at, encoding);
        position.character += step.units;
        at += step.bytes;
    }
    return position;
}

}  // namespace lsp
