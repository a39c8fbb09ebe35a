#include "core/text_rules.h"

#include <climits>
#include <cstring>

#include "core/byte_blocks.h"

namespace text_rules {

Utf8Char decode_utf8(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    uint32_t length = 0;
    uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
    } else {
        return {lead, 0};
    }
    if (text.size() - at < length) {
        return {lead, 0};
    }
    uint32_t codePoint = lead & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if (!is_utf8_continuation(next)) {
            return {lead, 0};
        }
        codePoint = codePoint << 6 | (next & 0x3Fu);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) {
        return {lead, 0};
    }
    return {codePoint, length};
}

size_t char_length(std::string_view text, size_t at, bool cp932) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (cp932) {
        return is_cp932_lead_byte(lead) && at + 1 < text.size() ? 2 : 1;
    }
    size_t want = 1;
    if (lead >= 0xF0 && lead <= 0xF4) {
        want = 4;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        want = 3;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        want = 2;
    }
    size_t length = 1;
    while (length < want && at + length < text.size() &&
           is_utf8_continuation(static_cast<unsigned char>(text[at + length]))) {
        ++length;
    }
    return length;
}

Line line_at(std::string_view text, size_t at) {
    size_t end = at;
    if (text.size() <= INT32_MAX) {
        // Lines are found eight bytes at a time: most of a table is not line ends.
        constexpr byte_blocks::Targets kLineEnds{'\n', '\r', false};
        end = static_cast<size_t>(byte_blocks::next_target(
            text.data(), static_cast<int32_t>(at), static_cast<int32_t>(text.size()), kLineEnds));
    }
    while (end < text.size() && !is_line_end(text[end])) {
        ++end;
    }
    size_t next = end;
    if (next < text.size()) {
        next += text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1;
    }
    return {at, end, next};
}

std::string_view without_trailing_line_ends(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && is_line_end(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

size_t bom_length(std::string_view text, bool utf8) {
    return utf8 && text.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom.size() : 0;
}

namespace {
// Eight characters of one byte each on one line: counted in one step.
bool plain_ascii_word(const char* bytes) {
    using byte_blocks::kOnes;
    using byte_blocks::zero_bytes;
    uint64_t word;
    std::memcpy(&word, bytes, 8);
    return ((word & byte_blocks::kHighBits) | zero_bytes(word ^ (kOnes * '\n')) |
            zero_bytes(word ^ (kOnes * '\r'))) == 0;
}
}  // namespace

TextPlace place_of(std::string_view text, size_t offset, bool cp932) {
    return PlaceCounter(text, cp932).place_of(offset);
}

TextPlace PlaceCounter::place_of(size_t offset) {
    // Offsets after stepStart_ up to at_ fall after the same characters.
    if (offset <= stepStart_ && at_ > 0) {
        restart();
    }
    while (at_ < offset && at_ < text_.size()) {
        if (offset - at_ >= 8 && text_.size() - at_ >= 8 && plain_ascii_word(text_.data() + at_)) {
            at_ += 8;
            place_.column += 8;
            stepStart_ = at_ - 1;
            continue;
        }
        step();
    }
    return place_;
}

void PlaceCounter::restart() {
    at_ = 0;
    stepStart_ = 0;
    place_ = TextPlace{};
}

void PlaceCounter::step() {
    stepStart_ = at_;
    const char c = text_[at_];
    if (is_line_end(c)) {
        const bool crlf = c == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n';
        at_ += crlf ? 2 : 1;
        ++place_.line;
        place_.column = 1;
        return;
    }
    size_t length = char_length(text_, at_, cp932_);
    // A lead byte does not take a line end with it, so lines stay those of line_at.
    if (length == 2 && is_line_end(text_[at_ + 1])) {
        length = 1;
    }
    at_ += length;
    ++place_.column;
}

}  // namespace text_rules
