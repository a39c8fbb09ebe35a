// The text layer: a table as text in, a frame or a refusal out. Shared by the
// command and the web page, so it has no options, files, locale, threads or
// exceptions, and builds for wasm32 as well as natively.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/width_model.h"

enum class TextEncoding : uint8_t { Utf8, Cp932 };

enum class LineEnd : uint8_t { Lf, CrLf };

struct FrameRequest {
    std::string_view text;  // the whole input: UTF-8, or code page 932 bytes
    TextEncoding encoding = TextEncoding::Utf8;
    int32_t frameType = 1;                       // 1..6
    int32_t positionType = 1;                    // 1..17, the letters A..Q
    WidthModel widthModel = WidthModel::Narrow;  // code page 932 always counts bytes
    LineEnd lineEnd = LineEnd::Lf;
};

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
};

struct Refusal {
    RefusalKind kind = RefusalKind::None;
    int64_t line = 0;        // 1-based; 0 when the refusal has no place in the input
    int64_t column = 0;      // 1-based, counted in characters
    uint32_t codePoint = 0;  // the character concerned, where there is one
    int64_t found = 0;
    int64_t limit = 0;
    bool validCp932 = false;
};

struct FrameOutcome {
    std::string frame;  // empty when refused
    Refusal refusal;

    bool ok() const { return refusal.kind == RefusalKind::None; }
};

FrameOutcome frame_text(const FrameRequest& request);

// What frame_text asks of any input before reading it: at most limit bytes
// (kTextInputLimit for a table), then text of its encoding after a leading
// byte order mark.
Refusal check_input_text(std::string_view text, TextEncoding encoding, int64_t limit);
std::string_view without_bom(std::string_view text, TextEncoding encoding);

// The refusal in words, led by its place in the input where it has one:
// "line 2, column 5: ...".
std::string describe_refusal(const Refusal& refusal);
