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

// The pair rules, fed one code point at a time in text order, escape
// sequences left out: each code point is a mark that joins the unit before it
// (LB9), or starts a unit, with or without an opportunity before it.
class LineBreakRules {
  public:
    // text: valid UTF-8, for the rare look past the unit at hand.
    explicit LineBreakRules(std::string_view utf8) : text(utf8) {}

    // Whether a code point of class given joins the unit before it.
    bool joins_unit(LineBreakClass given) const {
        return before.present && takesMarks &&
               (given == LineBreakClass::CM || given == LineBreakClass::ZWJ);
    }
    // Joins it: end is just past the mark.
    void extend_unit(LineBreakClass given, size_t end) {
        before.end = end;
        before.endsInJoiner = given == LineBreakClass::ZWJ;
    }
    // Starts a unit with a code point of class given ending at end, and says
    // whether the line may break before it, at unit_end() as it was.
    bool start_unit(LineBreakClass given, size_t end);
    // Takes a run of units of class AL, NU or ID without marks after its
    // first, which went through start_unit, leaving the state start_unit
    // would; the caller knows where the line may break inside it. secondLast
    // is the class of the second-to-last, last that of the last, ending at end.
    void skip_run(LineBreakClass secondLast, LineBreakClass last, size_t end);

    bool any() const { return before.present; }
    size_t unit_end() const { return before.end; }

  private:
    // A code point and the combining marks and joiners it holds (LB9).
    // Sixteen bytes, passed and copied in two registers.
    struct Unit {
        size_t end = 0;
        LineBreakClass cls = LineBreakClass::SP;
        LineBreakClass given = LineBreakClass::SP;  // before LB9 and LB10 and the strict rules
        bool endsInJoiner = false;
        bool present = false;
    };

    bool breaks_between(Unit after) const;
    bool number_rule_joins(Unit after) const;
    bool number_follows(Unit after) const;
    void advance(Unit after);

    std::string_view text;
    Unit before;                                       // the unit before the boundary looked at
    bool takesMarks = false;                           // before may hold marks
    LineBreakClass beforeSpaces = LineBreakClass::SP;  // last unit that is not a space
    LineBreakClass twoBefore = LineBreakClass::SP;
    int32_t regionalRun = 0;    // regional indicators ending at before
    bool inNumber = false;      // before ends NU (NU | SY | IS)*
    bool closedNumber = false;  // ... or that and CL or CP
};

// The opportunities of a text one by one.
class LineBreaks {
  public:
    static constexpr size_t kEnd = std::string_view::npos;

    // text: valid UTF-8.
    explicit LineBreaks(std::string_view utf8) : text(utf8), rules(utf8) {}

    // The next break opportunity, as the offset just past the code point
    // before it: escape sequences between that and the next code point go
    // with the text after the break. The end of a non-empty text is the last
    // opportunity; kEnd follows.
    size_t next();

  private:
    std::string_view text;
    LineBreakRules rules;
    size_t at = 0;
    bool ended = false;
};

// Every opportunity in text, in order: for tests and small texts.
std::vector<size_t> line_break_opportunities(std::string_view text);
