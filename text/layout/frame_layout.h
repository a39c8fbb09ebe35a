// Cells laid out in a frame: split at their line breaks, fitted to the
// widths asked for (wrapped or cut), placed per column, padded, with colour
// closed at every border. Used only when the frame asks for it or a cell
// needs it; every other frame is drawn from its cells as they are.
#pragma once

#include <string>
#include <string_view>

#include "core/cell_table.h"
#include "text/frame_render.h"
#include "text/refusal.h"

// Whether cells whose text all lies within cellText need laying out under
// this fit: it asks for something, or a cell holds one of the bytes in
// specials (line breaks, where cells can hold them, and escape sequences).
bool needs_layout(const FrameFit& fit, std::string_view cellText, std::string_view specials);

inline constexpr std::string_view kLayoutSpecials = "\r\n\x1b";
inline constexpr std::string_view kEscapeOnly = "\x1b";

// cells: rows x columns spans of cells.text, whose widths are not read.
// BadLayout for a negative width, cell width or padding (or padding past
// FT_PADDING_MAX); FrameTooNarrow when not even the narrowest columns fit
// look.fit.width.
Refusal render_laid_out(const TableView& cells, const FrameLook& look, std::string& frame);
