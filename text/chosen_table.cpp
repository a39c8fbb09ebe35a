#include "text/chosen_table.h"

#include "core/text_rules.h"
#include "text/documents/document.h"
#include "text/documents/markdown_blocks.h"

namespace {

bool is_blank_text(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::vector<std::vector<TableLine>> tables_in(std::string_view text, TableFormat from,
                                              WidthModel model) {
    std::vector<std::vector<TableLine>> tables;
    if (from == TableFormat::Markdown) {
        for (documents::MarkdownTable& table : documents::markdown_blocks(text).tables) {
            tables.push_back(std::move(table.rows));
        }
        return tables;
    }
    DocumentRequest request;
    request.text = text;
    request.kind = DocumentKind::Text;
    request.widthModel = model;
    for (DocumentTable& table : plan_document(request).tables) {
        tables.push_back(std::move(table.lines));
    }
    return tables;
}

// The first line outside table that holds more than blanks, or 0.
int64_t first_line_outside(std::string_view text, const std::vector<TableLine>& table) {
    int64_t number = 0;
    size_t next = 0;
    for (size_t at = 0; at < text.size(); at = text_rules::line_at(text, at).next) {
        const text_rules::Line line = text_rules::line_at(text, at);
        ++number;
        const bool inTable =
            next < table.size() && table[next].start >= line.start && table[next].end <= line.end;
        if (inTable) {
            const bool prefixed =
                !is_blank_text(text.substr(line.start, table[next].start - line.start));
            ++next;
            if (!prefixed) {
                continue;
            }
            return -number;  // a prefix the table reader would take for a cell's
        }
        if (!is_blank_text(text.substr(line.start, line.end - line.start))) {
            return number;
        }
    }
    return 0;
}

std::string lines_where_they_stood(std::string_view text, const std::vector<TableLine>& table) {
    std::string out;
    out.reserve(text.size());
    size_t next = 0;
    for (size_t at = 0; at < text.size(); at = text_rules::line_at(text, at).next) {
        const text_rules::Line line = text_rules::line_at(text, at);
        if (next < table.size() && table[next].start >= line.start && table[next].end <= line.end) {
            out.append(table[next].start - line.start, ' ');
            out.append(text, table[next].start, table[next].end - table[next].start);
            ++next;
        }
        out += '\n';
    }
    return out;
}

Refusal refusal_at_line(RefusalKind kind, int64_t line) {
    Refusal refusal = refusal_of(kind);
    refusal.line = line;
    refusal.column = 1;
    return refusal;
}

}  // namespace

ChosenTable choose_table(const FrameRequest& request) {
    ChosenTable chosen;
    const bool markdown = request.from == TableFormat::Markdown;
    if ((!markdown && request.from != TableFormat::Frame) ||
        (request.table == 0 && (!markdown || request.encoding != TextEncoding::Utf8))) {
        return chosen;
    }
    const size_t bom = text_rules::bom_length(request.text, true);
    const std::string_view text = request.text.substr(bom);
    const std::vector<std::vector<TableLine>> tables =
        tables_in(text, request.from, request.widthModel);
    if (request.table == 0) {
        if (tables.empty()) {
            return chosen;  // the reader says why there is no table
        }
        const int64_t outside = first_line_outside(text, tables[0]);
        if (outside > 0) {
            chosen.refusal = refusal_at_line(RefusalKind::TextOutsideTable, outside);
            return chosen;
        }
        if (outside == 0) {
            return chosen;
        }
    } else if (static_cast<size_t>(request.table) > tables.size()) {
        chosen.refusal = refusal_of(RefusalKind::NoSuchTable);
        chosen.refusal.found = static_cast<int64_t>(tables.size());
        chosen.refusal.limit = request.table;
        return chosen;
    }
    chosen.whole = false;
    const size_t index = request.table == 0 ? 0 : static_cast<size_t>(request.table) - 1;
    chosen.text = lines_where_they_stood(text, tables[index]);
    return chosen;
}
