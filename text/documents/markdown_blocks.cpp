#include "text/documents/markdown_blocks.h"

#include <array>

#include "core/text_rules.h"
#include "text/documents/ascii_text.h"
#include "text/formats/markdown_syntax.h"

namespace documents {

namespace {

// Blanks as CommonMark counts them: a TAB moves to the next multiple of 4,
// and a container may take part of one.
class LineCursor {
  public:
    LineCursor(std::string_view line, size_t offset) : line_(line), offset_(offset) {}

    int indent() const {
        int column = column_;
        for (size_t i = at_; i < line_.size() && is_blank(line_[i]); ++i) {
            column = line_[i] == ' ' ? column + 1 : (column / 4 + 1) * 4;
        }
        return column - column_;
    }

    void consume_columns(int count) {
        const int target = column_ + count;
        while (column_ < target && at_ < line_.size() && is_blank(line_[at_])) {
            const int end = line_[at_] == ' ' ? column_ + 1 : (column_ / 4 + 1) * 4;
            if (end > target) {
                column_ = target;  // part of a TAB
                return;
            }
            column_ = end;
            ++at_;
        }
    }

    void skip_blanks() { consume_columns(indent()); }

    // The line from the first non-blank character on.
    std::string_view rest() const {
        size_t i = at_;
        while (i < line_.size() && is_blank(line_[i])) {
            ++i;
        }
        return line_.substr(i);
    }
    size_t rest_offset() const { return offset_ + (line_.size() - rest().size()); }
    bool blank() const { return rest().empty(); }

    // Steps over count bytes of rest, none of them blanks or TABs.
    void advance_in_rest(size_t count) {
        skip_blanks();
        at_ += count;
        column_ += static_cast<int>(count);
    }

    // One blank after a marker, as a block quote's "> " has it.
    void skip_one_blank() {
        if (at_ < line_.size() && is_blank(line_[at_])) {
            consume_columns(1);
        }
    }

