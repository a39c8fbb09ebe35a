// The piece tables of frame types 1 to 5: which character stands where.
#pragma once

struct BoxLinePieces {
    const char* first;       // corner, left end or border before column 1
    const char* second;      // junction or border before column 2
    const char* later;       // before columns 3 and on
    const char* horizontal;  // rules only
    const char* rightEnd;    // written with the line's LF
};

struct BoxStyle {
    BoxLinePieces top;
    BoxLinePieces content;
    BoxLinePieces header;  // the rule under row 0 when more rows follow
    BoxLinePieces inner;
    BoxLinePieces bottom;
};

extern const BoxStyle kBoxStyles[5];
