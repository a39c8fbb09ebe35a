// A table drawn as records: each row under the header a block of
// header | value lines, the blocks parted by rules that carry the record's
// number, "[ 1 ]", in the key column. No table frame has text in a rule, so a
// reader tells the two apart from the top rule alone.
#pragma once

#include <cstdint>
#include <string>

#include "text/formats/table.h"
#include "text/formats/table_formats.h"
#include "text/refusal.h"

// The mark a rule opening record number carries; a table of only a header
// row draws its keys as record 0.
std::string record_label(int64_t number);

// table: rectangular, with at least one cell. Rules stand between records
// always, and between the fields of a record when options.fit.rules is All;
// every frame type, position type, padding, width and cell width apply as in
// a table, keys placed as the header row's first cell and values as body
// cells after the first.
Refusal write_records_frame(const Table& table, const WriteOptions& options, std::string& frame);