  private:
    std::string_view line_;
    size_t offset_;  // of the line in the document
    size_t at_ = 0;
    int column_ = 0;
};

bool contains_ignoring_case(std::string_view text, std::string_view lowerNeedle) {
    for (size_t at = 0; at + lowerNeedle.size() <= text.size(); ++at) {
        if (starts_with_ignoring_case(text.substr(at), lowerNeedle)) {
            return true;
        }
    }
    return false;
}

bool only_blanks(std::string_view text) {
    for (char c : text) {
        if (!is_blank(c)) {
            return false;
        }
    }
    return true;
}

size_t run_of(std::string_view text, char c) {
    size_t n = 0;
    while (n < text.size() && text[n] == c) {
        ++n;
    }
    return n;
}

bool is_atx_heading(std::string_view rest) {
    const size_t hashes = run_of(rest, '#');
    return hashes >= 1 && hashes <= 6 && (hashes == rest.size() || is_blank(rest[hashes]));
}

bool is_thematic_break(std::string_view rest) {
    if (rest.empty() || (rest[0] != '*' && rest[0] != '-' && rest[0] != '_')) {
        return false;
    }
    size_t marks = 0;
    for (char c : rest) {
        if (c == rest[0]) {
            ++marks;
        } else if (!is_blank(c)) {
            return false;
        }
    }
    return marks >= 3;
}

bool is_setext_underline(std::string_view rest) {
    if (rest.empty() || (rest[0] != '=' && rest[0] != '-')) {
        return false;
    }
    return only_blanks(rest.substr(run_of(rest, rest[0])));
}

struct Fence {
    char mark = 0;
    size_t length = 0;
    int indent = 0;
};

bool opens_fence(std::string_view rest, int indent, Fence& fence) {
    if (rest.empty() || (rest[0] != '`' && rest[0] != '~')) {
        return false;
    }
    const size_t length = run_of(rest, rest[0]);
    if (length < 3 || (rest[0] == '`' && rest.substr(length).find('`') != std::string_view::npos)) {
        return false;
    }
    fence = {rest[0], length, indent};
    return true;
}

bool closes_fence(std::string_view rest, int indent, const Fence& fence) {
    const size_t length = run_of(rest, fence.mark);
    return indent < 4 && length >= fence.length && only_blanks(rest.substr(length));
}

bool is_tag_name_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

bool is_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The tag names of HTML blocks that end at a blank line and may interrupt a
// paragraph.
bool is_block_tag_name(std::string_view name) {
    static constexpr std::array<std::string_view, 62> kNames = {
        "address", "article",  "aside",   "base",     "basefont", "blockquote", "body",
        "caption", "center",   "col",     "colgroup", "dd",       "details",    "dialog",
        "dir",     "div",      "dl",      "dt",       "fieldset", "figcaption", "figure",
        "footer",  "form",     "frame",   "frameset", "h1",       "h2",         "h3",
        "h4",      "h5",       "h6",      "head",     "header",   "hr",         "html",
        "iframe",  "legend",   "li",      "link",     "main",     "menu",       "menuitem",
        "nav",     "noframes", "ol",      "optgroup", "option",   "p",          "param",
        "section", "source",   "summary", "table",    "tbody",    "td",         "tfoot",
        "th",      "thead",    "title",   "tr",       "track",    "ul"};
    for (std::string_view known : kNames) {
        if (name.size() == known.size() && starts_with_ignoring_case(name, known)) {
            return true;
        }
    }
    return false;
}

size_t skip_blanks_from(std::string_view text, size_t at) {
    while (at < text.size() && is_blank(text[at])) {
        ++at;
    }
    return at;
}

// The end of an attribute's value at text[at], or npos.
size_t attribute_value_end(std::string_view text, size_t at) {
    if (at < text.size() && (text[at] == '"' || text[at] == '\'')) {
        const size_t close = text.find(text[at], at + 1);
        return close == std::string_view::npos ? close : close + 1;
    }
    const size_t start = at;
    while (at < text.size() && !is_blank(text[at]) &&
           std::string_view("\"'=<>`").find(text[at]) == std::string_view::npos) {
        ++at;
    }
    return at > start ? at : std::string_view::npos;
}

// A whole open or closing tag and nothing after it but blanks.
bool is_lone_tag(std::string_view rest) {
    size_t at = 1;
    const bool closing = rest.size() > 1 && rest[1] == '/';
    at += closing ? 1 : 0;
    if (at >= rest.size() || !is_letter(rest[at])) {
        return false;
    }
    while (at < rest.size() && is_tag_name_char(rest[at])) {
        ++at;
    }
    while (!closing) {
        const size_t blanksEnd = skip_blanks_from(rest, at);
        const bool attributeStarts =
            blanksEnd < rest.size() &&
            (is_letter(rest[blanksEnd]) || rest[blanksEnd] == '_' || rest[blanksEnd] == ':');
        if (blanksEnd == at || !attributeStarts) {
            at = blanksEnd;
            break;
        }
        at = blanksEnd;
        while (at < rest.size() && (is_tag_name_char(rest[at]) || rest[at] == '_' ||
                                    rest[at] == '.' || rest[at] == ':')) {
            ++at;
        }
        const size_t equals = skip_blanks_from(rest, at);
        if (equals < rest.size() && rest[equals] == '=') {
            at = attribute_value_end(rest, skip_blanks_from(rest, equals + 1));
            if (at == std::string_view::npos) {
                return false;
            }
        }
    }
    at = skip_blanks_from(rest, at);
    if (!closing && at < rest.size() && rest[at] == '/') {
        ++at;
    }
    return at < rest.size() && rest[at] == '>' && only_blanks(rest.substr(at + 1));
}

// The kind of HTML block that rest starts (1 to 7), else 0.
int html_block_start(std::string_view rest, bool interruptsParagraph) {
    if (rest.empty() || rest[0] != '<') {
        return 0;
    }
    for (std::string_view name : {"script", "pre", "style", "textarea"}) {
        if (starts_with_ignoring_case(rest.substr(1), name)) {
            const size_t after = 1 + name.size();
            if (after == rest.size() || is_blank(rest[after]) || rest[after] == '>') {
                return 1;
            }
        }
    }
    if (rest.substr(0, 4) == "<!--") {
        return 2;
    }
    if (rest.substr(0, 2) == "<?") {
        return 3;
    }
    if (rest.size() > 2 && rest[1] == '!' && rest[2] >= 'A' && rest[2] <= 'Z') {
        return 4;
    }
    if (rest.substr(0, 9) == "<![CDATA[") {
        return 5;
    }
    const size_t nameStart = rest.size() > 1 && rest[1] == '/' ? 2 : 1;
    size_t nameEnd = nameStart;
    while (nameEnd < rest.size() && is_tag_name_char(rest[nameEnd])) {
        ++nameEnd;
    }
    if (is_block_tag_name(rest.substr(nameStart, nameEnd - nameStart))) {
        const std::string_view after = rest.substr(nameEnd);
        if (after.empty() || is_blank(after[0]) || after[0] == '>' || after.substr(0, 2) == "/>") {
            return 6;
        }
    }
    return !interruptsParagraph && is_lone_tag(rest) ? 7 : 0;
}

bool ends_html_block(int kind, std::string_view line) {
    switch (kind) {
        case 1:
            return contains_ignoring_case(line, "</script>") ||
                   contains_ignoring_case(line, "</pre>") ||
                   contains_ignoring_case(line, "</style>") ||
                   contains_ignoring_case(line, "</textarea>");
        case 2:
            return line.find("-->") != std::string_view::npos;
        case 3:
            return line.find("?>") != std::string_view::npos;
        case 4:
            return line.find('>') != std::string_view::npos;
        case 5:
            return line.find("]]>") != std::string_view::npos;
        default:
            return false;  // a blank line ends the others
    }
}

Directive comment_directive(std::string_view rest) {
    const size_t close = rest.find("-->");
    if (rest.substr(0, 4) != "<!--" || close == std::string_view::npos ||
        !only_blanks(rest.substr(close + 3))) {
        return Directive::None;
    }
    return directive_in(rest.substr(4, close - 4));
}

struct ListMarker {
    size_t width = 0;  // bytes of the marker itself
    bool ordered = false;
    bool startsAtOne = true;
};

bool list_marker(std::string_view rest, ListMarker& marker) {
    if (!rest.empty() && (rest[0] == '-' || rest[0] == '+' || rest[0] == '*')) {
        marker = {1, false, true};
    } else {
        size_t digits = 0;
        while (digits < rest.size() && digits < 10 && rest[digits] >= '0' && rest[digits] <= '9') {
            ++digits;
        }
        if (digits == 0 || digits > 9 || digits >= rest.size() ||
            (rest[digits] != '.' && rest[digits] != ')')) {
            return false;
        }
        marker = {digits + 1, true, rest.substr(0, digits) == "1"};
    }
    return marker.width == rest.size() || is_blank(rest[marker.width]);
}

enum class Leaf { None, Paragraph, Table, Fenced, Indented, Html };

struct Container {
    bool quote = false;
    int contentIndent = 0;  // list items: columns their content is indented by
    bool blankStart = false;
    bool hasContent = false;
};

struct ParagraphLine {
    TableLine span;
    int64_t number = 0;
};

class BlockWalk {
  public:
    explicit BlockWalk(std::string_view text) : text_(text) {}

