#include "text/documents/table_edits.h"

#include "core/text_rules.h"

namespace documents {

Refusal refusal_at_offset(std::string_view text, RefusalKind kind, size_t offset) {
    const text_rules::TextPlace place = text_rules::place_of(text, offset, false);
    Refusal refusal = refusal_of(kind);
    refusal.line = place.line;
    refusal.column = place.column;
    return refusal;
}

Refusal unmeasurable_text(std::string_view text, const std::vector<TableLine>& lines) {
    for (const TableLine& line : lines) {
        for (size_t at = line.start; at < line.end;) {
            const auto byte = static_cast<unsigned char>(text[at]);
            if (byte >= 0x20 && byte < 0x7F) {
                ++at;
                continue;
            }
            const text_rules::Utf8Char c = text_rules::decode_utf8(text, at);
            if (c.length == 0 || at + c.length > line.end) {
                Refusal refusal = refusal_at_offset(text, RefusalKind::InvalidUtf8, at);
                refusal.codePoint = byte;
                return refusal;
            }
            if (c.codePoint < 0x20 || (c.codePoint >= 0x7F && c.codePoint < 0xA0)) {
                Refusal refusal = refusal_at_offset(text, RefusalKind::ControlCharacter, at);
                refusal.codePoint = c.codePoint;
                return refusal;
            }
            at += c.length;
        }
    }
    return Refusal{};
}

std::vector<TextEdit> line_edits(std::string_view text, const std::vector<TableLine>& lines,
                                 const std::vector<std::string>& drawn) {
    std::vector<TextEdit> edits;
    for (size_t i = 0; i < lines.size() && i < drawn.size(); ++i) {
        const std::string_view was = text.substr(lines[i].start, lines[i].end - lines[i].start);
        if (was != drawn[i]) {
            edits.push_back({lines[i].start, lines[i].end, drawn[i]});
        }
    }
    return edits;
}

}  // namespace documents
