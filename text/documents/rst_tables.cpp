// reStructuredText documents: grid and simple tables are found where docutils
// starts a table (at the start of a block, at the block's indentation), but
// not in literal blocks, comments or directives whose content is not
// reStructuredText. Comments steer the formatter: ".. zentab: ignore" and the
// others.
#include "text/documents/rst_tables.h"

#include <algorithm>

#include "core/text_rules.h"
#include "text/documents/directive.h"
#include "text/documents/table_edits.h"
#include "text/unicode/display_width.h"

namespace documents {

namespace rst {

std::vector<DocLine> doc_lines(std::string_view text) {
    std::vector<DocLine> lines;
    for (size_t at = 0; at < text.size();) {
        const text_rules::Line line = text_rules::line_at(text, at);
        DocLine doc{line.start, line.end, 0, false};
        while (line.start + doc.indent < line.end && text[line.start + doc.indent] == ' ') {
            ++doc.indent;
        }
        const std::string_view own = text.substr(line.start, line.end - line.start);
        doc.blank = own.find_first_not_of(" \t") == std::string_view::npos;
        lines.push_back(doc);
        at = line.next;
    }
    return lines;
}

std::vector<Glyph> glyphs_of(std::string_view line, WidthModel model) {
    std::vector<Glyph> glyphs;
    int64_t column = 0;
    for (size_t at = 0; at < line.size();) {
        const Grapheme grapheme = next_grapheme(line, at, model);
        glyphs.push_back(
            {at, grapheme.end, column, grapheme.width, grapheme.end == at + 1 && line[at] == ' '});
        column += grapheme.width;
        at = grapheme.end;
    }
    return glyphs;
}

void strip_shared_indent(std::vector<std::string>& lines) {
    size_t shared = std::string::npos;
    for (std::string& line : lines) {
        line.erase(line.find_last_not_of(' ') + 1);
        if (!line.empty()) {
            shared = std::min(shared, line.find_first_not_of(' '));
        }
    }
    for (std::string& line : lines) {
        line.erase(0, std::min(shared, line.size()));
    }
}

void append_padded(std::string& out, std::string_view cell, int64_t width, WidthModel model) {
    out += cell;
    out.append(static_cast<size_t>(std::max<int64_t>(0, width - display_width(cell, model))), ' ');
}

}  // namespace rst

namespace {

using rst::DocLine;

bool is_grid_top(std::string_view line) {
    while (!line.empty() && line.back() == ' ') {
        line.remove_suffix(1);
    }
    const size_t n = line.size();
    return n >= 5 && line[0] == '+' && line[1] == '-' && line[n - 2] == '-' && line[n - 1] == '+' &&
           line.find_first_not_of("-+") == std::string_view::npos;
}

// "=" runs, at least two, blanks between them.
bool is_simple_top(std::string_view line) {
    if (line.empty() || line[0] != '=' || line.find_first_not_of("= ") != std::string_view::npos) {
        return false;
    }
    const size_t gap = line.find(' ');
    return gap != std::string_view::npos && line.find('=', gap) != std::string_view::npos;
}

// Directives whose content docutils does not read as reStructuredText.
bool holds_other_text(std::string_view name) {
    constexpr std::string_view kNames[] = {"code",    "code-block", "sourcecode", "parsed-literal",
                                           "raw",     "math",       "csv-table",  "literalinclude",
                                           "include", "highlight"};
    return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

bool is_directive_name(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_' || c == '+' || c == ':' || c == '.';
    });
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    }
    return out;
}

// What an explicit markup block (a line starting ".. ") is, as far as the
// tables in its indented body go.
enum class Markup { NotMarkup, ReadsBody, SkipsBody };

Markup markup_of(std::string_view own) {
    if (own.size() < 2 || own.substr(0, 2) != ".." || (own.size() > 2 && own[2] != ' ')) {
        return Markup::NotMarkup;
    }
    std::string_view rest = own.substr(2);
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
    if (!rest.empty() && (rest[0] == '[' || rest[0] == '_' || rest[0] == '|')) {
        return Markup::ReadsBody;  // footnotes, citations, targets, substitutions
    }
    const size_t marker = rest.find("::");
    if (marker != std::string_view::npos) {
        std::string_view name = rest.substr(0, marker);
        while (!name.empty() && name.back() == ' ') {
            name.remove_suffix(1);
        }
        if (is_directive_name(name)) {
            return holds_other_text(lower(name)) ? Markup::SkipsBody : Markup::ReadsBody;
        }
    }
    return Markup::SkipsBody;  // a comment
}

