// Why the text layer refuses a request, and where: one vocabulary for every
// part and every face. Faces turn a refusal into words with describe_refusal.
#pragma once

#include <cstdint>
#include <string>

enum class RefusalKind : uint8_t {
    None,
    BadFrameType,      // found: the type asked for
    BadPositionType,   // found: the type asked for
    InputTooLarge,     // found, limit: bytes
    InvalidUtf8,       // line, column; validCp932 tells whether -e cp932 would read it
    InvalidCp932,      // line, column
    ControlCharacter,  // line, column, codePoint
    RaggedRow,         // line, column; found: cells in the line, limit: cells in the first row
    NoCells,
    FrameTooLarge,  // found, limit: bytes
    OutOfMemory,
    OpenQuote,       // line, column of the quote that opens a csv field never closed
    StrayQuote,      // line, column of a quote inside an unquoted csv field or after a closing one
    NoDelimiterRow,  // line: where the Markdown delimiter row was looked for
    NoFrameFound,
    FrameMismatch,       // line, column where the frame's lines stop agreeing
    CellHoldsSeparator,  // line, column of the cell; codePoint: the separator it holds
    CellHoldsLineBreak,  // line, column of the cell
    RowNotHeld,          // line, column of the row: no cells, or tsv's last row of one empty cell
    NotInCp932,          // line, column, codePoint: Unicode text that code page 932 cannot hold
    CellHasEdgeBlanks,   // line, column of a cell whose first or last character the output trims
    BadJson,             // line, column of the fault; found: a JsonFault
    DuplicateName,       // line, column of the second header cell of the same name
    FormatNotReadable,   // the format asked to read is only written
    TooFewColumns,       // line, column of the first cell; found: columns, limit: the fewest held
    FormatNotWritable,   // the format asked to write is only read
    FrameTooNarrow,      // found: the fewest columns the frame needs, limit: the width asked for
    BadLayout,           // a negative width, cell width or padding; found: the value
    CellsPastHeader,     // line, column of the first cell past the header's; found, limit: cells
    MergedCells,         // line, column of a grid table's cell that spans others
    TextOutsideTable,    // line, column of the first line that is not part of the one table
    NoSuchTable,         // found: the tables in the input; limit: the table asked for
    NoSuchColumn,    // found: the column number asked, or name: the header asked; limit: columns
    NoCaption = 33,  // the output format has no place for a title (found 0) or a footer (found 1)
};

// What JSON input lacked where it was refused, as BadJson's found.
enum class JsonFault : uint8_t {
    ExpectedValue,
    ExpectedCommaOrBracket,
    ExpectedCommaOrBrace,
    ExpectedColon,
    ExpectedKey,
    ExpectedRows,
    ExpectedRow,
    ExpectedEnd,
    ExpectedLineEnd,
    BadEscape,
    LoneSurrogate,
    RawControl,
    OpenString,
    BadNumber,
    BadLiteral,
    Nested,
    DuplicateKey,
    MixedRows,
    NotUtf8,
};

struct Refusal {
    RefusalKind kind = RefusalKind::None;
    int64_t line = 0;        // 1-based; 0 when the refusal has no place in the input
    int64_t column = 0;      // 1-based, counted in characters
    uint32_t codePoint = 0;  // the character concerned, where there is one
    int64_t found = 0;
    int64_t limit = 0;
    bool validCp932 = false;
    std::string name;  // a header text asked for that no column has
};

inline Refusal refusal_of(RefusalKind kind) {
    Refusal refusal;
    refusal.kind = kind;
    return refusal;
}

// The refusal in words, led by its place in the input where it has one:
// "line 2, column 5: ...".
std::string describe_refusal(const Refusal& refusal);
