#include "text/unicode/code_point_props.h"

#include <cstddef>

#include "text/unicode/line_break_class.h"
#include "text/unicode/unicode_tables.inc"

namespace {

constexpr uint32_t kHangulFirst = 0xAC00;
constexpr uint32_t kHangulCount = 11172;
// Each leading consonant and vowel pair starts a run of 28: itself, then 27 with a tail.
constexpr uint32_t kHangulTails = 28;

bool is_hangul_with_tail(uint32_t cp) {
    return cp - kHangulFirst < kHangulCount && (cp - kHangulFirst) % kHangulTails != 0;
}

size_t class_of(uint32_t cp) {
    if (cp > 0x10FFFF) {
        cp = 0xFFFD;
    }
    size_t top = kPropTop[cp >> kPropShift1];
    size_t upper = kPropUpper[(top << (kPropShift1 - kPropShift2)) |
                              ((cp >> kPropShift2) & ((1u << (kPropShift1 - kPropShift2)) - 1))];
    size_t lower = kPropLower[(upper << (kPropShift2 - kPropShift3)) |
                              ((cp >> kPropShift3) & ((1u << (kPropShift2 - kPropShift3)) - 1))];
    return kPropLeaf[(lower << kPropShift3) | (cp & ((1u << kPropShift3) - 1))];
}

}  // namespace

CodePointProps code_point_props(uint32_t cp) {
    uint8_t bits = kPropByClass[class_of(cp)];
    if (is_hangul_with_tail(cp)) {
        bits = static_cast<uint8_t>((bits & ~0x0F) | int(GraphemeBreak::LVT));
    }
    return CodePointProps{bits};
}

LineBreakClass line_break_class(uint32_t cp) {
    if (is_hangul_with_tail(cp)) {
        return LineBreakClass::H3;
    }
    return static_cast<LineBreakClass>(kLineBreakByClass[class_of(cp)]);
}
