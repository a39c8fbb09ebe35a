#include "cli/lsp/open_documents.h"

#include <zentab.h>

#include "cli/fmt_options.h"

namespace lsp {

namespace {

std::string_view path_of(std::string_view uri) {
    const size_t cut = uri.find_first_of("?#");
    return uri.substr(0, cut);
}

bool read_position(const JsonValue* value, Position& position) {
    if (value == nullptr || !value->is_object()) {
        return false;
    }
    const JsonValue* line = value->find("line");
    const JsonValue* character = value->find("character");
    if (line == nullptr || character == nullptr || !line->is_number() || !character->is_number()) {
        return false;
    }
    position = {static_cast<int64_t>(line->as_number()),
                static_cast<int64_t>(character->as_number())};
    return true;
}

}  // namespace

DocumentKind kind_of_document(std::string_view languageId, std::string_view uri) {
    if (languageId == "markdown") {
        return DocumentKind::Markdown;
    }
    if (languageId == "org") {
        return DocumentKind::Org;
    }
    if (languageId == "rst" || languageId == "restructuredtext") {
        return DocumentKind::Rst;
    }
    return static_cast<DocumentKind>(kind_of_file(std::string(path_of(uri))));
}

bool apply_change(std::string& text, LineIndex& index, const JsonValue& change,
                  PositionEncoding encoding) {
    const JsonValue* replacement = change.find("text");
    if (replacement == nullptr || !replacement->is_string()) {
        return false;
    }
    const JsonValue* range = change.find("range");
    if (range == nullptr) {
        text = replacement->as_string();
        index = LineIndex(text);
        return true;
    }
    Position start;
    Position end;
    if (!range->is_object() || !read_position(range->find("start"), start) ||
        !read_position(range->find("end"), end)) {
        return false;
    }
    size_t from = index.offset_of(text, start, encoding);
    size_t to = index.offset_of(text, end, encoding);
    if (to < from) {
        std::swap(from, to);
    }
    text.replace(from, to - from, replacement->as_string());
    index = LineIndex(text);
    return true;
}

void OpenDocuments::open(const std::string& uri, std::string languageId, int64_t version,
                         std::string text) {
    OpenDocument& document = documents_[uri];
    document.kind = kind_of_document(languageId, uri);
    document.languageId = std::move(languageId);
    document.version = version;
    document.text = std::move(text);
    document.index = LineIndex(document.text);
}

bool OpenDocuments::change(const std::string& uri, int64_t version, JsonValue& changes,
                           PositionEncoding encoding) {
    const auto found = documents_.find(uri);
    if (found == documents_.end() || !changes.is_array()) {
        return false;
    }
    OpenDocument& document = found->second;
    document.version = version;
    for (const JsonValue& change : changes.items()) {
        if (!change.is_object() || !apply_change(document.text, document.index, change, encoding)) {
            return false;
        }
    }
    return true;
}

const OpenDocument* OpenDocuments::find(const std::string& uri) const {
    const auto found = documents_.find(uri);
    return found == documents_.end() ? nullptr : &found->second;
}

std::vector<std::string> OpenDocuments::uris() const {
    std::vector<std::string> found;
    for (const auto& [uri, document] : documents_) {
        found.push_back(uri);
    }
    return found;
}

}  // namespace lsp
