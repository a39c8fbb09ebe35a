// Formatting a document or the part of it a range covers: the same text
// layer as zentab fmt, and the edits it plans, as protocol text edits.
#pragma once

#include <optional>
#include <vector>

#include "cli/lsp/json_value.h"
#include "cli/lsp/open_documents.h"
#include "cli/lsp/server_settings.h"
#include "cli/lsp/table_conversion.h"
#include "text/documents/document.h"

namespace lsp {

// Lines [first, last] of a document, 0-based, both included.
struct LineSpan {
    size_t first = 0;
    size_t last = 0;

    bool meets(const LineSpan& other) const { return first <= other.last && other.first <= last; }
};

// The line end the document's first line ends in, LF when it has none.
std::string_view line_end_of(const OpenDocument& document);

DocumentOutcome plan(const OpenDocument& document, const ServerSettings& settings);

LineSpan lines_of_table(const OpenDocument& document, const DocumentTable& table);

// The lines a range covers; a range ending at the start of a later line
// leaves that line out.
LineSpan lines_of_range(const OpenDocument& document, const JsonValue& range,
                        PositionEncoding encoding);

std::vector<TextEdit> document_edits(const DocumentOutcome& outcome);

// The edits of the tables the lines meet; when they meet none, the lines'
// psv or TSV rows drawn as a table of the document's kind.
std::vector<TextEdit> range_edits(const OpenDocument& document, const DocumentOutcome& outcome,
                                  const ServerSettings& settings, LineSpan lines);

// The lines replaced by text drawn for them, each drawn line given the first
// line's prefix and the document's line end.
TextEdit replace_lines(const OpenDocument& document, LineSpan lines, size_t prefixEnd,
                       std::string_view drawn);

// Lines [first, last] drawn as a table of the document's kind from their
// psv, TSV or CSV rows.
std::optional<TextEdit> selection_as_table(const OpenDocument& document, LineSpan lines,
                                           DrawnFormat format, const ServerSettings& settings);

JsonValue range_json(const OpenDocument& document, size_t start, size_t end,
                     PositionEncoding encoding);
JsonValue edits_json(const OpenDocument& document, const std::vector<TextEdit>& edits,
                     PositionEncoding encoding);

}  // namespace lsp
