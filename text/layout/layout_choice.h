// Whether a frame shows its rows as a table or as records, decided in one
// place: records are asked for, or the table cannot fit its width.
#pragma once

#include <cstdint>

#include "text/formats/table.h"
#include "text/formats/table_formats.h"
#include "text/layout/column_widths.h"

// The border and padding a frame of this many columns takes in this look.
FrameGeometry frame_geometry(int32_t frameType, int32_t columns, int32_t padding,
                             TextEncoding encoding, WidthModel widthModel);

// Auto's threshold: no cell of a table is cut narrower than this, else the
// rows are drawn as records.
inline constexpr int32_t kNarrowestTableCell = 8;

// Whether the table, rectangular and with at least one cell, is drawn as
// records under these options.
bool draws_records(const Table& table, const WriteOptions& options);
