// Frames in plain text and in source comments: every line of a frame stands
// behind the same prefix (blanks, and a comment marker such as // # -- ; *
// or >), which is kept; what follows it is read as a frame and drawn again.
#include <algorithm>

#include "core/text_rules.h"
#include "text/documents/directive.h"
#include "text/documents/document_kinds.h"
#include "text/documents/frame_grid.h"
#include "text/documents/frame_redraw.h"
#include "text/documents/table_edits.h"
#include "text/formats/formats_internal.h"

namespace documents {

namespace {

struct PrefixedLine {
    std::string_view prefix;  // blanks, a marker and blanks
    std::string_view marker;  // the marker alone; empty in plain text
    TableLine own;            // after the prefix, trailing blanks left out
};

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

// Markers of line comments, block comments' continuation lines and quotes;
// / and - mark only when doubled, as in // and --.
size_t marker_length(std::string_view rest) {
    constexpr std::string_view kMarks = "/#;*>-";
    if (rest.empty() || kMarks.find(rest.front()) == std::string_view::npos) {
        return 0;
    }
    size_t length = 1;
    while (length < rest.size() && rest[length] == rest.front()) {
        ++length;
    }
    const bool doubled = rest.front() != '/' && rest.front() != '-';
    return doubled || length >= 2 ? length : 0;
}

PrefixedLine prefixed(std::string_view text, const text_rules::Line& line) {
    size_t at = line.start;
    while (at < line.end && is_blank(text[at])) {
        ++at;
    }
    const size_t markerStart = at;
    at += marker_length(text.substr(at, line.end - at));
    const size_t markerEnd = at;
    while (at < line.end && is_blank(text[at])) {
        ++at;
    }
    size_t end = line.end;
    while (end > at && is_blank(text[end - 1])) {
        --end;
    }
    PrefixedLine out;
    out.prefix = text.substr(line.start, at - line.start);
    out.marker = text.substr(markerStart, markerEnd - markerStart);
    out.own = {at, end};
    return out;
}

std::string_view own_text(std::string_view text, const TableLine& line) {
    return text.substr(line.start, line.end - line.start);
}

// The reader's refusal, placed in the document: its line is the frame's,
// its column counts characters of the frame's own text.
Refusal placed(std::string_view text, const std::vector<TableLine>& lines, Refusal refusal) {
    size_t offset = lines.back().end;
    if (refusal.line >= 1 && static_cast<size_t>(refusal.line) <= lines.size()) {
        const TableLine& line = lines[static_cast<size_t>(refusal.line - 1)];
        offset = line.start;
        for (int64_t column = 1; column < refusal.column && offset < line.end; ++column) {
            offset += text_rules::char_length(text, offset, false);
        }
    }
    const Refusal place = refusal_at_offset(text, refusal.kind, offset);
    refusal.line = place.line;
    refusal.column = place.column;
    return refusal;
}

// Lines as one text, LF after each, and where each line's own text lies.
std::string joined(const std::vector<std::string>& drawn, std::vector<TableLine>& spans) {
    std::string text;
    spans.clear();
    for (const std::string& line : drawn) {
        spans.push_back({text.size(), text.size() + line.size()});
        text += line;
        text += '\n';
    }
    return text;
}

// What is drawn must read back as a frame, and come out of a second
// drawing as it went in.
bool stays_drawn(const std::vector<std::string>& drawn, WidthModel model) {
    std::vector<TableLine> spans;
    const std::string text = joined(drawn, spans);
    if (!formats::read_frame(text, TextEncoding::Utf8, model).ok()) {
        return false;
    }
    FrameGrid grid;
    std::vector<std::string> again;
    return grid_of(text, spans, grid) && redraw_frame(grid, model, again) && again == drawn;
}

struct FoundFrame {
    int64_t line = 0;
    std::vector<TableLine> lines;
};

// Empty when the lines hold no frame after all.
std::vector<DocumentTable> planned(std::string_view text, const FoundFrame& found,
                                   const TableStyle& style) {
    DocumentTable table;
    table.line = found.line;
    table.lines = found.lines;
    table.refusal = unmeasurable_text(text, table.lines);
    if (table.refusal.kind != RefusalKind::None) {
        return {table};
    }
    const std::string source = table_source(text, table);
    const TableRead read = formats::read_frame(source, TextEncoding::Utf8, style.widthModel);
    if (read.refusal.kind == RefusalKind::NoFrameFound) {
        return {};
    }
    const Refusal unread = read.ok() ? Refusal{} : placed(text, table.lines, read.refusal);
    FrameGrid grid;
    std::vector<std::string> drawn;
    if (!grid_of(text, table.lines, grid)) {
        table.refusal = unread;
        return {table};
    }
    const WidthModel model = lined_up_model(grid, style.widthModel);
    if (!redraw_frame(grid, model, drawn) || !stays_drawn(drawn, model)) {
        table.refusal = unread;  // a style it cannot draw again is left as it is
        return {table};
    }
    table.edits = line_edits(text, table.lines, drawn);
    return {table};
}

class TextWalk {
  public:
    TextWalk(std::string_view text, const TableStyle& style) : text_(text), style_(style) {
        for (size_t at = 0; at < text.size();) {
            const text_rules::Line line = text_rules::line_at(text, at);
            lines_.push_back(prefixed(text, line));
            at = line.next;
        }
    }

    std::vector<DocumentTable> tables() {
        std::vector<DocumentTable> found;
        for (size_t i = 0; i < lines_.size();) {
            const std::string_view own = own_text(text_, lines_[i].own);
            const Directive directive = directive_in(own);
            if (directive != Directive::None) {
                follow(directive, i);
                ++i;
                continue;
            }
            if (off_ || !opens_frame_rule(own)) {
                ++i;
                continue;
            }
            const size_t end = frame_end(i);
            if (!ignored(i)) {
                FoundFrame frame{static_cast<int64_t>(i) + 1, {}};
                for (size_t k = i; k < end; ++k) {
                    frame.lines.push_back(lines_[k].own);
                }
                for (DocumentTable& table : planned(text_, frame, style_)) {
                    found.push_back(std::move(table));
                }
            }
            i = end;
        }
        return found;
    }

  private:
    void follow(Directive directive, size_t line) {
        if (follow_directive(directive, off_, style_.widthModel)) {
            ignoreLine_ = line;
        }
    }

    // A directive to ignore stands on the line before, after the same marker.
    bool ignored(size_t top) const {
        return top > 0 && ignoreLine_ == top - 1 && lines_[top - 1].marker == lines_[top].marker;
    }

    // One past the frame's last line: it goes on while the lines behind
    // the same prefix are rules or start with a border, and stops after a
    // rule that only closes a frame.
    size_t frame_end(size_t top) const {
        size_t at = top + 1;
        for (; at < lines_.size() && lines_[at].prefix == lines_[top].prefix; ++at) {
            const std::string_view own = own_text(text_, lines_[at].own);
            if (is_frame_rule(own)) {
                if (closes_frame_rule(own) && own.front() != '+') {
                    return at + 1;
                }
            } else if (!starts_with_border(own)) {
                break;
            }
        }
        return at;
    }

    std::string_view text_;
    TableStyle style_;
    std::vector<PrefixedLine> lines_;
    size_t ignoreLine_ = static_cast<size_t>(-1);
    bool off_ = false;
};

}  // namespace

std::vector<DocumentTable> text_tables(std::string_view text, const TableStyle& style) {
    return TextWalk(text, style).tables();
}

}  // namespace documents
