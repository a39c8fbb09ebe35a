// The Line_Break class of a code point, from the same generated tables as the
// grapheme and width properties. Internal to text/unicode and its tests.
#pragma once

#include <cstdint>

// In the order of LINE_BREAKS in scripts/gen-unicode-tables.py. AI, SG, XX and
// SA are already resolved (LB1); CJ is left to the rules. OP_EA is an opening
// punctuation drawn East Asian wide, which LB30 leaves out; ID_CN_PICT an
// unassigned pictographic code point, which LB30b joins to an emoji modifier.
enum class LineBreakClass : uint8_t {
    BK,
    CR,
    LF,
    NL,
    SP,
    ZW,
    ZWJ,
    CM,
    WJ,
    GL,
    BA,
    HY,
    BB,
    B2,
    CB,
    OP,
    CL,
    CP,
    QU,
    EX,
    IS,
    SY,
    NS,
    CJ,
    IN,
    NU,
    PR,
    PO,
    AL,
    HL,
    ID,
    EB,
    EM,
    RI,
    JL,
    JV,
    JT,
    H2,
    H3,
    OP_EA,
    ID_CN_PICT,
};

LineBreakClass line_break_class(uint32_t cp);
