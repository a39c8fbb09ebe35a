// The page lines up Markdown documents only, and never asks frame_text for
// the Nth frame of a text: these finders, linked in place of the text
// layer's, find no tables in the other kinds, which keeps their code out of
// the page's module.
#include "text/documents/document_kinds.h"

namespace documents {

std::vector<DocumentTable> org_tables(std::string_view, const TableStyle&) {
    return {};
}

std::vector<DocumentTable> rst_tables(std::string_view, const TableStyle&) {
    return {};
}

std::vector<DocumentTable> text_tables(std::string_view, const TableStyle&) {
    return {};
}

}  // namespace documents
