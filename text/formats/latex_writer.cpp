// A LaTeX tabular with booktabs rules. Every character TeX would take as
// markup, a ligature or a quote is written as a command or braced, so the
// typeset cell reads as the text; columns are aligned as the body rows are
// placed.
#include "text/formats/markup_cells.h"

namespace formats {

namespace {

std::optional<std::string> latex_escape(const CharAt& c) {
    switch (c.text[0]) {
        case '#':
        case '$':
        case '%':
        case '&':
        case '_':
        case '{':
        case '}':
            return std::string("\\") + c.text[0];
        case '~':
            return "\\textasciitilde{}";
        case '^':
            return "\\textasciicircum{}";
        case '\\':
            return "\\textbackslash{}";
        case '<':
            return "\\textless{}";
        case '>':
            return "\\textgreater{}";
        case '|':
            return "\\textbar{}";
        case '`':
            return "\\textasciigrave{}";
        case '\'':
            return "\\textquotesingle{}";
        case '"':
            return "\\textquotedbl{}";
        // Brackets and a star right after \\ or a rule would be taken as
        // their arguments.
        case '[':
        case ']':
        case '*':
            return std::string("{") + c.text[0] + "}";
        // "--" is a dash and ",," a low quote in T1 fonts.
        case '-':
        case ',':
            return c.before == c.text[0]
                       ? std::optional<std::string>("{" + std::string(c.text) + "}")
                       : std::nullopt;
        default:
            return std::nullopt;
    }
}

char column_letter(int32_t positionType, size_t bodyRow, size_t column) {
    const std::optional<FtPlacement> placement = cell_placement(positionType, bodyRow, column);
    if (!placement || *placement == FT_LEFT) {
        return 'l';
    }
    return *placement == FT_RIGHT ? 'r' : 'c';
}

void append_row(std::string& out, const Table& table, const Row& row, std::string_view end) {
    for (size_t c = 0; c < row.size(); ++c) {
        if (c > 0) {
            out += " & ";
        }
        out += escape_cell(row[c].text, table.encoding, latex_escape);
    }
    out += " \\\\";
    out += end;
}

// A caption needs the tabular inside a table float.
void open_float(std::string& text, const Table& table, std::string_view caption,
                std::string_view end) {
    text.append("\\begin{table}").append(end).append("\\centering").append(end);
    text.append("\\caption{")
        .append(escape_cell(caption, table.encoding, latex_escape))
        .append("}")
        .append(end);
}

}  // namespace

TableWrite write_latex(const Table& table, const WriteOptions& options) {
    TableWrite out;
    const std::string_view caption = options.titles.title;
    if (!markup_and_caption_fit(table, caption, out.refusal)) {
        return out;
    }
    const std::string_view end = line_end_text(options.lineEnd);
    std::string& text = out.text;
    if (!caption.empty()) {
        open_float(text, table, caption, end);
    }
    text += "\\begin{tabular}{";
    for (size_t c = 0; c < table.rows()[0].size(); ++c) {
        text += column_letter(options.positionType, 1, c);
    }
    text.append("}").append(end).append("\\toprule").append(end);
    append_row(text, table, table.rows()[0], end);
    text.append("\\midrule").append(end);
    for (size_t r = 1; r < table.rows().size(); ++r) {
        append_row(text, table, table.rows()[r], end);
    }
    text.append("\\bottomrule").append(end).append("\\end{tabular}").append(end);
    if (!caption.empty()) {
        text.append("\\end{table}").append(end);
    }
    return out;
}

}  // namespace formats