    MarkdownBlocks run() {
        for (size_t at = 0; at < text_.size();) {
            const text_rules::Line line = text_rules::line_at(text_, at);
            ++lineNumber_;
            LineCursor cursor(text_.substr(line.start, line.end - line.start), line.start);
            take_line(cursor);
            at = line.next;
        }
        return std::move(blocks_);
    }

  private:
    void take_line(LineCursor& cursor) {
        size_t matched = match_containers(cursor);
        const bool allMatched = matched == open_.size();
        if (allMatched && continues_leaf(cursor)) {
            return;
        }
        if (!allMatched) {
            if (leaf_ == Leaf::Paragraph && !cursor.blank() && !starts_block(cursor)) {
                paragraph_line(cursor);  // a lazy continuation line
                return;
            }
            open_.resize(matched);
            leaf_ = Leaf::None;
        }
        open_blocks(cursor);
    }

    size_t match_containers(LineCursor& cursor) {
        size_t matched = 0;
        for (Container& container : open_) {
            if (container.quote) {
                if (cursor.indent() >= 4 || cursor.rest().substr(0, 1) != ">") {
                    break;
                }
                cursor.advance_in_rest(1);
                cursor.skip_one_blank();
            } else if (cursor.blank()) {
                if (container.blankStart && !container.hasContent) {
                    break;
                }
            } else if (cursor.indent() >= container.contentIndent) {
                cursor.consume_columns(container.contentIndent);
            } else {
                break;
            }
            ++matched;
        }
        return matched;
    }

