#include "text/input_check.h"

#include "core/text_rules.h"
#include "text/text_check.h"

Refusal check_text(std::string_view text, TextEncoding encoding) {
    const bool cp932 = encoding == TextEncoding::Cp932;
    const TextCheck check = cp932 ? check_cp932_text(text) : check_utf8_text(text);
    if (check.fault == TextFault::None) {
        return {};
    }
    RefusalKind kind = RefusalKind::ControlCharacter;
    if (check.fault == TextFault::Malformed) {
        kind = cp932 ? RefusalKind::InvalidCp932 : RefusalKind::InvalidUtf8;
    }
    Refusal refusal = refusal_of(kind);
    const text_rules::TextPlace place = text_rules::place_of(text, check.offset, cp932);
    refusal.line = place.line;
    refusal.column = place.column;
    refusal.codePoint = check.codePoint;
    if (kind == RefusalKind::InvalidUtf8) {
        refusal.validCp932 = check_cp932_text(text).fault == TextFault::None;
    }
    return refusal;
}

std::string_view without_bom(std::string_view text, TextEncoding encoding) {
    text.remove_prefix(text_rules::bom_length(text, encoding == TextEncoding::Utf8));
    return text;
}

Refusal check_input_text(std::string_view text, TextEncoding encoding, int64_t limit) {
    if (static_cast<int64_t>(text.size()) > limit) {
        Refusal refusal = refusal_of(RefusalKind::InputTooLarge);
        refusal.found = static_cast<int64_t>(text.size());
        refusal.limit = limit;
        return refusal;
    }
    return check_text(without_bom(text, encoding), encoding);
}
