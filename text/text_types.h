// The words every part of the text layer speaks: encodings, line ends,
// table formats and width models.
#pragma once

#include <cstdint>

#include "text/overflow.h"
#include "text/width_model.h"

enum class TextEncoding : uint8_t { Utf8, Cp932 };

enum class LineEnd : uint8_t { Lf, CrLf };

// The numbers are the web module's too. The formats after Aligned are document
// markup, written and never read.
enum class TableFormat : uint8_t {
    Psv,
    Csv,
    Tsv,
    Markdown,
    Frame,
    Json,
    Jsonl,
    Aligned,
    Html,
    Latex,
    RstGrid,
    RstSimple,
    Org,
    AsciiDoc,
    MediaWiki,
    Jira,
};

inline bool is_output_only(TableFormat format) {
    return format >= TableFormat::Html;
}

// What the JSON reader does with an array or object inside a row.
enum class JsonNested : uint8_t { Refuse, Text };

// Which rules a frame draws inside its outer border.
enum class RuleLines : uint8_t { All, Header, None };

// How a frame shows the rows under its header: as a table, as a block of
// header | value lines a row, or as records only when the table cannot fit.
enum class RowLayout : uint8_t { Table, Records, Auto };

// How a column's body cells are placed; ByPosition leaves it to the position
// type.
enum class ColumnAlign : uint8_t { ByPosition, Left, Right, Centre, Decimal };
