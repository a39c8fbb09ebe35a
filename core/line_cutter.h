// How one line is cut into cells, for every store: the separator ends a cell,
// and so does TAB where the rule says; a leading separator is the outer
// border and opens no empty cell before it, and a trailing one closes the
// last cell. In code page 932 the byte after a lead byte belongs to its
// character and is never a separator.
#pragma once

#include <cstdint>

#include "core/byte_blocks.h"
#include "core/frame_core.h"
#include "core/text_rules.h"

struct LineCells {
    int32_t cells = 0;      // cells the sink took
    bool stopped = false;   // the sink refused a cell
    int32_t stoppedAt = 0;  // the cell's start
};

// Calls take_cell(start, end) for each cell of line in turn, byte offsets in
// the line; a false return stops the cut there.
template <typename TakeCell>
LineCells cut_line_cells(const char* line, int32_t length, const FtLineRule& rule,
                         TakeCell&& take_cell) {
    LineCells result;
    const auto separator = static_cast<unsigned char>(rule.separator);
    const byte_blocks::Targets targets{
        separator, rule.tabSeparates ? static_cast<unsigned char>('\t') : separator, rule.cp932};
    auto close_cell = [&](int32_t start, int32_t end) {
        if (!take_cell(start, end)) {
            result.stopped = true;
            result.stoppedAt = start;
            return false;
        }
        ++result.cells;
        return true;
    };
    int32_t cellStart = 0;
    int32_t lastOuterBorder = -1;  // a separator that may end the line as its outer border
    byte_blocks::TargetScanner scanner(line, length, targets.first, targets.second,
                                       targets.highBytes);
    for (int32_t j = scanner.next(0); j < length; j = scanner.next(j)) {
        const auto b = static_cast<unsigned char>(line[j]);
        if (rule.cp932 && text_rules::is_cp932_lead_byte(b)) {
            j += 2;
            continue;
        }
        const bool bar = b == separator;
        if (bar || (rule.tabSeparates && b == '\t')) {
            lastOuterBorder = bar ? j : -1;
            if ((j > 0 || !bar) && !close_cell(cellStart, j)) {
                return result;
            }
            cellStart = j + 1;
        }
        ++j;
    }
    const bool endsInBorder = length > 0 && lastOuterBorder == length - 1;
    if (!endsInBorder) {
        close_cell(cellStart, length);
    }
    return result;
}
