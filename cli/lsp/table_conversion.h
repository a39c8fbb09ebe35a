// A table of a document, or a selection of psv, TSV or CSV rows, read into
// cells and written again in another format through the C library.
#pragma once

#include <zentab.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/lsp/server_settings.h"
#include "text/documents/document.h"

namespace lsp {

using Cells = std::vector<std::vector<std::string>>;

struct DrawnFormat {
    zentab_format format;
    int frameType = 1;  // for frames
};

// The format a table of each kind is drawn in.
DrawnFormat format_of_kind(DocumentKind kind, int frameType);

// The cells of a table found in a document of that kind; nothing when its
// drawing cannot be read back as cells.
std::optional<Cells> cells_of_table(std::string_view text, const DocumentTable& table,
                                    DocumentKind kind);

// The cells of selected lines: psv or TSV when every line holding text has a
// '|' or a TAB, else CSV when every one has a comma.
std::optional<Cells> cells_of_selection(std::string_view lines);

// The cells drawn in the format, its lines each ending in LF; nothing when
// the format cannot hold them.
std::optional<std::string> draw_cells(const Cells& cells, DrawnFormat format,
                                      const ServerSettings& settings);

}  // namespace lsp
