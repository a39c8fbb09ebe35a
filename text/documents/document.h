// Documents with tables in them: Markdown, Org, reStructuredText and plain
// text (frames, also inside source comments). Every table found is lined up
// in place and nothing else is touched: the bytes outside the tables, and
// every cell's text inside them, come back as they went in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/refusal.h"
#include "text/width_model.h"

// The numbers are the C API's, Python's and the web module's too.
enum class DocumentKind : uint8_t { Markdown, Org, Rst, Text };

struct DocumentRequest {
    std::string_view text;  // UTF-8, a byte order mark allowed
    DocumentKind kind = DocumentKind::Markdown;
    // Until the document says otherwise (a "zentab: wide" comment).
    WidthModel widthModel = WidthModel::Narrow;
    // Spaces on each side of a cell; kDocumentPaddingAsKind: as people write
    // the kind (1 in Markdown and Org).
    int32_t padding = -1;
};

constexpr int32_t kDocumentPaddingAsKind = -1;

// [start, end) of the input becomes text.
struct TextEdit {
    size_t start = 0;
    size_t end = 0;
    std::string text;
};

// A line of a table: where its own text lies, after any container prefix
// (block quote, list indent, comment marker) and before its line end.
struct TableLine {
    size_t start = 0;
    size_t end = 0;
};

struct DocumentTable {
    int64_t line = 0;  // 1-based, of its first line
    std::vector<TableLine> lines;
    // The fewest edits that line it up, in order and apart; none when it is
    // aligned already or was left as it is.
    std::vector<TextEdit> edits;
    // Why it was left as it is; RefusalKind::None when it was lined up.
    Refusal refusal;

    bool changes() const { return !edits.empty(); }
};

struct DocumentOutcome {
    std::string text;  // the document with every table's edits made
    std::vector<DocumentTable> tables;
    // The document refused as a whole (too large, not UTF-8): text is empty.
    Refusal refusal;

    bool ok() const { return refusal.kind == RefusalKind::None; }
    bool changed() const;
    bool any_table_left() const;  // some table was left as it is
};

DocumentOutcome format_document(const DocumentRequest& request);

// The tables of a document found and planned, without the edits made.
DocumentOutcome plan_document(const DocumentRequest& request);

// The lines of a table as one text, each line's own text ending in LF: what
// a table reader reads when asked for one table of a document.
std::string table_source(std::string_view text, const DocumentTable& table);
