// Cells laid out in a frame: split at their line breaks, fitted to the
// widths asked for (wrapped or cut), placed per column, padded, with colour
// closed at every border. Used only when the frame asks for it or a cell
// needs it; every other frame is drawn from its cells as they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/cell_table.h"
#include "text/frame_render.h"
#include "text/refusal.h"

// Whether cells whose text all lies within cellText need laying out under
// this fit: it asks for something, or a cell holds one of the bytes in
// specials (line breaks, where cells can hold them, and escape sequences).
bool needs_layout(const FrameFit& fit, std::string_view cellText, std::string_view specials);

inline constexpr std::string_view kLayoutSpecials = "\r\n\x1b";
inline constexpr std::string_view kEscapeOnly = "\x1b";

// What a caller laying out rows of its own asks beyond the fit: empty
// vectors ask nothing.
struct LaidOutRows {
    // Per row of cells: nonzero where a table row begins; a row of cells
    // that does not begin one goes on the lines of the row above it.
    std::vector<unsigned char> opensRow;
    // Per column: the narrowest its widest line is taken to be, so that
    // something drawn over its rules later fits.
    std::vector<int32_t> leastWidths;
};

// cells: rows x columns spans of cells.text, whose widths are not read.
// BadLayout for a negative width, cell width or padding (or padding past
// FT_PADDING_MAX); FrameTooNarrow when not even the narrowest columns fit
// fit.width.
Refusal render_laid_out(const TableView& cells, const FrameLook& look, const FrameFit& fit,
                        std::string& frame, const LaidOutRows& rows = {});
