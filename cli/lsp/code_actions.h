// The code actions offered on a range: aligning the table it meets,
// converting that table (or selected psv, TSV or CSV rows) to another format,
// and switching the width model for that table alone.
#pragma once

#include <string>

#include "cli/lsp/formatting.h"

namespace lsp {

// params is the request's: its range, and its context's diagnostics and only.
JsonValue code_actions(const std::string& uri, const OpenDocument& document,
                       const DocumentOutcome& outcome, const ServerSettings& settings,
                       const JsonValue& params, PositionEncoding encoding);

}  // namespace lsp
