#include "text/unicode/display_width.h"

#include <cstring>

#include "core/text_rules.h"
#include "text/unicode/code_point_props.h"
#include "text/unicode/escape_sequence.h"
#include "text/unicode/grapheme_cluster.h"

namespace {

inline bool is_printable_ascii(unsigned char byte) {
    return static_cast<unsigned>(byte - 0x20) < 0x5Fu;
}

// Whether all eight bytes at p are in 0x20..0x7E. A byte below 0x20 borrows, one
// at 0x7F carries and one above has its top bit: each sets a top bit in the
// mix. A borrow or carry may spill into a neighbour, which only sends that word
// down the byte-by-byte path.
inline bool eight_printable_ascii(const unsigned char* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    constexpr uint64_t kOnes = 0x0101010101010101u;
    uint64_t mix = (word - 0x20 * kOnes) | (word + kOnes) | word;
    return (mix & 0x80 * kOnes) == 0;
}

}  // namespace

int64_t display_width(std::string_view utf8, WidthModel model) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t size = utf8.size();
    int64_t total = 0;
    GraphemeCluster cluster;
    bool open = false;
    size_t at = 0;
    while (at < size) {
        if (is_printable_ascii(p[at]) && !(open && cluster.takes_ascii())) {
            // Each byte of the run is a cluster of width 1; only the last can
            // take in marks that follow, so it stays open.
            if (open) {
                total += cluster.width(model);
            }
            size_t end = at + 1;
            while (end + 8 <= size && eight_printable_ascii(p + end)) {
                end += 8;
            }
            while (end < size && is_printable_ascii(p[end])) {
                ++end;
            }
            total += static_cast<int64_t>(end - at - 1);
            cluster.start(kAsciiProps);
            open = true;
            at = end;
            continue;
        }
        // A colour or link sequence is invisible: the cluster around it goes on.
        if (p[at] == static_cast<unsigned char>(kEscape)) {
            const size_t escape = escape_length_at(utf8, at);
            if (escape != 0) {
                at += escape;
                continue;
            }
        }
        const text_rules::Utf8Char c = text_rules::decode_utf8_unchecked(utf8, at);
        CodePointProps props = code_point_props(c.codePoint);
        at += c.length;
        if (open && cluster.extend(c.codePoint, props)) {
            continue;
        }
        if (open) {
            total += cluster.width(model);
        }
        cluster.start(props);
        open = true;
    }
    return open ? total + cluster.width(model) : total;
}

Grapheme next_grapheme(std::string_view utf8, size_t at, WidthModel model) {
    const size_t escape = escape_length_at(utf8, at);
    if (escape != 0) {
        return Grapheme{at + escape, 0};
    }
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    // Printable ASCII before printable ASCII: nothing joins them.
    if (is_printable_ascii(p[at]) && (at + 1 == utf8.size() || is_printable_ascii(p[at + 1]))) {
        return Grapheme{at + 1, 1};
    }
    GraphemeCluster cluster;
    text_rules::Utf8Char c = text_rules::decode_utf8_unchecked(utf8, at);
    cluster.start(code_point_props(c.codePoint));
    size_t end = at + c.length;
    while (end < utf8.size()) {
        // Sequences inside a cluster belong to it when what follows them joins it.
        size_t next = end;
        while (next < utf8.size() && p[next] == static_cast<unsigned char>(kEscape)) {
            const size_t length = escape_length_at(utf8, next);
            if (length == 0) {
                break;
            }
            next += length;
        }
        if (next == utf8.size()) {
            break;
        }
        c = text_rules::decode_utf8_unchecked(utf8, next);
        if (!cluster.extend(c.codePoint, code_point_props(c.codePoint))) {
            break;
        }
        end = next + c.length;
    }
    return Grapheme{end, cluster.width(model)};
}

bool may_hold_cluster_over_two_columns(std::string_view utf8) {
    // U+FF9E and U+FF9F: EF BE 9E and EF BE 9F.
    constexpr std::string_view kSoundMarkLead = "\xEF\xBE";
    for (size_t at = utf8.find(kSoundMarkLead); at != std::string_view::npos;
         at = utf8.find(kSoundMarkLead, at + 1)) {
        const size_t last = at + kSoundMarkLead.size();
        if (last < utf8.size() && (static_cast<unsigned char>(utf8[last]) | 1u) == 0x9Fu) {
            return true;
        }
    }
    return false;
}

int code_point_width(uint32_t cp, WidthModel model) {
    GraphemeCluster cluster;
    cluster.start(code_point_props(cp));
    return cluster.width(model);
}

int looked_up_lone_cluster_width(uint32_t cp, WidthModel model) {
    // Break class Other, neither pictographic nor emoji: extend() turns it
    // away unless a Prepend character leads, and none of these is one.
    const CodePointProps props = code_point_props(cp);
    if ((props.bits & 0x3F) != 0) {
        return -1;
    }
    GraphemeCluster cluster;
    cluster.start(props);
    return cluster.width(model);
}

bool is_east_asian_ambiguous(uint32_t cp) {
    CodePointProps props = code_point_props(cp);
    return props.width_class() == WidthClass::Ambiguous && !props.emoji_presentation();
}
