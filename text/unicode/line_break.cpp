#include "text/unicode/line_break.h"

#include <array>

#include "core/text_rules.h"
#include "text/unicode/escape_sequence.h"

namespace {

using C = LineBreakClass;

// Most cells are ASCII: their classes without the table walk.
const std::array<LineBreakClass, 128> kAsciiClasses = [] {
    std::array<LineBreakClass, 128> classes{};
    for (uint32_t cp = 0; cp < classes.size(); ++cp) {
        classes[cp] = line_break_class(cp);
    }
    return classes;
}();

LineBreakClass class_of(uint32_t cp) {
    return cp < 0x80 ? kAsciiClasses[cp] : line_break_class(cp);
}

// What LB9 lets hold no combining marks: they start units of their own.
bool holds_no_marks(C c) {
    return c == C::BK || c == C::CR || c == C::LF || c == C::NL || c == C::SP || c == C::ZW;
}

bool is_alphabetic(C c) {
    return c == C::AL || c == C::HL;
}

bool is_hangul(C c) {
    return c == C::JL || c == C::JV || c == C::JT || c == C::H2 || c == C::H3;
}

bool is_ideographic(C c) {
    return c == C::ID || c == C::EB || c == C::EM;
}

// LB1 for the strict rules, and the two classes the tables split off.
C resolved(C given) {
    switch (given) {
        case C::CJ:
            return C::NS;
        case C::OP_EA:
            return C::OP;
        case C::ID_CN_PICT:
            return C::ID;
        case C::CM:
        case C::ZWJ:  // LB10: marks with nothing to attach to
            return C::AL;
        default:
            return given;
    }
}

}  // namespace

LineBreaks::LineBreaks(std::string_view utf8) : text(utf8) {
    before = read_unit(0);
    after = read_unit(before.end);
    ahead = read_unit(after.end);
    beforeSpaces = before.cls;
    regionalRun = before.cls == C::RI ? 1 : 0;
    inNumber = before.cls == C::NU;
}

size_t LineBreaks::skip_escapes(size_t at) const {
    while (at < text.size()) {
        const size_t length = escape_length_at(text, at);
        if (length == 0) {
            break;
        }
        at += length;
    }
    return at;
}

LineBreaks::Unit LineBreaks::read_unit(size_t at) const {
    Unit unit;
    at = skip_escapes(at);
    if (at >= text.size()) {
        return unit;
    }
    text_rules::Utf8Char c = text_rules::decode_utf8_unchecked(text, at);
    unit.present = true;
    unit.given = class_of(c.codePoint);
    unit.end = at + c.length;
    unit.endsInJoiner = unit.given == C::ZWJ;
    if (!holds_no_marks(unit.given)) {
        for (size_t next = skip_escapes(unit.end); next < text.size();
             next = skip_escapes(unit.end)) {
            // Printable ASCII is never a mark.
            if (static_cast<unsigned char>(text[next] - 0x20) < 0x5F) {
                break;
            }
            c = text_rules::decode_utf8_unchecked(text, next);
            const C mark = class_of(c.codePoint);
            if (mark != C::CM && mark != C::ZWJ) {
                break;
            }
            unit.end = next + c.length;
            unit.endsInJoiner = mark == C::ZWJ;
        }
    }
    unit.cls = resolved(unit.given);
    return unit;
}

// The tailored LB25: (PR | PO)? (OP | HY)? NU (NU | SY | IS)* (CL | CP)? (PR | PO)?
// is never broken.
bool LineBreaks::number_rule_joins() const {
    const C a = before.cls;
    const C b = after.cls;
    if ((a == C::PR || a == C::PO) &&
        (b == C::NU || ((b == C::OP || b == C::HY) && ahead.present && ahead.cls == C::NU))) {
        return true;
    }
    if ((a == C::OP || a == C::HY) && b == C::NU) {
        return true;
    }
    if (inNumber && (b == C::NU || b == C::SY || b == C::IS || b == C::CL || b == C::CP)) {
        return true;
    }
    return (inNumber || closedNumber) && (b == C::PO || b == C::PR);
}

