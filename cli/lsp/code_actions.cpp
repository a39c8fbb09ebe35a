#include "cli/lsp/code_actions.h"

#include "cli/lsp/diagnostics.h"

namespace lsp {

namespace {

constexpr const char* kQuickFix = "quickfix";
constexpr const char* kRewrite = "refactor.rewrite";

struct Conversion {
    const char* title;
    DrawnFormat format;
};

std::vector<Conversion> conversions() {
    std::vector<Conversion> list = {
        {"Convert to Markdown table", {ZENTAB_FORMAT_MARKDOWN}},
        {"Convert to Org table", {ZENTAB_FORMAT_ORG}},
        {"Convert to rst grid table", {ZENTAB_FORMAT_RST}},
        {"Convert to CSV", {ZENTAB_FORMAT_CSV}},
    };
    static const char* const kFrames[] = {"Convert to frame type 1", "Convert to frame type 2",
                                          "Convert to frame type 3", "Convert to frame type 4",
                                          "Convert to frame type 5", "Convert to frame type 6"};
    for (int type = 1; type <= 6; ++type) {
        list.push_back({kFrames[type - 1], {ZENTAB_FORMAT_FRAME, type}});
    }
    return list;
}

// The kind's comment holding a directive, after the table's own prefix.
std::string directive_line(DocumentKind kind, const std::string& word) {
    switch (kind) {
        case DocumentKind::Markdown:
            return "<!-- zentab: " + word + " -->";
        case DocumentKind::Org:
            return "# zentab: " + word;
        case DocumentKind::Rst:
            return ".. zentab: " + word;
        case DocumentKind::Text:
            return "zentab: " + word;
    }
    return "zentab: " + word;
}

class ActionList {
  public:
    ActionList(const std::string& uri, const OpenDocument& document, const JsonValue& params,
               PositionEncoding encoding)
        : uri_(uri), document_(document), encoding_(encoding) {
        const JsonValue* context = params.find("context");
        if (context != nullptr) {
            if (const JsonValue* only = context->find("only");
                only != nullptr && only->is_array()) {
                only_ = only;
            }
            diagnostics_ = context->find("diagnostics");
        }
    }

    void add(const std::string& title, const char* kind, const std::vector<TextEdit>& edits,
             JsonValue fixed = JsonValue()) {
        if (edits.empty() || !wanted(kind)) {
            return;
        }
        JsonValue changes = JsonValue::object().set(uri_, edits_json(document_, edits, encoding_));
        JsonValue action = JsonValue::object()
                               .set("title", title)
                               .set("kind", kind)
                               .set("edit", JsonValue::object().set("changes", std::move(changes)));
        if (!fixed.is_null()) {
            action.set("diagnostics", std::move(fixed)).set("isPreferred", true);
        }
        list_.push(std::move(action));
    }

    // The editor's diagnostics of ours that aligning the table on lines
    // fixes: out of alignment, or a row short of cells.
    JsonValue fixed_by_aligning(LineSpan lines) const {
        JsonValue found = JsonValue::array();
        if (diagnostics_ == nullptr || !diagnostics_->is_array()) {
            return found;
        }
        for (const JsonValue& diagnostic : diagnostics_->items()) {
            const JsonValue* range = diagnostic.find("range");
            const JsonValue* start = range != nullptr ? range->find("start") : nullptr;
            const double line = start != nullptr ? start->number_or("line", -1) : -1;
            const std::string message = diagnostic.string_or("message", "");
            if (diagnostic.string_or("source", "") != "zentab" || line < 0) {
                continue;
            }
            const auto at = static_cast<size_t>(line);
            if ((message == kNotAligned && at == lines.first) ||
                (message.compare(0, std::string_view(kCellCount).size(), kCellCount) == 0 &&
                 lines.meets({at, at}))) {
                found.push(diagnostic);
            }
        }
        return found;
    }

    JsonValue take() { return std::move(list_); }

  private:
    bool wanted(const std::string& kind) const {
        if (only_ == nullptr) {
            return true;
        }
        for (const JsonValue& prefix : only_->items()) {
            const std::string& wantedKind = prefix.as_string();
            if (kind.compare(0, wantedKind.size(), wantedKind) == 0 &&
                (kind.size() == wantedKind.size() || kind[wantedKind.size()] == '.')) {
                return true;
            }
        }
        return false;
    }

