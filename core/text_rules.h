// The rules of text that every layer shares: code page 932 bytes, UTF-8,
// lines, the byte order mark and the place of an offset. Written once here so
// that no two readers of the same text can disagree, and fixed rather than
// asked of the C library, so no locale can change them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace text_rules {

// Code page 932

constexpr bool is_cp932_lead_byte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr bool is_cp932_single(unsigned char byte) {
    return byte <= 0x7F || (byte >= 0xA1 && byte <= 0xDF);
}

constexpr bool is_cp932_trail_byte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// UTF-8

constexpr bool is_utf8_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

struct Utf8Char {
    uint32_t codePoint;
    uint32_t length;  // 0: not valid UTF-8 here, and codePoint is the first byte
};

// Strict: no overlong forms, surrogates, values past U+10FFFF or sequences cut
// short.
Utf8Char decode_utf8(std::string_view text, size_t at);

// For text already checked, on paths where each cycle counts: the length the
// lead byte says, cut at the end of the text, and no checks. Stray bytes give
// some value and a length of at least 1, so a walk always moves on.
inline Utf8Char decode_utf8_unchecked(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    const auto* p = reinterpret_cast<const unsigned char*>(text.data()) + at;
    uint32_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length > text.size() - at) {
        length = static_cast<uint32_t>(text.size() - at);
    }
    uint32_t codePoint = lead & (0x7Fu >> length);
    for (uint32_t k = 1; k < length; ++k) {
        codePoint = codePoint << 6 | (p[k] & 0x3Fu);
    }
    return {codePoint, length};
}

// Writes 1 to 4 bytes and returns how many. constexpr, so that the frame
// pieces' bytes are worked out as the program is built.
constexpr size_t encode_utf8(uint32_t codePoint, char* out) {
    if (codePoint < 0x80) {
        out[0] = static_cast<char>(codePoint);
        return 1;
    }
    const size_t length = codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
    const unsigned leadMark = length == 2 ? 0xC0 : length == 3 ? 0xE0 : 0xF0;
    for (size_t k = length - 1; k > 0; --k) {
        out[k] = static_cast<char>(0x80 | (codePoint & 0x3F));
        codePoint >>= 6;
    }
    out[0] = static_cast<char>(leadMark | codePoint);
    return length;
}

// Bytes of the character at text[at] for walking text that may hold stray
// bytes. Code page 932: 2 for a lead byte with a byte after it. UTF-8: as the
// lead byte says, cut short at the end or at a byte that cannot continue it,
// so stray bytes go one by one.
size_t char_length(std::string_view text, size_t at, bool cp932);

// Lines

// Lines end in LF, CR LF or a lone CR.
constexpr bool is_line_end(char c) {
    return c == '\n' || c == '\r';
}

struct Line {
    size_t start;
    size_t end;   // before the line end
    size_t next;  // where the next line begins; the size of the text after the last
};

Line line_at(std::string_view text, size_t at);

// The text without the empty lines at its end, nor the last line's line end.
std::string_view without_trailing_line_ends(std::string_view text);

// The UTF-8 byte order mark

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// 3 when utf8 and the text starts with the mark, else 0.
size_t bom_length(std::string_view text, bool utf8);

// Places

// 1-based; the column counts characters, as char_length walks them.
struct TextPlace {
    int64_t line = 1;
    int64_t column = 1;
};

// Where offset is: after every character that starts before it. CR LF is one
// line end.
TextPlace place_of(std::string_view text, size_t offset, bool cp932);

// place_of for offsets asked in increasing order, in one pass over the text in
// all. An offset before the last one asked starts the count again.
class PlaceCounter {
  public:
    PlaceCounter(std::string_view text, bool cp932) : text_(text), cp932_(cp932) {}

    TextPlace place_of(size_t offset);

  private:
    void restart();
    void step();

    std::string_view text_;
    bool cp932_;
    size_t at_ = 0;
    size_t stepStart_ = 0;  // where the character that ends at at_ began
    TextPlace place_;
};

}  // namespace text_rules
