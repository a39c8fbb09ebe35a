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

// The cells of the rows but the delimiter row, row after row, each row as
// long as the header.
struct ParsedTable {
    std::vector<std::string_view> cells;
    std::vector<Align> aligns;
    Refusal refusal;

    size_t rows() const { return aligns.empty() ? 0 : cells.size() / aligns.size(); }
};

std::string_view cell_text(std::string_view text, const MarkdownCell& cell) {
    return text.substr(cell.start, cell.end - cell.start);
}

ParsedTable parse_table(std::string_view text, const MarkdownTable& table,
                        std::vector<MarkdownCell>& cells) {
    ParsedTable parsed;
    markdown_row_cells(text, table.rows[1], cells);
    for (const MarkdownCell& cell : cells) {
        parsed.aligns.push_back(align_of(cell_text(text, cell)));
    }
    const size_t columns = parsed.aligns.size();
    parsed.cells.reserve(columns * (table.rows.size() - 1));
    for (size_t r = 0; r < table.rows.size(); ++r) {
        if (r == 1) {
            continue;
        }
        markdown_row_cells(text, table.rows[r], cells);
        if (cells.size() > columns) {
            parsed.refusal =
                refusal_at_offset(text, RefusalKind::CellsPastHeader, cells[columns].start);
            parsed.refusal.found = static_cast<int64_t>(cells.size());
            parsed.refusal.limit = static_cast<int64_t>(columns);
            return parsed;
        }
        for (const MarkdownCell& cell : cells) {
            parsed.cells.push_back(cell_text(text, cell));
        }
        // GitHub shows the missing cells empty.
        parsed.cells.resize(parsed.cells.size() + columns - cells.size());
    }
    return parsed;
}

// A cell ending in '\\' right before the next pipe would escape it: without
// padding, such a cell keeps a blank after it, counted in its width.
bool needs_guard_blank(std::string_view cell, int32_t padding) {
    return padding == 0 && !cell.empty() && cell.back() == '\\';
}

void append_cell(std::string& out, std::string_view cell, int64_t width, int64_t column,
                 Align align, int32_t padding) {
    const int64_t room = column - width;
    const int64_t before = align == Align::Right ? room : align == Align::Centre ? room / 2 : 0;
    out.append(static_cast<size_t>(padding + before), ' ');
    out.append(cell);
    if (needs_guard_blank(cell, padding)) {
        out += ' ';
    }
    out.append(static_cast<size_t>(room - before + padding), ' ');
    out += '|';
}

void draw_delimiter_row(std::string& out, const std::vector<int64_t>& columns,
                        const std::vector<Align>& aligns, int32_t padding) {
    out = "|";
    for (size_t c = 0; c < columns.size(); ++c) {
        const bool left = aligns[c] == Align::Left || aligns[c] == Align::Centre;
        const bool right = aligns[c] == Align::Right || aligns[c] == Align::Centre;
        out.append(static_cast<size_t>(padding), ' ');
        out += left ? ':' : '-';
        out.append(static_cast<size_t>(columns[c] - 2), '-');
        out += right ? ':' : '-';
        out.append(static_cast<size_t>(padding), ' ');
        out += '|';
    }
}

// Each row drawn in turn, and an edit wherever it differs from the line.
std::vector<TextEdit> drawn_edits(std::string_view text, const std::vector<TableLine>& lines,
                                  const ParsedTable& table, const TableStyle& style) {
    const size_t columnCount = table.aligns.size();
    std::vector<int64_t> widths(table.cells.size());
    std::vector<int64_t> columns(columnCount, kNarrowestColumn);
    for (size_t i = 0; i < table.cells.size(); ++i) {
        widths[i] = display_width(table.cells[i], style.widthModel) +
                    (needs_guard_blank(table.cells[i], style.padding) ? 1 : 0);
        columns[i % columnCount] = std::max(columns[i % columnCount], widths[i]);
    }
    std::vector<TextEdit> edits;
    std::string line;
    auto compare = [&](const TableLine& was) {
        if (text.substr(was.start, was.end - was.start) != line) {
            edits.push_back({was.start, was.end, line});
        }
    };
    for (size_t r = 0; r < table.rows(); ++r) {
        line = "|";
        for (size_t c = 0; c < columnCount; ++c) {
            const size_t i = r * columnCount + c;
            append_cell(line, table.cells[i], widths[i], columns[c], table.aligns[c],
                        style.padding);
        }
        compare(lines[r == 0 ? 0 : r + 1]);
        if (r == 0) {
            draw_delimiter_row(line, columns, table.aligns, style.padding);
            compare(lines[1]);
        }
    }
    return edits;
}

DocumentTable planned(std::string_view text, const MarkdownTable& found, const TableStyle& style,
                      std::vector<MarkdownCell>& cells) {
    DocumentTable table;
    table.line = found.line;
    table.lines = found.rows;
    table.refusal = unmeasurable_text(text, table.lines);
    if (table.refusal.kind != RefusalKind::None) {
        return table;
    }
    const ParsedTable parsed = parse_table(text, found, cells);
    table.refusal = parsed.refusal;
    if (table.refusal.kind == RefusalKind::None) {
        table.edits = drawn_edits(text, table.lines, parsed, style);
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
    std::vector<MarkdownCell> cells;
    for (const MarkdownTable& found : blocks.tables) {
        bool ignoreNext = false;
        for (; note != blocks.notes.end() && note->line < found.line; ++note) {
            ignoreNext = follow_directive(note->directive, off, current.widthModel) &&
                         note->line + 1 == found.line;
        }
        if (!off && !ignoreNext) {
            tables.push_back(planned(text, found, current, cells));
        }
    }
    return tables;
}

}  // namespace documents
