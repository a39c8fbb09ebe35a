// Where a line of text may be broken, by the Unicode line-breaking algorithm
// (UAX #14) with strict Japanese rules: conditional Japanese starters (small
// kana, the prolonged sound mark) are nonstarters, and no line starts with a
// nonstarter or closing punctuation (、。）」), even after a space; no line
// ends with an opening bracket. Numbers follow the regular-expression
// tailoring the Unicode test data uses. Colour and hyperlink sequences are
// invisible to the rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/unicode/line_break_class.h"

class LineBreaks {
  public:
    static constexpr size_t kEnd = std::string_view::npos;

    // text: valid UTF-8.
    explicit LineBreaks(std::string_view text);

    // The next break opportunity, as the offset just past the code point
    // before it: escape sequences between that and the next code point go
    // with the text after the break. The end of a non-empty text is the last
    // opportunity; kEnd follows.
    size_t next();

  private:
    // A code point and the combining marks and joiners it holds (LB9).
    struct Unit {
        LineBreakClass cls = LineBreakClass::SP;
        LineBreakClass given = LineBreakClass::SP;  // before LB9 and LB10 and the strict rules
        size_t end = 0;
        bool endsInJoiner = false;
        bool present = false;
    };

    Unit read_unit(size_t at) const;
    size_t skip_escapes(size_t at) const;
    bool breaks_between() const;
    bool number_rule_joins() const;
    void advance();

    std::string_view text;
    Unit before;                                       // the unit before the boundary looked at
    Unit after;                                        // the one after it
    Unit ahead;                                        // and the one after that
    LineBreakClass beforeSpaces = LineBreakClass::SP;  // last unit that is not a space
    LineBreakClass twoBefore = LineBreakClass::SP;
    int32_t regionalRun = 0;    // regional indicators ending at before
    bool inNumber = false;      // before ends NU (NU | SY | IS)*
    bool closedNumber = false;  // ... or that and CL or CP
    bool ended = false;
};

// Every opportunity in text, in order: for tests and small texts.
std::vector<size_t> line_break_opportunities(std::string_view text);