bool LineBreaks::breaks_between() const {
    const C a = before.cls;
    const C b = after.cls;
    // Within a word and between ideographs, as most text is: no rule before
    // LB28 and LB31 speaks of these pairs but LB8a.
    if (is_alphabetic(a) && is_alphabetic(b)) {
        return false;
    }
    if (a == C::ID && b == C::ID) {
        return !before.endsInJoiner;
    }
    if (a == C::BK || a == C::LF || a == C::NL) {
        return true;
    }
    if (a == C::CR) {
        return b != C::LF;
    }
    if (b == C::BK || b == C::CR || b == C::LF || b == C::NL || b == C::SP || b == C::ZW) {
        return false;
    }
    if (beforeSpaces == C::ZW) {
        return true;
    }
    if (before.endsInJoiner || a == C::WJ || b == C::WJ || a == C::GL) {
        return false;
    }
    if (b == C::GL && a != C::SP && a != C::BA && a != C::HY) {
        return false;
    }
    if (b == C::CL || b == C::CP || b == C::EX || b == C::IS || b == C::SY) {
        return false;
    }
    // LB14 to LB17, across spaces.
    if (beforeSpaces == C::OP || (beforeSpaces == C::QU && b == C::OP) ||
        ((beforeSpaces == C::CL || beforeSpaces == C::CP) && b == C::NS) ||
        (beforeSpaces == C::B2 && b == C::B2)) {
        return false;
    }
    // LB18, but the strict rules start no line with a nonstarter, spaces
    // before it or not.
    if (a == C::SP) {
        return b != C::NS;
    }
    if (a == C::QU || b == C::QU) {
        return false;
    }
    if (a == C::CB || b == C::CB) {
        return true;
    }
    if (b == C::BA || b == C::HY || b == C::NS || a == C::BB) {
        return false;
    }
    if (((a == C::HY || a == C::BA) && twoBefore == C::HL) || (a == C::SY && b == C::HL) ||
        b == C::IN) {
        return false;
    }
    // LB23 to LB24: letters, numbers and their prefixes and suffixes.
    if ((is_alphabetic(a) && b == C::NU) || (a == C::NU && is_alphabetic(b)) ||
        (a == C::PR && is_ideographic(b)) || (is_ideographic(a) && b == C::PO) ||
        ((a == C::PR || a == C::PO) && is_alphabetic(b)) ||
        (is_alphabetic(a) && (b == C::PR || b == C::PO))) {
        return false;
    }
    if (number_rule_joins()) {
        return false;
    }
    // LB26 and LB27: Korean syllables.
    if ((a == C::JL && (b == C::JL || b == C::JV || b == C::H2 || b == C::H3)) ||
        ((a == C::JV || a == C::H2) && (b == C::JV || b == C::JT)) ||
        ((a == C::JT || a == C::H3) && b == C::JT) || (is_hangul(a) && b == C::PO) ||
        (a == C::PR && is_hangul(b))) {
        return false;
    }
    if ((is_alphabetic(a) && is_alphabetic(b)) || (a == C::IS && is_alphabetic(b))) {
        return false;
    }
    // LB30: only a bracket drawn narrow joins the word before it.
    if (((is_alphabetic(a) || a == C::NU) && b == C::OP && after.given != C::OP_EA) ||
        (a == C::CP && (is_alphabetic(b) || b == C::NU))) {
        return false;
    }
    if (a == C::RI && b == C::RI && regionalRun % 2 == 1) {
        return false;
    }
    return !(b == C::EM && (a == C::EB || before.given == C::ID_CN_PICT));
}

void LineBreaks::advance() {
    const C next = after.cls;
    twoBefore = before.cls;
    closedNumber = inNumber && (next == C::CL || next == C::CP);
    inNumber = next == C::NU || (inNumber && (next == C::SY || next == C::IS));
    regionalRun = next == C::RI ? regionalRun + 1 : 0;
    if (next != C::SP) {
        beforeSpaces = next;
    }
    before = after;
    after = ahead;
    ahead = after.present ? read_unit(after.end) : Unit{};
}

size_t LineBreaks::next() {
    if (ended) {
        return kEnd;
    }
    while (after.present) {
        const bool opportunity = breaks_between();
        const size_t at = before.end;
        advance();
        if (opportunity) {
            return at;
        }
    }
    ended = true;
    return before.present ? text.size() : kEnd;
}

std::vector<size_t> line_break_opportunities(std::string_view text) {
    std::vector<size_t> found;
    LineBreaks breaks(text);
    for (size_t at = breaks.next(); at != LineBreaks::kEnd; at = breaks.next()) {
        found.push_back(at);
    }
    return found;
}
