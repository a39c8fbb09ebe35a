#include "text/text_check.h"

#include <algorithm>
#include <cstring>

#include "core/byte_blocks.h"
#include "core/text_rules.h"
#include "text/unicode/escape_sequence.h"

namespace {
bool is_refused_control(uint32_t c) {
    return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || (c >= 0x7F && c <= 0x9F);
}

// Whether eight bytes are all printable ASCII, TAB, LF or CR, as most of a
// table is: then none of them needs a closer look.
bool plain_word(const char* bytes) {
    using byte_blocks::zero_bytes;
    constexpr uint64_t kOnes = byte_blocks::kOnes;
    constexpr uint64_t kHigh = byte_blocks::kHighBits;
    uint64_t word;
    std::memcpy(&word, bytes, 8);
    const uint64_t atLeastSpace = ((word & byte_blocks::kLowBits) + kOnes * 0x60) & kHigh;
    const uint64_t allowedControl = zero_bytes(word ^ (kOnes * '\t')) |
                                    zero_bytes(word ^ (kOnes * '\n')) |
                                    zero_bytes(word ^ (kOnes * '\r'));
    const uint64_t refused = (word & kHigh) | (~atLeastSpace & kHigh & ~allowedControl) |
                             zero_bytes(word ^ (kOnes * 0x7F));
    return refused == 0;
}
// The characters from at up to at least stop, one by one; false at the first
// that is refused.
bool check_utf8_chars(std::string_view text, size_t& at, size_t stop, TextCheck& check) {
    while (at < stop) {
        const auto b = static_cast<unsigned char>(text[at]);
        if ((b >= 0x20 && b < 0x7F) || b == '\t' || b == '\n' || b == '\r') {
            ++at;
            continue;
        }
        // Three-byte characters led by E1..EC or EE..EF are never overlong,
        // surrogates or controls: most of CJK text, checked without decoding.
        if (text.size() - at >= 3 && ((b >= 0xE1 && b <= 0xEC) || b >= 0xEE) && b <= 0xEF &&
            text_rules::is_utf8_continuation(static_cast<unsigned char>(text[at + 1])) &&
            text_rules::is_utf8_continuation(static_cast<unsigned char>(text[at + 2]))) {
            at += 3;
            continue;
        }
        if (b == static_cast<unsigned char>(kEscape)) {
            const size_t escape = escape_length_at(text, at);
            if (escape != 0) {
                at += escape;
                continue;
            }
        }
        const text_rules::Utf8Char c = text_rules::decode_utf8(text, at);
        if (c.length == 0 || is_refused_control(c.codePoint)) {
            check.fault = c.length == 0 ? TextFault::Malformed : TextFault::Control;
            check.offset = at;
            check.codePoint = c.codePoint;
            return false;
        }
        at += c.length;
    }
    return true;
}
}  // namespace

TextCheck check_utf8_text(std::string_view text) {
    TextCheck check;
    size_t at = 0;
    while (at < text.size()) {
        if (text.size() - at >= 8 && plain_word(text.data() + at)) {
            at += 8;
        } else if (!check_utf8_chars(text, at, std::min(text.size(), at + 8), check)) {
            return check;
        }
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
