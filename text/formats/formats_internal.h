// The readers and writers behind read_table and write_table.
#pragma once

#include <string>
#include <string_view>

#include "text/formats/frame_pieces.h"
#include "text/formats/table.h"
#include "text/formats/table_formats.h"

namespace formats {

// text has no byte order mark; places are counted from its start.
TableRead read_delimited(std::string_view text, TextEncoding encoding, bool tabsOnly);
TableRead read_csv(std::string_view text, TextEncoding encoding);
TableRead read_markdown(std::string_view text, TextEncoding encoding);
TableRead read_frame(std::string_view text, TextEncoding encoding, WidthModel model);
// How the lines of a frame between two rules become rows: as a table's
// frame draws them, or, for the fields of records, always one row (Ruled),
// or one row from each line whose first cell is not blank (Keyed).
enum class FieldRows : uint8_t { AsDrawn, Ruled, Keyed };
TableRead read_frame_fields(std::string_view text, TextEncoding encoding, WidthModel model,
                            FieldRows fieldRows);
// Whether the first line of the text that starts as a rule does is the top
// rule of records, carrying the number of the first; checked before any
// frame is read, lines before it passed over as for a table.
bool opens_records(std::string_view text, TextEncoding encoding);
// Records back into the table they show: the keys of the first make the
// header row, and each record a row.
TableRead read_records(std::string_view text, TextEncoding encoding, WidthModel model);
// lines: JSON Lines, one array or object a line.
TableRead read_json(std::string_view text, TextEncoding encoding, JsonNested nested, bool lines);
// A table ruled only under its header or between rows; opening is the first
// piece of its first rule.
TableRead read_ruled(std::string_view text, TextEncoding encoding, WidthModel model,
                     Piece& opening);
// Columns that start where the header's words start.
TableRead read_aligned(std::string_view text, TextEncoding encoding, WidthModel model);

TableWrite write_psv(const Table& table, LineEnd lineEnd);
TableWrite write_tsv(const Table& table, LineEnd lineEnd);
TableWrite write_csv(const Table& table, LineEnd lineEnd);
TableWrite write_markdown(const Table& table, const WriteOptions& options);
TableWrite write_frame(const Table& table, const WriteOptions& options);
TableWrite write_json(const Table& table, const WriteOptions& options, bool lines);

// JSON is UTF-8 only.
Refusal json_not_utf8();
TableWrite write_html(const Table& table, const WriteOptions& options);
TableWrite write_latex(const Table& table, const WriteOptions& options);
TableWrite write_rst_grid(const Table& table, const WriteOptions& options);
TableWrite write_rst_simple(const Table& table, const WriteOptions& options);
TableWrite write_org(const Table& table, const WriteOptions& options);
TableWrite write_asciidoc(const Table& table, const WriteOptions& options);
TableWrite write_mediawiki(const Table& table, const WriteOptions& options);
TableWrite write_jira(const Table& table, const WriteOptions& options);

Refusal cell_refusal(RefusalKind kind, const Table& table, const Cell& cell,
                     uint32_t codePoint = 0);
std::string_view line_end_text(LineEnd lineEnd);

// Offset of the first c that starts a character, or npos.
size_t find_char(std::string_view text, char c, TextEncoding encoding);

// The first character of the cell that a writer cannot hold: one of
// separators, or a line break. Sets refusal and returns false when found.
bool cell_fits(const Table& table, const Cell& cell, std::string_view separators, Refusal& refusal);

}  // namespace formats
