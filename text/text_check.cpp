#include "text/text_check.h"

#include "core/cp932_lead_byte.h"

namespace {
bool is_refused_control(uint32_t c) {
    return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || (c >= 0x7F && c <= 0x9F);
}

bool is_continuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Length of the valid sequence at text[at], or 0; sets codePoint.
size_t utf8_sequence(std::string_view text, size_t at, uint32_t& codePoint) {
    const auto b0 = static_cast<unsigned char>(text[at]);
    size_t length = 0;
    uint32_t min = 0;
    if (b0 < 0x80) {
        codePoint = b0;
        return 1;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        codePoint = b0 & 0x1Fu;
        min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        codePoint = b0 & 0x0Fu;
        min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        codePoint = b0 & 0x07u;
        min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - at < length) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(text[at + k]);
        if (!is_continuation(b)) {
            return 0;
        }
        codePoint = (codePoint << 6) | (b & 0x3Fu);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < min || codePoint > 0x10FFFF || surrogate) {
        return 0;
    }
    return length;
}

bool is_cp932_single(unsigned char b) {
    return b < 0x80 || (b >= 0xA1 && b <= 0xDF);
}

bool is_cp932_second(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
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
        uint32_t codePoint = 0;
        const size_t length = utf8_sequence(text, at, codePoint);
        if (length == 0 || is_refused_control(codePoint)) {
            check.fault = length == 0 ? TextFault::Malformed : TextFault::Control;
            check.offset = at;
            check.codePoint = length == 0 ? b : codePoint;
            return check;
        }
        at += length;
    }
    return check;
}

TextCheck check_cp932_text(std::string_view text) {
    TextCheck check;
    size_t at = 0;
    while (at < text.size()) {
        const auto b = static_cast<unsigned char>(text[at]);
        if (is_cp932_single(b)) {
            if (is_refused_control(b)) {
                check.fault = TextFault::Control;
                check.offset = at;
                check.codePoint = b;
                return check;
            }
            ++at;
            continue;
        }
        const bool pair = cp932_is_lead_byte(b) && at + 1 < text.size() &&
                          is_cp932_second(static_cast<unsigned char>(text[at + 1]));
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

TextPlace place_of(std::string_view text, size_t offset, bool cp932) {
    TextPlace place;
    size_t at = 0;
    while (at < offset && at < text.size()) {
        const char c = text[at];
        if (c == '\n' || c == '\r') {
            const bool crlf = c == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
            at += crlf ? 2 : 1;
            ++place.line;
            place.column = 1;
            continue;
        }
        const auto b = static_cast<unsigned char>(c);
        at += cp932 && cp932_is_lead_byte(b) ? 2 : 1;
        if (!cp932) {
            while (at < text.size() && is_continuation(static_cast<unsigned char>(text[at]))) {
                ++at;
            }
        }
        ++place.column;
    }
    return place;
}
