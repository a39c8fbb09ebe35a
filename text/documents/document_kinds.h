// The finders behind format_document, one a kind of document. Each walks the
// whole text (no byte order mark; places count from its start) and gives back
// every table it finds, planned: its lines, the edits that line it up, or why
// it is left as it is.
#pragma once

#include <string_view>
#include <vector>

#include "text/documents/document.h"

namespace documents {

struct TableStyle {
    WidthModel widthModel = WidthModel::Narrow;
    int32_t padding = 1;  // never kDocumentPaddingAsKind here
};

std::vector<DocumentTable> markdown_tables(std::string_view text, const TableStyle& style);
std::vector<DocumentTable> org_tables(std::string_view text, const TableStyle& style);
std::vector<DocumentTable> rst_tables(std::string_view text, const TableStyle& style);
// Frames in plain text and in source comments.
std::vector<DocumentTable> text_tables(std::string_view text, const TableStyle& style);

}  // namespace documents
