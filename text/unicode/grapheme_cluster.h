// One extended grapheme cluster as it grows, code point by code point, and
// its width: the home of the cluster rules, for the width and the wrapping
// passes. Internal to text/unicode.
#pragma once

#include <cstdint>

#include "text/unicode/code_point_props.h"
#include "text/width_model.h"

constexpr uint32_t kVariationSelector16 = 0xFE0F;
// Half-width katakana sound marks extend their kana's cluster, yet code page
// 932 and terminals show each as a half-width character of its own.
constexpr uint32_t kHalfwidthVoicedMark = 0xFF9E;
constexpr uint32_t kHalfwidthSemiVoicedMark = 0xFF9F;

class GraphemeCluster {
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
