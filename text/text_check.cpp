#include "text/text_check.h"

#include "core/text_rules.h"

namespace {
bool is_refused_control(uint32_t c) {
    return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || (c >= 0x7F && c <= 0x9F);
}
}  // namespace

TextCheck check_utf8_text(std::string_view text) {
    TextCheck check;
    size_t at = 0;
    while (at < text.size()) {
        const auto b = static_cast<unsigned char>(text[at]);
        if (b >= 0x20 && b < 0x7F) {
            ++at;
            continue;
        }
        const text_rules::Utf8Char c = text_rules::decode_utf8(text, at);
        if (c.length == 0 || is_refused_control(c.codePoint)) {
            check.fault = c.length == 0 ? TextFault::Malformed : TextFault::Control;
            check.offset = at;
            check.codePoint = c.codePoint;
            return check;
        }
        at += c.length;
    }
    return check;
}

TextCheck check_cp932_text(std::string_view text) {
    TextCheck check;
    size_t at = 0;
    while (at < text.size()) {
        const auto b = static_cast<unsigned char>(text[at]);
        if (text_rules::is_cp932_single(b)) {
            if (is_refused_control(b)) {
                check.fault = TextFault::Control;
                check.offset = at;
                check.codePoint = b;
                return check;
            }
            ++at;
            continue;
        }
        const bool pair = text_rules::is_cp932_lead_byte(b) && at + 1 < text.size() &&
                          text_rules::is_cp932_trail_byte(static_cast<unsigned char>(text[at + 1]));
        if (!pair) {
            check.fault = TextFault::Malformed;
            check.offset = at;
            check.codePoint = b;
            return check;
        }
        at += 2;
    }
    return check;
}
