// Refusals of writing tables and of reading JSON, in the words the command,
// the libraries and the npm package show.
#include "text/refusal_words_parts.h"

namespace {
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
}  // namespace

std::string writing_refusal_words(const Refusal& refusal) {
    switch (refusal.kind) {
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
            return "the output format needs at least " + decimal(refusal.limit) +
                   " columns (an rst simple table of one column reads as a section title); "
                   "this table has " +
                   decimal(refusal.found);
        case RefusalKind::FormatNotWritable:
            return "this format is only read, never written";
        case RefusalKind::FormatNotReadable:
            return "this format is only written, never read (read psv, csv, tsv, markdown, "
                   "frame, json or jsonl)";
        case RefusalKind::RowNotHeld:
            return "the output format cannot hold this row: a row with no cells, a last "
                   "row of one empty cell in tsv, or an empty first cell in an rst simple table";
        default:
            return "refused";
    }
}
