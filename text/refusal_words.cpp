// Refusals in the words the faces show.
#include "text/refusal.h"

namespace {
std::string hex(uint32_t value, size_t digits) {
    std::string text;
    for (; value != 0 || text.size() < digits; value >>= 4) {
        text.insert(text.begin(), "0123456789ABCDEF"[value & 0xF]);
    }
    return text;
}

std::string code_point_name(uint32_t codePoint) {
    return "U+" + hex(codePoint, 4);
}

std::string byte_name(uint32_t byte) {
    return "0x" + hex(byte, 2);
}

std::string count(int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string place(const Refusal& refusal) {
    if (refusal.line == 0) {
        return {};
    }
    return "line " + std::to_string(refusal.line) + ", column " + std::to_string(refusal.column) +
           ": ";
}

std::string json_fault(JsonFault fault) {
    switch (fault) {
        case JsonFault::ExpectedValue:
            return "expected a value";
        case JsonFault::ExpectedCommaOrBracket:
            return "expected ',' or ']'";
        case JsonFault::ExpectedCommaOrBrace:
            return "expected ',' or '}'";
        case JsonFault::ExpectedColon:
            return "expected ':'";
        case JsonFault::ExpectedKey:
            return "expected a key in quotes";
        case JsonFault::ExpectedRows:
            return "expected '[' opening an array of rows";
        case JsonFault::ExpectedRow:
            return "expected a row: an array or an object";
        case JsonFault::ExpectedEnd:
            return "expected the end of the input after the array of rows";
        case JsonFault::ExpectedLineEnd:
            return "expected the end of the line after the row (JSON Lines: one row a line)";
        case JsonFault::BadEscape:
            return "expected an escape: \\\\, \\\", \\/, \\b, \\f, \\n, \\r, \\t or \\u and four "
                   "hex digits";
        case JsonFault::LoneSurrogate:
            return "expected a \\u escape of a low surrogate after a high one; a lone surrogate "
                   "is no character";
        case JsonFault::RawControl:
            return "expected a control character in a string to be escaped";
        case JsonFault::OpenString:
            return "expected '\"' closing this string";
        case JsonFault::BadNumber:
            return "expected a digit";
        case JsonFault::BadLiteral:
            return "expected a value (true, false and null are written in lower case)";
        case JsonFault::Nested:
            return "expected a string, number, true, false or null in a cell; an array or "
                   "object is kept as its JSON text with --json-nested text";
        case JsonFault::DuplicateKey:
            return "expected a key not given before in this object";
        case JsonFault::MixedRows:
            return "expected every row to be an array, or every row an object";
        case JsonFault::NotUtf8:
            return "expected UTF-8; JSON cannot be read or written as code page 932";
    }
    return "refused";
}

// Refusals of reading and writing table formats.
std::string what_of_format(const Refusal& refusal) {
    switch (refusal.kind) {
        case RefusalKind::OpenQuote:
            return "this quote opens a csv field that is never closed";
        case RefusalKind::StrayQuote:
            return "a quote inside a csv field that does not start with one, or text right "
                   "after a closing quote (write a quote in a field as \"\" inside quotes)";
        case RefusalKind::NoDelimiterRow:
            return "no Markdown table: the first row is not followed by a delimiter row "
                   "such as |---|---| with as many cells";
        case RefusalKind::NoFrameFound:
            return "no frame found: no rule line such as +---+---+, a box-drawing one or "
                   "---+--- under a header, with rows under it";
        case RefusalKind::FrameMismatch:
            return "the frame's lines do not agree here: a border out of place, a cell too "
                   "many or too few, or a rule missing";
        case RefusalKind::CellHoldsSeparator:
            if (refusal.codePoint == '\t') {
                return "this cell holds a TAB, which the output format cannot hold";
            }
            if (refusal.codePoint == '|') {
                return "this cell holds '|', which the output format cannot hold (Markdown "
                       "and csv can)";
            }
            return std::string("this cell holds '") + static_cast<char>(refusal.codePoint) +
                   "' where the output format cannot write it as text";
        case RefusalKind::CellHoldsLineBreak:
            return "this cell holds a line break, which the output format cannot hold (csv, "
                   "Markdown, html and frames can)";
        case RefusalKind::CellHasEdgeBlanks:
            return "this cell starts or ends with a space or TAB, which Markdown and document "
                   "markup trim";
        case RefusalKind::BadJson:
            return "JSON: " + json_fault(static_cast<JsonFault>(refusal.found));
        case RefusalKind::DuplicateName:
            return "this header cell names a column already named; JSON keys must differ";
        case RefusalKind::TooFewColumns:
            return "the output format needs at least " + std::to_string(refusal.limit) +
                   " columns (an rst simple table of one column reads as a section title); "
                   "this table has " +
                   std::to_string(refusal.found);
        case RefusalKind::FormatNotWritable:
            return "this format is only read, never written";
        case RefusalKind::FrameTooNarrow:
            return "the frame needs at least " + std::to_string(refusal.found) +
                   " columns; --width is " + std::to_string(refusal.limit);
        case RefusalKind::BadLayout:
            return "a width, cell width or padding cannot be negative (" +
                   std::to_string(refusal.found) + ")";
        case RefusalKind::FormatNotReadable:
            return "this format is only written, never read (read psv, csv, tsv, markdown, "
                   "frame, json or jsonl)";
        case RefusalKind::RowNotHeld:
            return "the output format cannot hold this row: a row with no cells, a last "
                   "row of one empty cell in tsv, or an empty cell in an rst simple table";
        default:
            return "refused";
    }
}

std::string what(const Refusal& refusal) {
    switch (refusal.kind) {
        case RefusalKind::None:
            return "no refusal";
        case RefusalKind::BadFrameType:
            return "frame type " + std::to_string(refusal.found) + " does not exist (1 to 6)";
        case RefusalKind::BadPositionType:
            return "position type " + std::to_string(refusal.found) +
                   " does not exist (A to Q, 1 to 17)";
        case RefusalKind::InputTooLarge:
            return "the input is " + count(refusal.found, "byte", "bytes") + "; the limit is " +
                   std::to_string(refusal.limit);
        case RefusalKind::InvalidUtf8:
            return "not UTF-8 (byte " + byte_name(refusal.codePoint) + ")" +
                   (refusal.validCp932 ? "; if the text is Shift-JIS, try -e cp932" : "");
        case RefusalKind::InvalidCp932:
            return "not code page 932 (byte " + byte_name(refusal.codePoint) + ")";
        case RefusalKind::ControlCharacter:
            return "control character " + code_point_name(refusal.codePoint);
        case RefusalKind::RaggedRow:
            if (refusal.found > refusal.limit) {
                return count(refusal.found, "cell", "cells") + " where the first row has " +
                       std::to_string(refusal.limit) + "; this is the first cell too many";
            }
            return count(refusal.found, "cell", "cells") + " where the first row has " +
                   std::to_string(refusal.limit);
        case RefusalKind::NoCells:
            return "no cells in the input";
        case RefusalKind::FrameTooLarge:
            return "the frame would be " + std::to_string(refusal.found) + " bytes; the limit is " +
                   std::to_string(refusal.limit);
        case RefusalKind::OutOfMemory:
            return "out of memory";
        case RefusalKind::NotInCp932:
            return code_point_name(refusal.codePoint) +
                   " cannot be written in code page 932 (Shift-JIS)";
        default:
            return what_of_format(refusal);
    }
    return "refused";
}
}  // namespace

std::string describe_refusal(const Refusal& refusal) {
    return place(refusal) + what(refusal);
}