    const std::string& uri_;
    const OpenDocument& document_;
    PositionEncoding encoding_;
    const JsonValue* only_ = nullptr;
    const JsonValue* diagnostics_ = nullptr;
    JsonValue list_ = JsonValue::array();
};

// The table aligned in the width model, with directives around it that set
// the model for it and give back the other one after it.
std::optional<TextEdit> in_width_model(const OpenDocument& document, const DocumentTable& table,
                                       const ServerSettings& settings, WidthModel model) {
    const LineSpan lines = lines_of_table(document, table);
    const size_t start = document.index.line_start(lines.first);
    const size_t end = document.index.line_end(document.text, lines.last);
    DocumentRequest request;
    const std::string own = document.text.substr(start, end - start);
    request.text = own;
    request.kind = document.kind;
    request.widthModel = model;
    request.padding = settings.padding;
    const DocumentOutcome aligned = format_document(request);
    if (!aligned.ok()) {
        return std::nullopt;
    }
    const bool wide = model == WidthModel::Wide;
    // Text's comment markers and any indent are the table's prefix, and
    // its directives need them too.
    const size_t prefixEnd = table.lines.empty() ? start : table.lines.front().start;
    const std::string_view prefix =
        std::string_view(document.text).substr(start, prefixEnd - start);
    const std::string_view lineEnd = line_end_of(document);
    // An rst comment ends at a blank line, or it would take the table in.
    const std::string_view gap = document.kind == DocumentKind::Rst ? lineEnd : "";
    std::string text(prefix);
    text += directive_line(document.kind, wide ? "wide" : "narrow");
    text += lineEnd;
    text += gap;
    text += aligned.text;
    text += lineEnd;
    text += gap;
    text += prefix;
    text += directive_line(document.kind, wide ? "narrow" : "wide");
    return TextEdit{start, end, std::move(text)};
}

void table_actions(ActionList& actions, const OpenDocument& document, const DocumentTable& table,
                   const ServerSettings& settings) {
    const LineSpan lines = lines_of_table(document, table);
    actions.add("Align table", kRewrite, table.edits);
    JsonValue fixed = actions.fixed_by_aligning(lines);
    if (!fixed.items().empty()) {
        actions.add("Align table", kQuickFix, table.edits, std::move(fixed));
    }
    if (const std::optional<Cells> cells = cells_of_table(document.text, table, document.kind)) {
        const size_t prefixEnd = table.lines.empty() ? document.index.line_start(lines.first)
                                                     : table.lines.front().start;
        for (const Conversion& conversion : conversions()) {
            if (const std::optional<std::string> drawn =
                    draw_cells(*cells, conversion.format, settings)) {
                actions.add(conversion.title, kRewrite,
                            {replace_lines(document, lines, prefixEnd, *drawn)});
            }
        }
    }
    if (table.refusal.kind != RefusalKind::None) {
        return;  // no width model lines up a table left as it is
    }
    for (const WidthModel model : {WidthModel::Wide, WidthModel::Narrow}) {
        if (std::optional<TextEdit> edit = in_width_model(document, table, settings, model)) {
            actions.add(model == WidthModel::Wide ? "Use the wide width model for this table"
                                                  : "Use the narrow width model for this table",
                        kRewrite, {*edit});
        }
    }
}

}  // namespace

JsonValue code_actions(const std::string& uri, const OpenDocument& document,
                       const DocumentOutcome& outcome, const ServerSettings& settings,
                       const JsonValue& params, PositionEncoding encoding) {
    ActionList actions(uri, document, params, encoding);
    const JsonValue* range = params.find("range");
    const LineSpan lines =
        range != nullptr ? lines_of_range(document, *range, encoding) : LineSpan{};
    bool metTable = false;
    for (const DocumentTable& table : outcome.tables) {
        if (lines_of_table(document, table).meets(lines)) {
            metTable = true;
            table_actions(actions, document, table, settings);
            break;
        }
    }
    if (!metTable) {
        for (const Conversion& conversion : conversions()) {
            if (std::optional<TextEdit> edit =
                    selection_as_table(document, lines, conversion.format, settings)) {
                actions.add(conversion.title, kRewrite, {*edit});
            }
        }
    }
    return actions.take();
}

}  // namespace lsp
