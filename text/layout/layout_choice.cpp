#include "text/layout/layout_choice.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/styles/frame_styles.h"
#include "core/text_rules.h"
#include "text/cell_width.h"
#include "text/unicode/cell_wrap.h"
#include "text/formats/table_formats.h"

namespace {

constexpr char kEscape = '\x1b';

int32_t line_width(std::string_view line, TextEncoding encoding, WidthModel model) {
    if (encoding == TextEncoding::Cp932) {
        return static_cast<int32_t>(line.size());
    }
    if (line.find(kEscape) == std::string_view::npos) {
        return measure_utf8_cell(line.data(), static_cast<int32_t>(line.size()), model);
    }
    // Colour takes no columns: measured as the layout measures it.
    std::vector<FittedLine> fitted;
    fit_cell_line(line, INT32_MAX, model, Overflow::Wrap, fitted);
    return fitted.empty() ? 0 : fitted.front().width;
}

int32_t widest_line(std::string_view text, TextEncoding encoding, WidthModel model) {
    int32_t widest = 0;
    text_rules::Line line{};
    size_t at = 0;
    do {
        line = text_rules::line_at(text, at);
        widest = std::max(widest, line_width(text.substr(at, line.end - at), encoding, model));
        at = line.next;
    } while (line.end < text.size());
    return widest;
}

int32_t cap_of(const std::vector<int32_t>& caps, size_t column) {
    if (caps.empty()) {
        return 0;
    }
    return caps.size() == 1 ? caps.front() : column < caps.size() ? caps[column] : 0;
}

// Each column as wide as its widest line (within its cell width), giving way
// to no less than the narrowest a table cell may be.
std::vector<ColumnNeed> table_needs(const Table& table, const WriteOptions& options) {
    const size_t columns = table.rows().front().size();
    std::vector<ColumnNeed> needs(columns, ColumnNeed{0, 0});
    for (const Row& row : table.rows()) {
        for (size_t c = 0; c < columns; ++c) {
            needs[c].natural = std::max(
                needs[c].natural, widest_line(row[c].text, table.encoding, options.widthModel));
        }
    }
    for (size_t c = 0; c < columns; ++c) {
        const int32_t cap = cap_of(options.fit.cellWidths, c);
        if (cap > 0) {
            needs[c].natural = std::min(needs[c].natural, std::max(cap, kNarrowestTableCell));
        }
        needs[c].minimum = std::min(needs[c].natural, kNarrowestTableCell);
    }
    return needs;
}

}  // namespace

FrameGeometry frame_geometry(int32_t frameType, int32_t columns, int32_t padding,
                             TextEncoding encoding, WidthModel widthModel) {
    const FrameStyle& style = kFrameStyles[frameType - 1];
    const bool narrowPieces =
        !style.evenAreas || (encoding != TextEncoding::Cp932 && widthModel == WidthModel::Narrow);
    return {int64_t{columns + 1} * (narrowPieces ? 1 : 2), padding, style.evenAreas};
}

bool draws_records(const Table& table, const WriteOptions& options) {
    if (options.fit.layout != RowLayout::Auto) {
        return options.fit.layout == RowLayout::Records;
    }
    if (options.fit.width <= 0) {
        return false;
    }
    const auto columns = static_cast<int32_t>(table.rows().front().size());
    const FrameGeometry geometry = frame_geometry(options.frameType, columns, options.fit.padding,
                                                  table.encoding, options.widthModel);
    return !fit_columns(table_needs(table, options), geometry, options.fit.width).fits;
}
