#include "text/layout/column_widths.h"

#include <algorithm>

namespace {

// A column's limit when every column wider than level gives way to it.
int32_t limit_at(const ColumnNeed& need, int32_t level) {
    return std::min(need.natural, std::max(level, need.minimum));
}

int64_t frame_width(const std::vector<int32_t>& limits, const FrameGeometry& geometry) {
    int64_t width = geometry.borderColumns;
    for (int32_t limit : limits) {
        width += area_for(limit, geometry) + 2 * int64_t{geometry.padding};
    }
    return width;
}

std::vector<int32_t> limits_at(const std::vector<ColumnNeed>& needs, int32_t level) {
    std::vector<int32_t> limits;
    limits.reserve(needs.size());
    for (const ColumnNeed& need : needs) {
        limits.push_back(limit_at(need, level));
    }
    return limits;
}

// The highest level whose frame fits, given that level 0 fits and the
// natural widths do not.
int32_t water_level(const std::vector<ColumnNeed>& needs, const FrameGeometry& geometry,
                    int32_t width) {
    int32_t low = 0;
    int32_t high = 0;
    for (const ColumnNeed& need : needs) {
        high = std::max(high, need.natural);
    }
    while (low + 1 < high) {
        const int32_t middle = low + (high - low) / 2;
        if (frame_width(limits_at(needs, middle), geometry) <= width) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return low;
}

// The next limit that widens a column's area.
int32_t next_limit(int32_t limit, const FrameGeometry& geometry) {
    return geometry.evenAreas ? area_for(limit, geometry) + 1 : limit + 1;
}

// What the level leaves over goes to the columns that gave way, a step each
// in turn from the left.
void share_slack(const std::vector<ColumnNeed>& needs, const FrameGeometry& geometry, int32_t width,
                 std::vector<int32_t>& limits) {
    int64_t slack = width - frame_width(limits, geometry);
    for (bool widened = true; widened;) {
        widened = false;
        for (size_t c = 0; c < limits.size(); ++c) {
            if (limits[c] >= needs[c].natural) {
                continue;
            }
            const int32_t wider = std::min(needs[c].natural, next_limit(limits[c], geometry));
            const int64_t cost = area_for(wider, geometry) - area_for(limits[c], geometry);
            if (cost <= slack) {
                slack -= cost;
                limits[c] = wider;
                widened = true;
            }
        }
    }
}

}  // namespace

int32_t area_for(int32_t widest, const FrameGeometry& geometry) {
    if (!geometry.evenAreas) {
        return widest;
    }
    return widest == 0 ? 2 : widest + (widest & 1);
}

ColumnFit fit_columns(const std::vector<ColumnNeed>& needs, const FrameGeometry& geometry,
                      int32_t width) {
    ColumnFit fit;
    std::vector<int32_t> natural = limits_at(needs, INT32_MAX);
    if (width == 0 || frame_width(natural, geometry) <= width) {
        fit.limits = std::move(natural);
        return fit;
    }
    fit.fewestColumns = frame_width(limits_at(needs, 0), geometry);
    if (fit.fewestColumns > width) {
        fit.fits = false;
        return fit;
    }
    fit.limits = limits_at(needs, water_level(needs, geometry, width));
    share_slack(needs, geometry, width, fit.limits);
    // In even areas a limit may use all of its area.
    for (size_t c = 0; c < fit.limits.size(); ++c) {
        fit.limits[c] = std::min(needs[c].natural, area_for(fit.limits[c], geometry));
    }
    return fit;
}
