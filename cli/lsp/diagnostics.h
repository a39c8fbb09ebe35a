// What the server marks in a document: tables out of alignment, and rows
// with more or fewer cells than their table's header.
#pragma once

#include "cli/lsp/formatting.h"

namespace lsp {

inline constexpr const char* kNotAligned = "table not aligned";
// How the message of a row with too many or too few cells starts.
inline constexpr const char* kCellCount = "this row has ";

JsonValue diagnostics(const OpenDocument& document, const DocumentOutcome& outcome,
                      PositionEncoding encoding);

}  // namespace lsp
