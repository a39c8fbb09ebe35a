#include "markdown_reference.h"

#include <algorithm>

#include "core/text_rules.h"

namespace {

struct Span {
    size_t start = 0;
    size_t end = 0;
};

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

Span trimmed(std::string_view text, Span span) {
    while (span.start < span.end && is_blank(text[span.start])) {
        ++span.start;
    }
    while (span.end > span.start && is_blank(text[span.end - 1])) {
        --span.end;
    }
    return span;
}

// The lines, LF, CR LF or CR ending each, without the empty ones at the end.
std::vector<Span> lines_of(std::string_view text) {
    std::vector<Span> lines;
    size_t start = 0;
    for (size_t at = 0; at <= text.size(); ++at) {
        if (at == text.size() || text[at] == '\n' || text[at] == '\r') {
            lines.push_back({start, at});
            if (at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n') {
                ++at;
            }
            start = at + 1;
        }
    }
    while (!lines.empty() && lines.back().start == lines.back().end) {
        lines.pop_back();
    }
    return lines;
}

bool is_blank_line(std::string_view text, Span line) {
    const Span t = trimmed(text, line);
    return t.start == t.end;
}

// The cells' spans: the line trimmed, split at every '|' that starts a
// character and follows no '\', the first '|' and a last one no separators.
std::vector<Span> cells_of(std::string_view text, Span line, bool cp932, bool& piped) {
    const Span row = trimmed(text, line);
    std::vector<size_t> separators;
    for (size_t at = row.start; at < row.end; at += text_rules::char_length(text, at, cp932)) {
        if (text[at] == '\\' && at + 1 < row.end && text[at + 1] == '|') {
            piped = true;
            ++at;
        } else if (text[at] == '|') {
            piped = true;
            separators.push_back(at);
        }
    }
    std::vector<Span> cells;
    size_t from = row.start;
    for (size_t separator : separators) {
        if (separator != row.start) {
            cells.push_back(trimmed(text, {from, separator}));
        }
        from = separator + 1;
    }
    if (separators.empty() || separators.back() + 1 != row.end) {
        cells.push_back(trimmed(text, {from, row.end}));
    }
    return cells;
}

bool is_delimiter(std::string_view cell) {
    if (!cell.empty() && cell.front() == ':') {
        cell.remove_prefix(1);
    }
    if (!cell.empty() && cell.back() == ':') {
        cell.remove_suffix(1);
    }
    return !cell.empty() && std::all_of(cell.begin(), cell.end(), [](char c) { return c == '-'; });
}

size_t tag_length(std::string_view text) {
    for (std::string_view tag : {"<br>", "<br/>", "<br />"}) {
        if (text.size() >= tag.size() &&
            std::equal(tag.begin(), tag.end(), text.begin(),
                       [](char t, char c) { return t == (c >= 'A' && c <= 'Z' ? c + 32 : c); })) {
            return tag.size();
        }
    }
    return 0;
}

std::string cell_text(std::string_view text, Span cell, bool cp932) {
    std::string out;
    for (size_t at = cell.start; at < cell.end;) {
        if (text[at] == '\\' && at + 1 < cell.end && text[at + 1] == '|') {
            out += '|';
            at += 2;
        } else if (text[at] == '<' && tag_length(text.substr(at, cell.end - at)) > 0) {
            out += '\n';
            at += tag_length(text.substr(at, cell.end - at));
        } else {
            const size_t length = std::min(text_rules::char_length(text, at, cp932), cell.end - at);
            out.append(text.substr(at, length));
            at += length;
        }
    }
    return out;
}

}  // namespace

MarkdownReferenceRead reference_markdown(std::string_view text, TextEncoding encoding) {
    const bool cp932 = encoding == TextEncoding::Cp932;
    MarkdownReferenceRead read;
    const std::vector<Span> lines = lines_of(text);
    size_t first = 0;
    while (first < lines.size() && is_blank_line(text, lines[first])) {
        ++first;
    }
    if (first == lines.size()) {
        read.refusal = refusal_of(RefusalKind::NoCells);
        return read;
    }
    size_t header = first;
    for (; header + 1 < lines.size(); ++header) {
        bool piped = false;
        const std::vector<Span> delimiters = cells_of(text, lines[header + 1], cp932, piped);
        bool unused = false;
        const bool allDelimiters =
            std::all_of(delimiters.begin(), delimiters.end(), [&](Span cell) {
                return is_delimiter(text.substr(cell.start, cell.end - cell.start));
            });
        if (!is_blank_line(text, lines[header]) && piped && allDelimiters &&
            delimiters.size() == cells_of(text, lines[header], cp932, unused).size()) {
            break;
        }
    }
    if (header + 1 >= lines.size()) {
        read.refusal = refusal_of(RefusalKind::NoDelimiterRow);
        read.refusal.line = static_cast<int64_t>(first) + 2;
        read.refusal.column = 1;
        return read;
    }
    for (size_t r = header; r < lines.size() && !is_blank_line(text, lines[r]); ++r) {
        if (r == header + 1) {
            continue;
        }
        bool piped = false;
        std::vector<MarkdownReferenceCell>& row = read.rows.emplace_back();
        for (Span cell : cells_of(text, lines[r], cp932, piped)) {
            const text_rules::TextPlace place = text_rules::place_of(text, cell.start, cp932);
            row.push_back({cell_text(text, cell, cp932), place.line, place.column});
        }
    }
    return read;
}
