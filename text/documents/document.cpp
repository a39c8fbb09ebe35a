#include "text/documents/document.h"

#include <algorithm>

#include "core/text_rules.h"
#include "text/documents/document_kinds.h"
#include "text/documents/table_edits.h"
#include "text/text_limits.h"

namespace {

// Offset of the first byte that is not UTF-8, or npos.
size_t first_malformed_byte(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        const text_rules::Utf8Char c = text_rules::decode_utf8(text, at);
        if (c.length == 0) {
            return at;
        }
        at += c.length;
    }
    return std::string_view::npos;
}

Refusal document_refusal(std::string_view text) {
    if (static_cast<int64_t>(text.size()) > kDocumentLimit) {
        Refusal refusal = refusal_of(RefusalKind::InputTooLarge);
        refusal.found = static_cast<int64_t>(text.size());
        refusal.limit = kDocumentLimit;
        return refusal;
    }
    const size_t malformed = first_malformed_byte(text);
    if (malformed != std::string_view::npos) {
        Refusal refusal = documents::refusal_at_offset(text, RefusalKind::InvalidUtf8, malformed);
        refusal.codePoint = static_cast<unsigned char>(text[malformed]);
        return refusal;
    }
    return Refusal{};
}

int32_t padding_of(const DocumentRequest& request) {
    if (request.padding != kDocumentPaddingAsKind) {
        return std::max(request.padding, 0);
    }
    return 1;
}

std::vector<DocumentTable> tables_of(std::string_view text, DocumentKind kind,
                                     const documents::TableStyle& style) {
    switch (kind) {
        case DocumentKind::Markdown:
            return documents::markdown_tables(text, style);
        case DocumentKind::Org:
            return documents::org_tables(text, style);
        case DocumentKind::Rst:
            return documents::rst_tables(text, style);
        case DocumentKind::Text:
            return documents::text_tables(text, style);
    }
    return {};
}

// The finders count offsets after the byte order mark; the outcome counts
// them in the document as given.
void shift_offsets(std::vector<DocumentTable>& tables, size_t by) {
    for (DocumentTable& table : tables) {
        for (TableLine& line : table.lines) {
            line.start += by;
            line.end += by;
        }
        for (TextEdit& edit : table.edits) {
            edit.start += by;
            edit.end += by;
        }
    }
}

std::string with_edits(std::string_view text, const std::vector<DocumentTable>& tables) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    size_t done = 0;
    for (const DocumentTable& table : tables) {
        for (const TextEdit& edit : table.edits) {
            out.append(text, done, edit.start - done);
            out += edit.text;
            done = edit.end;
        }
    }
    out.append(text, done, std::string_view::npos);
    return out;
}

int64_t last_line(const DocumentTable& table) {
    return table.line + static_cast<int64_t>(table.lines.size()) - 1;
}

bool overlaps(const DocumentTable& table, const std::vector<DocumentTable>& others) {
    return std::any_of(others.begin(), others.end(), [&](const DocumentTable& other) {
        return other.changes() && other.line <= last_line(table) && table.line <= last_line(other);
    });
}

void leave_as_it_is(DocumentTable& table) {
    table.edits.clear();
    table.refusal = refusal_of(RefusalKind::FrameMismatch);
    table.refusal.line = table.line;
    table.refusal.column = 1;
}

// Org, rst and frames are read back from lines whose borders may stand
// anywhere, so an odd table can be read otherwise once drawn. Such a table is
// left as it is: formatting twice changes nothing the second time.
void leave_unsettled_tables(std::string_view text, DocumentKind kind,
                            const documents::TableStyle& style,
                            std::vector<DocumentTable>& tables) {
    constexpr int kRounds = 3;
    for (int round = 0; round < kRounds; ++round) {
        const std::string once = with_edits(text, tables);
        const std::vector<DocumentTable> again = tables_of(once, kind, style);
        if (std::none_of(again.begin(), again.end(),
                         [](const DocumentTable& table) { return table.changes(); })) {
            return;
        }
        for (DocumentTable& table : tables) {
            if (table.changes() && (round + 1 == kRounds || overlaps(table, again))) {
                leave_as_it_is(table);
            }
        }
    }
}

}  // namespace

bool DocumentOutcome::changed() const {
    return std::any_of(tables.begin(), tables.end(),
                       [](const DocumentTable& table) { return table.changes(); });
}

bool DocumentOutcome::any_table_left() const {
    return std::any_of(tables.begin(), tables.end(), [](const DocumentTable& table) {
        return table.refusal.kind != RefusalKind::None;
    });
}

DocumentOutcome plan_document(const DocumentRequest& request) {
    DocumentOutcome outcome;
    outcome.refusal = document_refusal(request.text);
    if (!outcome.ok()) {
        return outcome;
    }
    const size_t bom = text_rules::bom_length(request.text, true);
    const documents::TableStyle style{request.widthModel, padding_of(request)};
    const std::string_view text = request.text.substr(bom);
    outcome.tables = tables_of(text, request.kind, style);
    // Markdown's cells are cut at its pipes alone, and come back as drawn.
    if (request.kind != DocumentKind::Markdown) {
        leave_unsettled_tables(text, request.kind, style, outcome.tables);
    }
    shift_offsets(outcome.tables, bom);
    return outcome;
}

DocumentOutcome format_document(const DocumentRequest& request) {
    DocumentOutcome outcome = plan_document(request);
    if (outcome.ok()) {
        outcome.text = with_edits(request.text, outcome.tables);
    }
    return outcome;
}

std::string table_source(std::string_view text, const DocumentTable& table) {
    std::string source;
    for (const TableLine& line : table.lines) {
        source.append(text, line.start, line.end - line.start);
        source += '\n';
    }
    return source;
}
