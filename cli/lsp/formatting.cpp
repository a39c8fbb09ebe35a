#include "cli/lsp/formatting.h"

#include <algorithm>

#include "text/formats/json_string.h"

namespace lsp {

namespace {

Position read_position(const JsonValue* value) {
    if (value == nullptr) {
        return {};
    }
    return {static_cast<int64_t>(value->number_or("line", 0)),
            static_cast<int64_t>(value->number_or("character", 0))};
}

}  // namespace

std::string_view line_end_of(const OpenDocument& document) {
    const size_t end = document.index.line_end(document.text, 0);
    if (document.text.compare(end, 2, "\r\n") == 0) {
        return "\r\n";
    }
    return document.text.compare(end, 1, "\r") == 0 ? "\r" : "\n";
}

DocumentOutcome plan(const OpenDocument& document, const ServerSettings& settings) {
    DocumentRequest request;
    request.text = document.text;
    request.kind = document.kind;
    request.widthModel = settings.widthModel;
    request.padding = settings.padding;
    return plan_document(request);
}

LineSpan lines_of_table(const OpenDocument& document, const DocumentTable& table) {
    if (table.lines.empty()) {
        const auto line = static_cast<size_t>(std::max<int64_t>(table.line - 1, 0));
        return {line, line};
    }
    return {document.index.line_of(table.lines.front().start),
            document.index.line_of(table.lines.back().start)};
}

LineSpan lines_of_range(const OpenDocument& document, const JsonValue& range,
                        PositionEncoding encoding) {
    const Position start = read_position(range.find("start"));
    const Position end = read_position(range.find("end"));
    const size_t from =
        document.index.line_of(document.index.offset_of(document.text, start, encoding));
    size_t to = document.index.line_of(document.index.offset_of(document.text, end, encoding));
    if (to > from && end.character == 0) {
        --to;
    }
    return {from, std::max(from, to)};
}

std::vector<TextEdit> document_edits(const DocumentOutcome& outcome) {
    std::vector<TextEdit> edits;
    for (const DocumentTable& table : outcome.tables) {
        edits.insert(edits.end(), table.edits.begin(), table.edits.end());
    }
    return edits;
}

TextEdit replace_lines(const OpenDocument& document, LineSpan lines, size_t prefixEnd,
                       std::string_view drawn) {
    const size_t start = document.index.line_start(lines.first);
    const std::string_view prefix =
        std::string_view(document.text).substr(start, prefixEnd - start);
    const std::string_view lineEnd = line_end_of(document);
    TextEdit edit{start, document.index.line_end(document.text, lines.last), ""};
    for (size_t at = 0; at < drawn.size();) {
        const size_t next = std::min(drawn.find('\n', at), drawn.size());
        if (!edit.text.empty()) {
            edit.text += lineEnd;
        }
        edit.text += prefix;
        edit.text.append(drawn.substr(at, next - at));
        at = next + 1;
    }
    return edit;
}

std::optional<TextEdit> selection_as_table(const OpenDocument& document, LineSpan lines,
                                           DrawnFormat format, const ServerSettings& settings) {
    const size_t start = document.index.line_start(lines.first);
    const size_t end = document.index.line_end(document.text, lines.last);
    const std::optional<Cells> cells =
        cells_of_selection(std::string_view(document.text).substr(start, end - start));
    if (!cells) {
        return std::nullopt;
    }
    const std::optional<std::string> drawn = draw_cells(*cells, format, settings);
    if (!drawn) {
        return std::nullopt;
    }
    // The rows keep the first line's indent.
    const size_t indent = document.text.find_first_not_of(" \t", start);
    return replace_lines(document, lines, std::min(indent, end), *drawn);
}

std::vector<TextEdit> range_edits(const OpenDocument& document, const DocumentOutcome& outcome,
                                  const ServerSettings& settings, LineSpan lines) {
    std::vector<TextEdit> edits;
    bool metTable = false;
    for (const DocumentTable& table : outcome.tables) {
        if (lines_of_table(document, table).meets(lines)) {
            metTable = true;
            edits.insert(edits.end(), table.edits.begin(), table.edits.end());
        }
    }
    if (!metTable) {
        if (std::optional<TextEdit> edit = selection_as_table(
                document, lines, format_of_kind(document.kind, settings.frameType), settings)) {
            edits.push_back(std::move(*edit));
        }
    }
    return edits;
}

JsonValue range_json(const OpenDocument& document, size_t start, size_t end,
                     PositionEncoding encoding) {
    auto position = [&](size_t offset) {
        const Position at = document.index.position_of(document.text, offset, encoding);
        return JsonValue::object().set("line", at.line).set("character", at.character);
    };
    return JsonValue::object().set("start", position(start)).set("end", position(end));
}

JsonValue edits_json(const OpenDocument& document, const std::vector<TextEdit>& edits,
                     PositionEncoding encoding) {
    std::string json = "[";
    auto append_position = [&](size_t offset) {
        const Position at = document.index.position_of(document.text, offset, encoding);
        json += "{\"line\":" + std::to_string(at.line) +
                ",\"character\":" + std::to_string(at.character) + "}";
    };
    for (const TextEdit& edit : edits) {
        if (json.size() > 1) {
            json += ',';
        }
        json += "{\"range\":{\"start\":";
        append_position(edit.start);
        json += ",\"end\":";
        append_position(edit.end);
        json += "},\"newText\":";
        formats::append_json_string(json, edit.text);
        json += '}';
    }
    json += ']';
    return JsonValue::written(std::move(json));
}

}  // namespace lsp
