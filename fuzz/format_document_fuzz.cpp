// Fuzz target: documents of arbitrary bytes, of the kind and width model the
// first byte gives. An outcome is either refused with no text, or the
// document with each table's edits made: edits in order, apart, inside the
// document, and never on a table left as it is. Formatting the result again
// changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/documents/document.h"

namespace {

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

DocumentRequest request_of(const uint8_t* data, size_t size) {
    DocumentRequest request;
    const uint8_t choice = size > 0 ? data[0] : 0;
    request.kind = static_cast<DocumentKind>(choice % 4);
    request.widthModel = choice & 0x80 ? WidthModel::Wide : WidthModel::Narrow;
    request.padding = static_cast<int32_t>((choice >> 2) % 4) - 1;  // -1: the kind's own
    if (size > 0) {
        request.text = std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1);
    }
    return request;
}

void check_tables(const DocumentRequest& request, const DocumentOutcome& outcome) {
    size_t done = 0;
    for (const DocumentTable& table : outcome.tables) {
        require(table.line >= 1);
        require(table.refusal.kind == RefusalKind::None || table.edits.empty());
        for (const TextEdit& edit : table.edits) {
            require(edit.start >= done && edit.start <= edit.end &&
                    edit.end <= request.text.size());
            done = edit.end;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const DocumentRequest request = request_of(data, size);
    const DocumentOutcome outcome = format_document(request);
    if (!outcome.ok()) {
        require(outcome.text.empty() && outcome.tables.empty());
        return 0;
    }
    check_tables(request, outcome);
    require(outcome.changed() || outcome.text == request.text);
    DocumentRequest again = request;
    again.text = outcome.text;
    require(format_document(again).text == outcome.text);
    return 0;
}
