#include "cli/lsp/diagnostics.h"

#include "text/documents/markdown_blocks.h"

namespace lsp {

namespace {

constexpr int kWarning = 2;
constexpr int kInformation = 3;
// Past this an editor shows nothing more useful, and the message grows with
// every change of a large document.
constexpr size_t kDiagnosticsLimit = 1000;

JsonValue line_range(const OpenDocument& document, size_t line, PositionEncoding encoding) {
    return range_json(document, document.index.line_start(line),
                      document.index.line_end(document.text, line), encoding);
}

JsonValue diagnostic(JsonValue range, int severity, std::string message) {
    return JsonValue::object()
        .set("range", std::move(range))
        .set("severity", severity)
        .set("source", "zentab")
        .set("message", std::move(message));
}

bool wrong_cell_count(RefusalKind kind) {
    return kind == RefusalKind::RaggedRow || kind == RefusalKind::CellsPastHeader;
}

std::string cell_count_message(int64_t cells, int64_t header) {
    return std::string(kCellCount) + std::to_string(cells) + (cells == 1 ? " cell" : " cells") +
           " where the header has " + std::to_string(header);
}

std::string cell_count_message(const Refusal& refusal) {
    if (refusal.found == 0 && refusal.limit == 0) {
        return "this row's cells do not meet the table's columns";
    }
    return cell_count_message(refusal.found, refusal.limit);
}

// Markdown rows short of the header's cells, which GitHub shows empty and
// aligning fills: the rows past the header and the delimiter row.
void short_rows(const OpenDocument& document, const DocumentTable& table, PositionEncoding encoding,
                JsonValue& list) {
    if (document.kind != DocumentKind::Markdown || table.lines.size() < 3) {
        return;
    }
    std::vector<documents::MarkdownCell> cells;
    documents::markdown_row_cells(document.text, table.lines[0], cells);
    const size_t header = cells.size();
    for (size_t i = 2; i < table.lines.size(); ++i) {
        documents::markdown_row_cells(document.text, table.lines[i], cells);
        if (cells.size() < header) {
            const size_t line = document.index.line_of(table.lines[i].start);
            list.push(diagnostic(line_range(document, line, encoding), kWarning,
                                 cell_count_message(static_cast<int64_t>(cells.size()),
                                                    static_cast<int64_t>(header))));
        }
    }
}

}  // namespace

JsonValue diagnostics(const OpenDocument& document, const DocumentOutcome& outcome,
                      PositionEncoding encoding) {
    JsonValue list = JsonValue::array();
    for (const DocumentTable& table : outcome.tables) {
        if (list.items().size() >= kDiagnosticsLimit) {
            break;
        }
        const LineSpan lines = lines_of_table(document, table);
        if (table.changes()) {
            list.push(
                diagnostic(line_range(document, lines.first, encoding), kInformation, kNotAligned));
            short_rows(document, table, encoding, list);
        }
        const Refusal& refusal = table.refusal;
        if (wrong_cell_count(refusal.kind) && refusal.line > 0 &&
            static_cast<size_t>(refusal.line) <= document.index.lines()) {
            list.push(
                diagnostic(line_range(document, static_cast<size_t>(refusal.line - 1), encoding),
                           kWarning, cell_count_message(refusal)));
        }
    }
    return list;
}

}  // namespace lsp