    // Whether an open code or HTML block takes the line whole.
    bool continues_leaf(LineCursor& cursor) {
        switch (leaf_) {
            case Leaf::Fenced:
                if (closes_fence(cursor.rest(), cursor.indent(), fence_)) {
                    leaf_ = Leaf::None;
                } else {
                    cursor.consume_columns(fence_.indent);
                }
                return true;
            case Leaf::Html:
                if (htmlKind_ >= 6 && cursor.blank()) {
                    leaf_ = Leaf::None;
                    return false;
                }
                if (ends_html_block(htmlKind_, cursor.rest())) {
                    leaf_ = Leaf::None;
                }
                return true;
            case Leaf::Indented:
                if (cursor.blank() || cursor.indent() >= 4) {
                    return true;
                }
                leaf_ = Leaf::None;
                return false;
            default:
                return false;
        }
    }

    // Whether the line, where a paragraph would take it lazily, starts a
    // block instead.
    bool starts_block(const LineCursor& cursor) const {
        if (cursor.indent() >= 4) {
            return false;
        }
        const std::string_view rest = cursor.rest();
        Fence fence;
        ListMarker marker;
        return rest[0] == '>' || is_atx_heading(rest) || opens_fence(rest, 0, fence) ||
               html_block_start(rest, true) != 0 || is_thematic_break(rest) ||
               (list_marker(rest, marker) && interrupts_paragraph(rest, marker));
    }

    static bool interrupts_paragraph(std::string_view rest, const ListMarker& marker) {
        return !only_blanks(rest.substr(marker.width)) && (!marker.ordered || marker.startsAtOne);
    }

    void open_blocks(LineCursor& cursor) {
        for (;;) {
            const int indent = cursor.indent();
            const std::string_view rest = cursor.rest();
            const bool indented = indent >= 4;
            ListMarker marker;
            if (!indented && !rest.empty() && rest[0] == '>') {
                leaf_ = Leaf::None;
                open_.push_back({true, 0, false, true});
                cursor.advance_in_rest(1);
                cursor.skip_one_blank();
                continue;
            }
            if (!indented && list_marker(rest, marker) && !is_thematic_break(rest) &&
                !(leaf_ == Leaf::Paragraph && is_setext_underline(rest)) &&
                (leaf_ != Leaf::Paragraph || interrupts_paragraph(rest, marker))) {
                open_item(cursor, indent, marker);
                continue;
            }
            take_leaf(cursor, indented);
            return;
        }
    }

    void open_item(LineCursor& cursor, int indent, const ListMarker& marker) {
        leaf_ = Leaf::None;
        cursor.advance_in_rest(marker.width);
        const int spaces = cursor.indent();
        const bool blankStart = cursor.blank();
        const int padding = blankStart || spaces >= 5 ? 1 : spaces;
        cursor.consume_columns(padding);
        open_.push_back(
            {false, indent + static_cast<int>(marker.width) + padding, blankStart, false});
    }

    void take_leaf(LineCursor& cursor, bool indented) {
        const std::string_view rest = cursor.rest();
        if (!cursor.blank()) {
            for (Container& container : open_) {
                container.hasContent = true;
            }
        }
        if (!indented && take_single_line_block(cursor)) {
            return;
        }
        if (indented && leaf_ != Leaf::Paragraph && !cursor.blank()) {
            leaf_ = Leaf::Indented;
            return;
        }
        if (!indented && leaf_ == Leaf::Paragraph && is_markdown_delimiter_row(rest) &&
            opens_table(cursor)) {
            return;
        }
        if (leaf_ == Leaf::Table && !cursor.blank() && !row_empty(cursor)) {
            blocks_.tables.back().rows.push_back(span_of(cursor));
            return;
        }
        if (cursor.blank()) {
            leaf_ = Leaf::None;
            return;
        }
        if (leaf_ != Leaf::Paragraph) {
            leaf_ = Leaf::Paragraph;
        }
        paragraph_line(cursor);
    }

