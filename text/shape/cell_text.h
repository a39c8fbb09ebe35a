// What the body's cells show: numbers formatted by column and empty cells
// filled, on the table value after the shape chose and sorted its rows and
// before it turns them. The header row stays as it is.
#pragma once

#include <string>
#include <string_view>

#include "text/formats/table.h"
#include "text/refusal.h"

struct CellText {
    // One number style a column as number_styles reads it ("g,.2,-,g.0");
    // columns past the list, and every column when empty, as they are.
    std::string number;
    std::string groupChar = ",";  // one character; "." makes the point ","
    std::string missing;          // what an empty body cell shows; empty: nothing

    bool any() const { return !number.empty() || !missing.empty(); }
};

// Whether a value can be set at all, whatever the table: a style list that
// reads, one UTF-8 character that is no digit, sign or control, text
// without control characters.
bool number_list_valid(std::string_view list);
bool group_char_valid(std::string_view character);
bool missing_text_valid(std::string_view text);

struct CellTextTable {
    Table table;      // owns what it rewrote; the rest are spans of the given table's text
    Refusal refusal;  // NotInCp932: the group character or missing text has no form there

    bool ok() const { return refusal.kind == RefusalKind::None; }
};

// The table with its body cells rewritten; the given table's text must
// outlive the result, or its own_text().
CellTextTable with_cell_text(const Table& table, const CellText& cellText);
