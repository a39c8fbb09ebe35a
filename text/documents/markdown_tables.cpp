// GitHub Markdown tables lined up in place: the pipes of every row in the
// same display columns, one space of padding, the delimiter row's dashes
// filling each column with its colons kept, and each cell placed as its
// column's colons say. Cell text is copied as written, escapes and all.
#include <algorithm>

#include "text/documents/document_kinds.h"
#include "text/documents/markdown_blocks.h"
#include "text/documents/table_edits.h"
#include "text/unicode/display_width.h"

namespace documents {

namespace {

enum class Align { None, Left, Right, Centre };

// Room for ":-:".
constexpr int64_t kNarrowestColumn = 3;

Align align_of(std::string_view delimiterCell) {
    const bool left = !delimiterCell.empty() && delimiterCell.front() == ':';
    const bool right = delimiterCell.size() > 1 && delimiterCell.back() == ':';
    return left && right ? Align::Centre : right ? Align::Right : left ? Align::Left : Align::None;
}

struct ParsedTable {
    std::vector<std::vector<std::string_view>> rows;  // the delimiter row left out
    std::vector<Align> aligns;
    Refusal refusal;
};

std::string_view cell_text(std::string_view text, const MarkdownCell& cell) {
    return text.substr(cell.start, cell.end - cell.start);
}

ParsedTable parse_table(std::string_view text, const MarkdownTable& table) {
    ParsedTable parsed;
    for (const MarkdownCell& cell : markdown_row_cells(text, table.rows[1])) {
        parsed.aligns.push_back(align_of(cell_text(text, cell)));
    }
    const size_t columns = parsed.aligns.size();
    for (size_t r = 0; r < table.rows.size(); ++r) {
        if (r == 1) {
            continue;
        }
        const std::vector<MarkdownCell> cells = markdown_row_cells(text, table.rows[r]);
        if (cells.size() > columns) {
            parsed.refusal =
                refusal_at_offset(text, RefusalKind::CellsPastHeader, cells[columns].start);
            parsed.refusal.found = static_cast<int64_t>(cells.size());
            parsed.refusal.limit = static_cast<int64_t>(columns);
            return parsed;
        }
        std::vector<std::string_view> row;
        for (const MarkdownCell& cell : cells) {
            row.push_back(cell_text(text, cell));
        }
        row.resize(columns);  // GitHub shows the missing cells empty
        parsed.rows.push_back(std::move(row));
    }
    return parsed;
}

void append_cell(std::string& out, std::string_view cell, int64_t width, int64_t column,
                 Align align, int32_t padding) {
    const int64_t room = column - width;
    const int64_t before = align == Align::Right ? room : align == Align::Centre ? room / 2 : 0;
    out.append(static_cast<size_t>(padding + before), ' ');
    out.append(cell);
    out.append(static_cast<size_t>(room - before + padding), ' ');
    out += '|';
}

std::string delimiter_row(const std::vector<int64_t>& columns, const std::vector<Align>& aligns,
                          int32_t padding) {
    std::string out = "|";
    for (size_t c = 0; c < columns.size(); ++c) {
        std::string dashes(static_cast<size_t>(columns[c]), '-');
        if (aligns[c] == Align::Left || aligns[c] == Align::Centre) {
            dashes.front() = ':';
        }
        if (aligns[c] == Align::Right || aligns[c] == Align::Centre) {
            dashes.back() = ':';
        }
        out.append(static_cast<size_t>(padding), ' ');
        out += dashes;
        out.append(static_cast<size_t>(padding), ' ');
        out += '|';
    }
    return out;
}

std::vector<std::string> drawn_rows(const ParsedTable& table, const TableStyle& style) {
    const size_t columnCount = table.aligns.size();
    std::vector<std::vector<int64_t>> widths;
    std::vector<int64_t> columns(columnCount, kNarrowestColumn);
    for (const std::vector<std::string_view>& row : table.rows) {
        widths.emplace_back();
        for (size_t c = 0; c < columnCount; ++c) {
            widths.back().push_back(display_width(row[c], style.widthModel));
            columns[c] = std::max(columns[c], widths.back().back());
        }
    }
    std::vector<std::string> drawn;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        std::string line = "|";
        for (size_t c = 0; c < columnCount; ++c) {
            const Align align =
                r == 0 && table.aligns[c] == Align::None ? Align::Left : table.aligns[c];
            append_cell(line, table.rows[r][c], widths[r][c], columns[c], align, style.padding);
        }
        drawn.push_back(std::move(line));
        if (r == 0) {
            drawn.push_back(delimiter_row(columns, table.aligns, style.padding));
        }
    }
    return drawn;
}

DocumentTable planned(std::string_view text, const MarkdownTable& found, const TableStyle& style) {
    DocumentTable table;
    table.line = found.line;
    table.lines = found.rows;
    table.refusal = unmeasurable_text(text, table.lines);
    if (table.refusal.kind != RefusalKind::None) {
        return table;
    }
    const ParsedTable parsed = parse_table(text, found);
    table.refusal = parsed.refusal;
    if (table.refusal.kind == RefusalKind::None) {
        table.edits = line_edits(text, table.lines, drawn_rows(parsed, style));
    }
    return table;
}

}  // namespace

std::vector<DocumentTable> markdown_tables(std::string_view text, const TableStyle& style) {
    const MarkdownBlocks blocks = markdown_blocks(text);
    std::vector<DocumentTable> tables;
    TableStyle current = style;
    bool off = false;
    auto note = blocks.notes.begin();
    for (const MarkdownTable& found : blocks.tables) {
        bool ignoreNext = false;
        for (; note != blocks.notes.end() && note->line < found.line; ++note) {
            ignoreNext = note->directive == Directive::Ignore && note->line + 1 == found.line;
            off = note->directive == Directive::Off  ? true
                  : note->directive == Directive::On ? false
                                                     : off;
            if (note->directive == Directive::Wide || note->directive == Directive::Narrow) {
                current.widthModel =
                    note->directive == Directive::Wide ? WidthModel::Wide : WidthModel::Narrow;
            }
        }
        if (!off && !ignoreNext) {
            tables.push_back(planned(text, found, current));
        }
    }
    return tables;
}

}  // namespace documents
