#include "cli/utf8.h"

namespace {

unsigned char byte_at(std::string_view text, size_t at) {
    return static_cast<unsigned char>(text[at]);
}

bool is_continuation(std::string_view text, size_t at) {
    return at < text.size() && (byte_at(text, at) & 0xC0) == 0x80;
}

// Length of the valid sequence at text[at], or 0.
size_t sequence_length(std::string_view text, size_t at) {
    unsigned char lead = byte_at(text, at);
    if (lead < 0x80) {
        return 1;
    }
    size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    for (size_t k = 1; k < length; ++k) {
        if (!is_continuation(text, at + k)) {
            return 0;
        }
    }
    if (length < 3) {
        return length;
    }
    unsigned char second = byte_at(text, at + 1);
    bool overlong = (lead == 0xE0 && second < 0xA0) || (lead == 0xF0 && second < 0x90);
    bool surrogate = lead == 0xED && second >= 0xA0;
    bool tooHigh = lead == 0xF4 && second >= 0x90;
    return overlong || surrogate || tooHigh ? 0 : length;
}

}  // namespace

size_t find_invalid_utf8(std::string_view text) {
    size_t at = 0;
    while (at < text.size()) {
        size_t length = sequence_length(text, at);
        if (length == 0) {
            return at;
        }
        at += length;
    }
    return std::string_view::npos;
}

uint32_t decode_utf8_at(std::string_view text, size_t at) {
    size_t length = sequence_length(text, at);
    if (length <= 1) {
        return byte_at(text, at);
    }
    uint32_t value = byte_at(text, at) & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k) {
        value = (value << 6) | (byte_at(text, at + k) & 0x3Fu);
    }
    return value;
}
