#include "text/unicode/display_width.h"

#include <cstring>

#include "core/text_rules.h"
#include "text/unicode/code_point_props.h"
#include "text/unicode/escape_sequence.h"

namespace {

constexpr uint32_t kVariationSelector16 = 0xFE0F;
// Half-width katakana sound marks extend their kana's cluster, yet code page
// 932 and terminals show each as a half-width character of its own.
constexpr uint32_t kHalfwidthVoicedMark = 0xFF9E;
constexpr uint32_t kHalfwidthSemiVoicedMark = 0xFF9F;

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

// One extended grapheme cluster as it grows, code point by code point.
class Cluster {
  public:
    void start(CodePointProps props) {
        first = props;
        last = props.grapheme_break();
        firstIsPictographic = props.extended_pictographic();
        pictographicTail = firstIsPictographic;
        afterPictographicZwj = false;
        regionalIndicatorOdd = last == GraphemeBreak::RegionalIndicator;
        // A regional indicator is shown as emoji only in a pair.
        emoji = props.emoji_presentation() && !regionalIndicatorOdd;
        count = 1;
        soundMarks = 0;
    }

    // Appends cp when no boundary comes before it, and says whether it did.
    bool extend(uint32_t cp, CodePointProps props) {
        // Most text is letters of break class Other and not pictographic: only
        // a Prepend character takes them in.
        if ((props.bits & 0x1F) == 0) {
            if (last != GraphemeBreak::Prepend) {
                return false;
            }
        }
        GraphemeBreak next = props.grapheme_break();
        if (!joins(next, props.extended_pictographic())) {
            return false;
        }
        if (count == 1 && cp == kVariationSelector16 && firstIsPictographic) {
            emoji = true;
        }
        if (cp == kHalfwidthVoicedMark || cp == kHalfwidthSemiVoicedMark) {
            ++soundMarks;
        }
        bool pictographic = props.extended_pictographic();
        afterPictographicZwj = next == GraphemeBreak::ZWJ && pictographicTail;
        pictographicTail = pictographic || (next == GraphemeBreak::Extend && pictographicTail);
        regionalIndicatorOdd = next == GraphemeBreak::RegionalIndicator && !regionalIndicatorOdd;
        last = next;
        ++count;
        return true;
    }

    // A Prepend character takes in whatever follows, ASCII included.
    bool takes_ascii() const { return last == GraphemeBreak::Prepend; }

    int32_t width(WidthModel model) const {
        if (emoji) {
            return 2;
        }
        return first_width(model) + soundMarks;
    }

  private:
    int32_t first_width(WidthModel model) const {
        switch (first.width_class()) {
            case WidthClass::Zero:
                return 0;
            case WidthClass::One:
                return 1;
            case WidthClass::Two:
                return 2;
            case WidthClass::Ambiguous:
                break;
        }
        return model == WidthModel::Wide ? 2 : 1;
    }

    bool joins(GraphemeBreak next, bool pictographic) {
        using G = GraphemeBreak;
        if (last == G::CR) {
            return next == G::LF;
        }
        if (last == G::LF || last == G::Control || next == G::CR || next == G::LF ||
            next == G::Control) {
            return false;
        }
        switch (last) {
            case G::L:
                if (next == G::L || next == G::V || next == G::LV || next == G::LVT) {
                    return true;
                }
                break;
            case G::LV:
            case G::V:
                if (next == G::V || next == G::T) {
                    return true;
                }
                break;
            case G::LVT:
            case G::T:
                if (next == G::T) {
                    return true;
                }
                break;
            default:
                break;
        }
        if (next == G::Extend || next == G::ZWJ || next == G::SpacingMark || last == G::Prepend) {
            return true;
        }
        if ((afterPictographicZwj && pictographic) ||
            (next == G::RegionalIndicator && regionalIndicatorOdd)) {
            emoji = true;
            return true;
        }
        return false;
    }

    CodePointProps first{0};
    GraphemeBreak last = GraphemeBreak::Other;
    bool firstIsPictographic = false;
    bool pictographicTail = false;      // the cluster ends in Extended_Pictographic Extend*
    bool afterPictographicZwj = false;  // ... and then ZWJ
    bool regionalIndicatorOdd = false;  // it ends in an odd run of regional indicators
    bool emoji = false;
    int32_t count = 0;
    int32_t soundMarks = 0;
};

}  // namespace

int64_t display_width(std::string_view utf8, WidthModel model) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t size = utf8.size();
    int64_t total = 0;
    Cluster cluster;
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
    Cluster cluster;
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

int code_point_width(uint32_t cp, WidthModel model) {
    Cluster cluster;
    cluster.start(code_point_props(cp));
    return cluster.width(model);
}

bool is_east_asian_ambiguous(uint32_t cp) {
    CodePointProps props = code_point_props(cp);
    return props.width_class() == WidthClass::Ambiguous && !props.emoji_presentation();
}