class RstWalk {
  public:
    RstWalk(std::string_view text, const TableStyle& style)
        : text_(text), lines_(rst::doc_lines(text)), style_(style) {}

    std::vector<DocumentTable> tables() {
        for (size_t i = 0; i < lines_.size();) {
            i = step(i);
        }
        return std::move(tables_);
    }

  private:
    std::string_view own(size_t i) const {
        return rst::span_text(text_, lines_[i].own(lines_[i].indent));
    }

    // Tables start a block: after a blank line, or where the indentation changes.
    bool starts_block(size_t i) const {
        return i == 0 || lines_[i - 1].blank || lines_[i - 1].indent != lines_[i].indent;
    }

    size_t step(size_t i) {
        const DocLine& line = lines_[i];
        if (line.blank) {
            return i + 1;
        }
        if (skipping_ && line.indent > skipAbove_) {
            return i + 1;
        }
        skipping_ = false;
        const std::string_view text = own(i);
        const Markup markup = markup_of(text);
        if (markup != Markup::NotMarkup) {
            take_directive(text.substr(2));
            skip_body_if(markup == Markup::SkipsBody, line.indent);
            return i + 1;
        }
        if (starts_block(i)) {
            size_t end = i;
            if (is_grid_top(text)) {
                end = rst::grid_table_end(text_, lines_, i);
                if (end != i) {
                    add_table(i, end, rst::redraw_grid_table);
                }
            } else if (is_simple_top(text)) {
                end = rst::simple_table_end(text_, lines_, i);
                if (end != i) {
                    add_table(i, end, rst::redraw_simple_table);
                }
            }
            if (end != i) {
                return end;
            }
        }
        // A paragraph ending in "::" makes the indented block after it literal.
        skip_body_if(text.size() >= 2 && text.substr(text.size() - 2) == "::", line.indent);
        return i + 1;
    }

    void skip_body_if(bool skip, size_t indent) {
        if (skip) {
            skipping_ = true;
            skipAbove_ = indent;
        }
    }

    void take_directive(std::string_view comment) {
        if (follow_directive(directive_in(comment), off_, style_.widthModel)) {
            ignoreNext_ = true;
        }
    }

    using Redraw = rst::Redrawn (*)(std::string_view, const std::vector<TableLine>&,
                                    const TableStyle&);

    // A table the document says to leave is found, with no edits.
    void add_table(size_t top, size_t end, Redraw redraw) {
        DocumentTable table;
        table.line = static_cast<int64_t>(top) + 1;
        for (size_t i = top; i < end; ++i) {
            table.lines.push_back(lines_[i].own(lines_[top].indent));
        }
        const bool left = off_ || ignoreNext_;
        ignoreNext_ = false;
        if (!left) {
            plan(table, redraw);
        }
        tables_.push_back(std::move(table));
    }

    void plan(DocumentTable& table, Redraw redraw) const {
        table.refusal = unmeasurable_text(text_, table.lines);
        if (table.refusal.kind != RefusalKind::None) {
            return;
        }
        const rst::Redrawn redrawn = redraw(text_, table.lines, style_);
        table.refusal = redrawn.refusal;
        if (table.refusal.kind == RefusalKind::None) {
            table.edits = line_edits(text_, table.lines, redrawn.lines);
        }
    }

    std::string_view text_;
    std::vector<DocLine> lines_;
    TableStyle style_;
    bool off_ = false;
    bool ignoreNext_ = false;
    bool skipping_ = false;
    size_t skipAbove_ = 0;
    std::vector<DocumentTable> tables_;
};

}  // namespace

std::vector<DocumentTable> rst_tables(std::string_view text, const TableStyle& style) {
    return RstWalk(text, style).tables();
}

}  // namespace documents
