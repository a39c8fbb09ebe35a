#include "page_layout.h"

#include "core/text_rules.h"
#include "text/unicode/display_width.h"

namespace {

// Characters that are a cluster of their own before printable ASCII, a line
// end or one another: box pieces, kana and the common kanji. Frames are made
// of them, and the general segmentation is many times slower.
bool stands_alone(uint32_t cp) {
    return (cp >= 0x2500 && cp <= 0x257F) || (cp >= 0x3041 && cp <= 0x3096) ||
           (cp >= 0x30A1 && cp <= 0x30FA) || (cp >= 0x4E00 && cp <= 0x9FFF);
}

// The three-byte character at `at`, or 0 for any other.
uint32_t three_byte_at(std::string_view text, size_t at) {
    if (at + 3 > text.size() || (static_cast<uint8_t>(text[at]) & 0xF0) != 0xE0) {
        return 0;
    }
    return (static_cast<uint8_t>(text[at]) & 0x0Fu) << 12 |
           (static_cast<uint8_t>(text[at + 1]) & 0x3Fu) << 6 |
           (static_cast<uint8_t>(text[at + 2]) & 0x3Fu);
}

// Whether the cluster at `at` ends after one code point standing alone:
// what follows cannot join it (an escape sequence may, so ESC is not plain).
bool ends_alone(std::string_view text, size_t at) {
    if (at == text.size()) {
        return true;
    }
    const auto next = static_cast<uint8_t>(text[at]);
    if ((next >= 0x20 && next < 0x7F) || next == '\n' || next == '\r') {
        return true;
    }
    return stands_alone(three_byte_at(text, at));
}

void add_triple(std::vector<uint32_t>& triples, uint32_t offset, uint32_t units, uint32_t width) {
    triples.push_back(offset);
    triples.push_back(units);
    triples.push_back(width);
}

}  // namespace

void lay_out_clusters(std::string_view text, WidthModel model, std::vector<uint32_t>& triples) {
    uint32_t offset = 0;
    // Rules repeat one piece: its width is looked up once a run.
    uint32_t last = 0;
    uint32_t lastWidth = 0;
    for (size_t at = 0; at < text.size();) {
        const bool plain = static_cast<uint8_t>(text[at]) < 0x80 &&
                           (at + 1 == text.size() || static_cast<uint8_t>(text[at + 1]) < 0x80);
        if (plain) {
            ++at;
            ++offset;
            continue;
        }
        const uint32_t alone = three_byte_at(text, at);
        if (stands_alone(alone) && ends_alone(text, at + 3)) {
            if (alone != last) {
                last = alone;
                lastWidth = static_cast<uint32_t>(code_point_width(alone, model));
            }
            add_triple(triples, offset, 1, lastWidth);
            ++offset;
            at += 3;
            continue;
        }
        const Grapheme cluster = next_grapheme(text, at, model);
        uint32_t units = 0;
        bool ascii = true;
        for (size_t index = at; index < cluster.end; ++index) {
            const auto byte = static_cast<uint8_t>(text[index]);
            // Lead bytes start a code point; four-byte ones need a surrogate pair.
            units += text_rules::is_utf8_continuation(byte) ? 0 : byte >= 0xF0 ? 2 : 1;
            ascii = ascii && byte < 0x80;
        }
        // A line end before a box piece, say, stays text: a box would hold the break.
        if (!ascii) {
            add_triple(triples, offset, units, static_cast<uint32_t>(cluster.width));
        }
        offset += units;
        at = cluster.end;
    }
}