    // Headings, rules, fences and HTML blocks.
    bool take_single_line_block(LineCursor& cursor) {
        const std::string_view rest = cursor.rest();
        if (is_atx_heading(rest)) {
            leaf_ = Leaf::None;
            return true;
        }
        if (opens_fence(rest, cursor.indent(), fence_)) {
            leaf_ = Leaf::Fenced;
            return true;
        }
        const int kind = html_block_start(rest, leaf_ == Leaf::Paragraph);
        if (kind != 0) {
            const Directive directive = kind == 2 ? comment_directive(rest) : Directive::None;
            if (directive != Directive::None) {
                blocks_.notes.push_back({lineNumber_, directive});
            }
            leaf_ = ends_html_block(kind, rest) ? Leaf::None : Leaf::Html;
            htmlKind_ = kind;
            return true;
        }
        if ((leaf_ == Leaf::Paragraph && is_setext_underline(rest)) || is_thematic_break(rest)) {
            leaf_ = Leaf::None;
            return true;
        }
        return false;
    }

    bool opens_table(const LineCursor& cursor) {
        const TableLine delimiter = span_of(cursor);
        markdown_row_cells(text_, delimiter, cells_);
        const size_t columns = cells_.size();
        markdown_row_cells(text_, lastParagraphLine_.span, cells_);
        if (cells_.size() != columns) {
            return false;
        }
        blocks_.tables.push_back({lastParagraphLine_.number, {lastParagraphLine_.span, delimiter}});
        leaf_ = Leaf::Table;
        return true;
    }

    bool row_empty(const LineCursor& cursor) {
        markdown_row_cells(text_, span_of(cursor), cells_);
        return cells_.empty();
    }

    void paragraph_line(const LineCursor& cursor) {
        lastParagraphLine_ = {span_of(cursor), lineNumber_};
    }

    TableLine span_of(const LineCursor& cursor) const {
        const size_t start = cursor.rest_offset();
        return {start, start + cursor.rest().size()};
    }

    std::string_view text_;
    MarkdownBlocks blocks_;
    std::vector<Container> open_;
    Leaf leaf_ = Leaf::None;
    Fence fence_;
    int htmlKind_ = 0;
    ParagraphLine lastParagraphLine_;
    int64_t lineNumber_ = 0;
    std::vector<MarkdownCell> cells_;
};

bool is_space_char(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

}  // namespace

void markdown_row_cells(std::string_view text, TableLine row, std::vector<MarkdownCell>& cells) {
    cells.clear();
    size_t at = row.start;
    auto skip_pipe = [&]() {
        if (at < row.end && text[at] == '|') {
            ++at;
            while (at < row.end && is_space_char(text[at])) {
                ++at;
            }
            return true;
        }
        return false;
    };
    skip_pipe();
    while (at < row.end) {
        const size_t start = at;
        while (at < row.end && text[at] != '|') {
            at += markdown_syntax::escapes_pipe(text.substr(0, row.end), at) ? 2 : 1;
        }
        size_t cellStart = start;
        size_t cellEnd = at;
        while (cellStart < cellEnd && is_space_char(text[cellStart])) {
            ++cellStart;
        }
        while (cellEnd > cellStart && is_space_char(text[cellEnd - 1])) {
            --cellEnd;
        }
        const bool piped = skip_pipe();
        if (start == at && !piped) {
            break;  // only blanks were left
        }
        if (!piped && cellStart == cellEnd) {
            break;  // blanks after the last pipe open no cell
        }
        cells.push_back({cellStart, cellEnd});
    }
}

bool is_markdown_delimiter_row(std::string_view row) {
    auto trimmed = [](std::string_view text) {
        while (!text.empty() && is_space_char(text.front())) {
            text.remove_prefix(1);
        }
        while (!text.empty() && is_space_char(text.back())) {
            text.remove_suffix(1);
        }
        return text;
    };
    // The outer pipes are optional, the first one only where the row starts,
    // and no cell of the row may be empty.
    if (!row.empty() && row.front() == '|') {
        row.remove_prefix(1);
    }
    while (!row.empty() && is_space_char(row.back())) {
        row.remove_suffix(1);
    }
    if (!row.empty() && row.back() == '|') {
        row.remove_suffix(1);
    }
    for (;;) {
        const size_t pipe = row.find('|');
        if (!markdown_syntax::is_delimiter_cell(trimmed(row.substr(0, pipe)))) {
            return false;
        }
        if (pipe == std::string_view::npos) {
            return true;
        }
        row.remove_prefix(pipe + 1);
    }
}

MarkdownBlocks markdown_blocks(std::string_view text) {
    return BlockWalk(text).run();
}

}  // namespace documents
