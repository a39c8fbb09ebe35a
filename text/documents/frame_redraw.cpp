#include "text/documents/frame_redraw.h"

#include <algorithm>

#include "core/frame_core.h"
#include "text/formats/text_scan.h"

namespace documents {

namespace {

// A cell's text and the blanks on each side of it, in columns.
struct MeasuredCell {
    std::string_view text;
    int64_t before = 0;
    int64_t width = 0;
    int64_t after = 0;
};

MeasuredCell measured(std::string_view between, WidthModel model) {
    MeasuredCell cell;
    cell.text = formats::trim_blanks(between);
    if (cell.text.empty()) {
        cell.before = static_cast<int64_t>(between.size());
        return cell;
    }
    cell.before = cell.text.data() - between.data();
    cell.after =
        static_cast<int64_t>(between.size()) - cell.before - static_cast<int64_t>(cell.text.size());
    cell.width = columns_of(cell.text, model);
    return cell;
}

std::vector<int64_t> top_areas(const FrameGrid& grid, WidthModel model) {
    const GridLine& top = grid.lines.front();
    std::vector<int64_t> areas;
    for (size_t c = 0; c < grid.columns; ++c) {
        const int64_t fill = top.between[c].empty() ? 0 : columns_of(top.between[c], model);
        areas.push_back(fill * static_cast<int64_t>(top.fillRuns[c]));
    }
    return areas;
}

bool stands_at(const GridLine& line, const GridLine& top, const std::vector<int64_t>& areas,
               WidthModel model) {
    for (size_t k = 0; k < line.borders.size(); ++k) {
        if (columns_of(line.borders[k], model) != columns_of(top.borders[k], model)) {
            return false;
        }
        if (k < areas.size()) {
            const MeasuredCell cell = measured(line.between[k], model);
            if (cell.before + cell.width + cell.after != areas[k]) {
                return false;
            }
        }
    }
    return true;
}

size_t lined_up_lines(const FrameGrid& grid, WidthModel model) {
    const std::vector<int64_t> areas = top_areas(grid, model);
    size_t count = 0;
    for (const GridLine& line : grid.lines) {
        count += !line.rule && stands_at(line, grid.lines.front(), areas, model) ? 1 : 0;
    }
    return count;
}

// Placements as bits, so that the placements a cell's blanks allow can be
// intersected.
constexpr unsigned kLeft = 1u << FT_LEFT;
constexpr unsigned kRight = 1u << FT_RIGHT;
constexpr unsigned kCentre = 1u << FT_CENTRE;
constexpr unsigned kAnyPlacement = kLeft | kRight | kCentre;

// The placements that put this cell's blanks where they are, as the
// renderer places a cell: left and right keep the padding on their side,
// centred puts the odd blank after.
unsigned placements_of(const MeasuredCell& cell, int64_t padding) {
    if (cell.text.empty()) {
        return kAnyPlacement;
    }
    unsigned allowed = 0;
    allowed |= cell.before == padding ? kLeft : 0;
    allowed |= cell.after == padding ? kRight : 0;
    allowed |= cell.after == cell.before || cell.after == cell.before + 1 ? kCentre : 0;
    return allowed;
}

FtPlacement nearest_placement(const MeasuredCell& cell) {
    return cell.before < cell.after ? FT_LEFT : cell.before > cell.after ? FT_RIGHT : FT_CENTRE;
}

FtPlacement first_allowed(unsigned allowed) {
    return (allowed & kLeft) != 0 ? FT_LEFT : (allowed & kCentre) != 0 ? FT_CENTRE : FT_RIGHT;
}

struct Layout {
    WidthModel model = WidthModel::Narrow;
    int64_t padding = 0;
    std::vector<int64_t> areas;
    std::vector<std::vector<MeasuredCell>> cells;  // per line; empty for rules
    // Per line and cell: whether it fills its column's area as the top rule
    // draws it. A cell whose line drifted around it had its blanks typed,
    // not drawn, so they say nothing of its group's placement.
    std::vector<std::vector<bool>> standing;
    std::vector<bool> header;  // per line: in the header row
};

// The header is what stands above the first rule inside the frame; with
// no such rule, the first line of cells.
std::vector<bool> header_lines(const FrameGrid& grid) {
    std::vector<bool> header(grid.lines.size(), false);
    size_t innerRule = grid.lines.size();
    for (size_t i = 1; i + 1 < grid.lines.size(); ++i) {
        if (grid.lines[i].rule) {
            innerRule = i;
            break;
        }
    }
    bool firstSeen = false;
    for (size_t i = 0; i < grid.lines.size(); ++i) {
        if (grid.lines[i].rule) {
            continue;
        }
        header[i] = innerRule < grid.lines.size() ? i < innerRule : !firstSeen;
        firstSeen = true;
    }
    return header;
}

// The padding is the fewest blanks beside any cell's text: the widest
// cell of a column, or any placed on the padding's side, has no more; an
// empty cell holds it twice at least. Cells whose line drifted count too:
// a cell edited by hand mostly keeps the blanks it was drawn with, and it
// may be the one that showed the padding.
bool padding_of(const Layout& layout, int64_t& padding) {
    bool found = false;
    bool bounded = false;
    padding = 0;
    for (const std::vector<MeasuredCell>& line : layout.cells) {
        for (const MeasuredCell& cell : line) {
            const int64_t most =
                cell.text.empty() ? cell.before / 2 : std::min(cell.before, cell.after);
            padding = bounded ? std::min(padding, most) : most;
            bounded = true;
            found = found || !cell.text.empty();
        }
    }
    return found;
}

bool any_box_fill(const FrameGrid& grid) {
    for (const GridLine& line : grid.lines) {
        if (!line.rule) {
            continue;
        }
        for (std::string_view fill : line.between) {
            if (fill.size() > 1) {
                return true;
            }
        }
    }
    return false;
}

int64_t even_area(int64_t widest) {
    return std::max<int64_t>(2, widest + (widest & 1));
}

// Zentab's box frames give each column an even width, at least one fill
// piece; one odd area says a frame was not drawn so.
bool has_even_areas(const FrameGrid& grid, const Layout& layout) {
    for (int64_t area : top_areas(grid, layout.model)) {
        if ((area & 1) != 0) {
            return false;
        }
    }
    return any_box_fill(grid);
}

bool laid_out(const FrameGrid& grid, WidthModel model, Layout& layout) {
    layout.model = model;
    layout.header = header_lines(grid);
    const std::vector<int64_t> drawnAreas = top_areas(grid, model);
    for (const GridLine& line : grid.lines) {
        std::vector<MeasuredCell> cells;
        std::vector<bool> standing;
        for (size_t c = 0; !line.rule && c < line.between.size(); ++c) {
            const MeasuredCell cell = measured(line.between[c], model);
            cells.push_back(cell);
            standing.push_back(cell.before + cell.width + cell.after == drawnAreas[c]);
        }
        layout.cells.push_back(std::move(cells));
        layout.standing.push_back(std::move(standing));
    }
    if (!padding_of(layout, layout.padding)) {
        return false;
    }
    const bool even = has_even_areas(grid, layout);
    layout.areas.assign(grid.columns, 0);
    for (const std::vector<MeasuredCell>& line : layout.cells) {
        for (size_t c = 0; c < line.size(); ++c) {
            layout.areas[c] = std::max(layout.areas[c], line[c].width);
        }
    }
    for (int64_t& area : layout.areas) {
        area = (even ? even_area(area) : area) + 2 * layout.padding;
    }
    return true;
}

// A group of cells a position type places alike: the header row's first
// cell, its others, and the same below it.
size_t group_of(bool header, size_t column) {
    return (header ? 0 : 2) + (column == 0 ? 0 : 1);
}

struct Placements {
    int32_t positionType = 0;  // 0: none of them places every cell as it stood
    unsigned groups[4] = {kAnyPlacement, kAnyPlacement, kAnyPlacement, kAnyPlacement};
    std::vector<unsigned> headerColumns;
    std::vector<unsigned> bodyColumns;
};

Placements allowed_placements(const Layout& layout, size_t columns) {
    Placements placements;
    placements.headerColumns.assign(columns, kAnyPlacement);
    placements.bodyColumns.assign(columns, kAnyPlacement);
    for (size_t i = 0; i < layout.cells.size(); ++i) {
        for (size_t c = 0; c < layout.cells[i].size(); ++c) {
            if (!layout.standing[i][c]) {
                continue;
            }
            const unsigned allowed = placements_of(layout.cells[i][c], layout.padding);
            placements.groups[group_of(layout.header[i], c)] &= allowed;
            (layout.header[i] ? placements.headerColumns : placements.bodyColumns)[c] &= allowed;
        }
    }
    // A frame Zentab drew places its cells by one of its position types,
    // which settles a cell that fills its area, or could be either left or
    // centred, by the rest of its group.
    for (int32_t type = 1; type <= FT_POSITION_TYPE_MAX; ++type) {
        bool fits = true;
        for (size_t group = 0; group < 4; ++group) {
            const FtPlacement placement = ft_placement(type, group < 2 ? 0 : 1, group % 2);
            fits = fits && (placements.groups[group] & (1u << placement)) != 0;
        }
        if (fits) {
            placements.positionType = type;
            break;
        }
    }
    return placements;
}

FtPlacement placement_of(const Placements& placements, const Layout& layout, size_t line,
                         size_t column) {
    const bool header = layout.header[line];
    if (placements.positionType != 0) {
        return ft_placement(placements.positionType, header ? 0 : 1, column == 0 ? 0 : 1);
    }
    const MeasuredCell& cell = layout.cells[line][column];
    unsigned allowed = placements_of(cell, layout.padding);
    if (allowed == 0) {
        return nearest_placement(cell);
    }
    for (unsigned wider : {(header ? placements.headerColumns : placements.bodyColumns)[column],
                           placements.groups[group_of(header, column)]}) {
        allowed = (allowed & wider) != 0 ? allowed & wider : allowed;
    }
    return first_allowed(allowed);
}

void put_blanks(std::string& out, int64_t count) {
    out.append(static_cast<size_t>(std::max<int64_t>(count, 0)), ' ');
}

std::string drawn_content(const GridLine& line, const Layout& layout, const Placements& placements,
                          size_t index) {
    std::string out;
    for (size_t c = 0; c < line.between.size(); ++c) {
        out += line.borders[c];
        const MeasuredCell& cell = layout.cells[index][c];
        const int64_t slack = layout.areas[c] - cell.width;
        const FtPlacement placement = placement_of(placements, layout, index, c);
        const int64_t before = placement == FT_LEFT    ? layout.padding
                               : placement == FT_RIGHT ? slack - layout.padding
                                                       : slack / 2;
        put_blanks(out, before);
        out += cell.text;
        put_blanks(out, slack - before);
    }
    out += line.borders.back();
    return out;
}

// A segment that had no fill takes the fill of another of its line; an
// ASCII rule of empty columns alone, +++, the dash its columns are drawn with.
std::string_view fill_of(const GridLine& line, size_t column) {
    if (!line.between[column].empty()) {
        return line.between[column];
    }
    for (std::string_view fill : line.between) {
        if (!fill.empty()) {
            return fill;
        }
    }
    return line.borders.front() == "+" ? "-" : "";
}

bool drawn_rule(const GridLine& line, const Layout& layout, std::string& out) {
    out.clear();
    for (size_t c = 0; c < line.between.size(); ++c) {
        out += line.borders[c];
        if (layout.areas[c] == 0) {
            continue;
        }
        const std::string_view fill = fill_of(line, c);
        const int64_t fillColumns = fill.empty() ? 0 : columns_of(fill, layout.model);
        if (fillColumns <= 0 || layout.areas[c] % fillColumns != 0) {
            return false;
        }
        for (int64_t n = layout.areas[c] / fillColumns; n > 0; --n) {
            out += fill;
        }
    }
    out += line.borders.back();
    return true;
}

}  // namespace

WidthModel lined_up_model(const FrameGrid& grid, WidthModel preferred) {
    const WidthModel other =
        preferred == WidthModel::Narrow ? WidthModel::Wide : WidthModel::Narrow;
    return lined_up_lines(grid, other) > lined_up_lines(grid, preferred) ? other : preferred;
}

bool redraw_frame(const FrameGrid& grid, WidthModel model, std::vector<std::string>& drawn) {
    drawn.clear();
    Layout layout;
    if (!laid_out(grid, model, layout)) {
        return false;
    }
    const Placements placements = allowed_placements(layout, grid.columns);
    for (size_t i = 0; i < grid.lines.size(); ++i) {
        const GridLine& line = grid.lines[i];
        std::string out;
        if (line.rule) {
            if (!drawn_rule(line, layout, out)) {
                return false;
            }
        } else {
            out = drawn_content(line, layout, placements, i);
        }
        drawn.push_back(std::move(out));
    }
    return true;
}

}  // namespace documents
