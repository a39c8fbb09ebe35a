// The documents the editor has open: their text as the editor holds it,
// kept in step with its full and incremental changes. Each text is held
// once, with the line index of its current version.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cli/lsp/json_value.h"
#include "cli/lsp/position_encoding.h"
#include "text/documents/document.h"

namespace lsp {

struct OpenDocument {
    std::string languageId;
    int64_t version = 0;
    std::string text;
    LineIndex index;
    DocumentKind kind = DocumentKind::Text;
};

// The kind a document is read as: by its language, else by its name's
// extension as zentab fmt decides, else text.
DocumentKind kind_of_document(std::string_view languageId, std::string_view uri);

// Applies one content change ({"text"} or {"range", "text"}) to text and its
// index. False when the change is not one.
bool apply_change(std::string& text, LineIndex& index, const JsonValue& change,
                  PositionEncoding encoding);

class OpenDocuments {
  public:
    void open(const std::string& uri, std::string languageId, int64_t version, std::string text);
    // The changes in order; false when the document is not open or a
    // change is malformed (those before it stay made).
    bool change(const std::string& uri, int64_t version, JsonValue& changes,
                PositionEncoding encoding);
    void close(const std::string& uri) { documents_.erase(uri); }
    const OpenDocument* find(const std::string& uri) const;
    std::vector<std::string> uris() const;

  private:
    std::map<std::string, OpenDocument, std::less<>> documents_;
};

}  // namespace lsp
