#include "text/layout/frame_layout.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "core/frame_core.h"
#include "core/styles/frame_styles.h"
#include "core/text_rules.h"
#include "text/cell_width.h"
#include "text/layout/column_widths.h"
#include "text/layout/cp932_fit.h"
#include "text/layout/decimal_column.h"
#include "text/layout/layout_choice.h"
#include "text/unicode/cell_wrap.h"
#include "text/unicode/display_width.h"

namespace {

constexpr char kEscape = '\x1b';
// Of emoji and East Asian wide characters alike: no cluster is wider, unless
// half-width sound marks extend it.
constexpr int32_t kWidestPlainCluster = 2;
constexpr std::string_view kUtf8Ellipsis = "\xE2\x80\xA6";

struct CellLine {
    std::string_view text;
    int32_t width;
};

Refusal bad_layout(int64_t value) {
    Refusal refusal = refusal_of(RefusalKind::BadLayout);
    refusal.found = value;
    return refusal;
}

Refusal check_fit(const FrameFit& fit) {
    if (fit.width < 0) {
        return bad_layout(fit.width);
    }
    for (int32_t cellWidth : fit.cellWidths) {
        if (cellWidth < 0) {
            return bad_layout(cellWidth);
        }
    }
    if (fit.padding < 0 || fit.padding > FT_PADDING_MAX) {
        return bad_layout(fit.padding);
    }
    return {};
}

FtRules core_rules(RuleLines rules) {
    return rules == RuleLines::Header ? FT_RULES_HEADER
           : rules == RuleLines::None ? FT_RULES_NONE
                                      : FT_RULES_ALL;
}

class FrameLayout {
  public:
    FrameLayout(const TableView& cells, const FrameLook& look, const FrameFit& fit,
                const LaidOutRows& rows)
        : cells_(cells), look_(look), fit_(fit), rows_(rows) {}

    Refusal lay_out(std::string& frame) {
        Refusal refusal = check_fit(fit_);
        if (refusal.kind != RefusalKind::None) {
            return refusal;
        }
        split_cells();
        const ColumnFit fit = fit_columns(column_needs(), geometry(), fit_.width);
        if (!fit.fits) {
            refusal = refusal_of(RefusalKind::FrameTooNarrow);
            refusal.found = fit.fewestColumns;
            refusal.limit = fit_.width;
            return refusal;
        }
        limits_ = fit.limits;
        place_columns();
        for (int32_t row = 0; row < cells_.rows; ++row) {
            emit_row(row);
        }
        TableView view{text_.data(), spans_.data(), static_cast<int32_t>(opensRow_.size()),
                       cells_.columns};
        view.opensRow = opensRow_.data();
        view.bodyPlacements = placements_.data();
        view.rules = core_rules(fit_.rules);
        view.padding = fit_.padding;
        if (rows_.leastWidths.size() == static_cast<size_t>(cells_.columns)) {
            view.leastWidths = rows_.leastWidths.data();
        }
        return render_frame(view, look_, frame);
    }

  private:
    bool cp932() const { return look_.encoding == TextEncoding::Cp932; }

    std::string_view cell_text(int32_t row, int32_t column) const {
        const CellSpan& span = cells_.cells[int64_t{row} * cells_.columns + column];
        return {cells_.text + span.start, static_cast<size_t>(span.length)};
    }

    int32_t measure(std::string_view line) {
        const auto length = static_cast<int32_t>(line.size());
        if (cp932()) {
            return length;
        }
        if (!anyEscape_ || line.find(kEscape) == std::string_view::npos) {
            return measure_utf8_cell(line.data(), length, look_.widthModel);
        }
        fit_cell_line(line, INT32_MAX, look_.widthModel, Overflow::Wrap, fitted_);
        return fitted_.empty() ? 0 : fitted_.front().width;
    }

    int32_t widest_char(std::string_view line) {
        return cp932() ? cp932Fitter_.widest_cluster(line) : widest_cluster(line, look_.widthModel);
    }

    bool may_widen_past(int32_t widest, std::string_view line) const {
        if (widest < kWidestPlainCluster) {
            return true;
        }
        return cp932() ? Cp932Fitter::may_hold_cluster_over_two_columns(line)
                       : may_hold_cluster_over_two_columns(line);
    }

    int32_t ellipsis_width() const {
        return cp932() ? static_cast<int32_t>(kCp932Ellipsis.size())
                       : measure_utf8_cell(kUtf8Ellipsis.data(), 3, look_.widthModel);
    }

    // Every cell's lines, at CR LF, LF or CR; a cell has at least one.
    void split_cells() {
        const int64_t cellCount = int64_t{cells_.rows} * cells_.columns;
        int64_t end = 0;
        for (int64_t cell = 0; cell < cellCount; ++cell) {
            end = std::max(end, int64_t{cells_.cells[cell].start} + cells_.cells[cell].length);
        }
        // One search over every cell, and what lies between them, spares one a line.
        anyEscape_ = std::string_view(cells_.text, static_cast<size_t>(end)).find(kEscape) !=
                     std::string_view::npos;
        firstLine_.reserve(static_cast<size_t>(cellCount) + 1);
        lines_.reserve(static_cast<size_t>(cellCount));
        for (int32_t row = 0; row < cells_.rows; ++row) {
            for (int32_t column = 0; column < cells_.columns; ++column) {
                firstLine_.push_back(static_cast<int32_t>(lines_.size()));
                const std::string_view text = cell_text(row, column);
                text_rules::Line line{};
                size_t at = 0;
                do {
                    line = text_rules::line_at(text, at);
                    const std::string_view part = text.substr(at, line.end - at);
                    lines_.push_back({part, measure(part)});
                    at = line.next;
                } while (line.end < text.size());
            }
        }
        firstLine_.push_back(static_cast<int32_t>(lines_.size()));
    }

    int64_t cell_index(int32_t row, int32_t column) const {
        return int64_t{row} * cells_.columns + column;
    }

    // Of lines_; the cell after the last gives the end of the last cell's lines.
    int32_t first_line(int64_t cell) const { return firstLine_[static_cast<size_t>(cell)]; }

    int32_t cap_of(int32_t column) const {
        const std::vector<int32_t>& caps = fit_.cellWidths;
        if (caps.empty()) {
            return 0;
        }
        return caps.size() == 1                            ? caps.front()
               : static_cast<size_t>(column) < caps.size() ? caps[static_cast<size_t>(column)]
                                                           : 0;
    }

    ColumnAlign align_of(int32_t column) const {
        const std::vector<ColumnAlign>& align = fit_.align;
        return static_cast<size_t>(column) < align.size() ? align[static_cast<size_t>(column)]
                                                          : ColumnAlign::ByPosition;
    }

    // The numbers of a decimal column's body; a column that is not one
    // holds none.
    DecimalColumn decimal_column(int32_t column) const {
        DecimalColumn numbers;
        if (align_of(column) != ColumnAlign::Decimal) {
            return numbers;
        }
        for (int32_t row = 1; row < cells_.rows; ++row) {
            numbers.add(decimal_parts(cell_text(row, column)));
        }
        return numbers;
    }

    int32_t least_width(int32_t column) const {
        const std::vector<int32_t>& least = rows_.leastWidths;
        return static_cast<size_t>(column) < least.size() ? least[static_cast<size_t>(column)] : 0;
    }

    bool opens_row(int32_t row) const {
        const std::vector<unsigned char>& opens = rows_.opensRow;
        return static_cast<size_t>(row) >= opens.size() || opens[static_cast<size_t>(row)] != 0;
    }

    ColumnNeed column_need(int32_t column) {
        const int32_t least = least_width(column);
        ColumnNeed need{std::max(decimals_[static_cast<size_t>(column)].width(), least), least};
        for (int32_t row = 0; row < cells_.rows; ++row) {
            const int64_t cell = cell_index(row, column);
            for (int32_t k = first_line(cell); k < first_line(cell + 1); ++k) {
                need.natural = std::max(need.natural, lines_[static_cast<size_t>(k)].width);
            }
        }
        const int32_t cap = cap_of(column);
        if (fit_.width == 0 && (cap == 0 || cap >= need.natural)) {
            return need;  // the column keeps its natural width: no need to know its narrowest
        }
        const int64_t end = cell_index(cells_.rows - 1, column) + 1;
        for (int64_t cell = column; cell < end; cell += cells_.columns) {
            for (int32_t k = first_line(cell); k < first_line(cell + 1); ++k) {
                const std::string_view line = lines_[static_cast<size_t>(k)].text;
                if (may_widen_past(need.minimum, line)) {
                    need.minimum = std::max(need.minimum, widest_char(line));
                }
            }
        }
        if (fit_.overflow == Overflow::Truncate) {
            need.minimum = std::max(need.minimum, ellipsis_width());
        }
        need.minimum = std::min(need.minimum, need.natural);
        if (cap != 0) {
            // A grapheme cluster is never split: a cell width gives way to it.
            need.natural = std::min(need.natural, std::max(cap, need.minimum));
        }
        return need;
    }

    std::vector<ColumnNeed> column_needs() {
        std::vector<ColumnNeed> needs;
        for (int32_t column = 0; column < cells_.columns; ++column) {
            decimals_.push_back(decimal_column(column));
        }
        for (int32_t column = 0; column < cells_.columns; ++column) {
            needs.push_back(column_need(column));
        }
        return needs;
    }

    FrameGeometry geometry() const {
        return frame_geometry(look_.frameType, cells_.columns, fit_.padding, look_.encoding,
                              look_.widthModel);
    }

    void place_columns() {
        for (int32_t column = 0; column < cells_.columns; ++column) {
            switch (align_of(column)) {
                case ColumnAlign::Left:
                    placements_.push_back(FT_LEFT);
                    break;
                case ColumnAlign::Right:
                case ColumnAlign::Decimal:
                    placements_.push_back(FT_RIGHT);
                    break;
                case ColumnAlign::Centre:
                    placements_.push_back(FT_CENTRE);
                    break;
                case ColumnAlign::ByPosition:
                    placements_.push_back(ft_placement(look_.positionType, 1, column));
                    break;
            }
        }
    }

    void fit_line(std::string_view line, int32_t width, int32_t limit) {
        if (width <= limit) {
            fitted_.assign(1, FittedLine{0, static_cast<int32_t>(line.size()), width, false});
        } else if (cp932()) {
            cp932Fitter_.fit(line, limit, fit_.overflow, fitted_);
        } else {
            fit_cell_line(line, limit, look_.widthModel, fit_.overflow, fitted_);
        }
    }

    // A number in a decimal column, given the spaces that line up its point;
    // false when the cell is no such number.
    bool emit_number(int32_t row, int32_t column, std::vector<CellSpan>& pieces) {
        const DecimalColumn& numbers = decimals_[static_cast<size_t>(column)];
        const std::string_view text = cell_text(row, column);
        if (row == 0 || align_of(column) != ColumnAlign::Decimal ||
            numbers.width() > limits_[static_cast<size_t>(column)]) {
            return false;
        }
        const DecimalParts parts = decimal_parts(text);
        if (!parts.number) {
            return false;
        }
        const auto start = static_cast<int32_t>(text_.size());
        text_ += text;
        text_.append(static_cast<size_t>(numbers.trailing(parts)), ' ');
        const auto length = static_cast<int32_t>(text_.size()) - start;
        pieces.push_back({start, length, length});
        return true;
    }

    void emit_cell(int32_t row, int32_t column, std::vector<CellSpan>& pieces) {
        pieces.clear();
        if (emit_number(row, column, pieces)) {
            return;
        }
        const std::string_view text = cell_text(row, column);
        const bool coloured = anyEscape_ && text.find(kEscape) != std::string_view::npos;
        std::string reopen;
        size_t coveredTo = 0;  // the colour state is known up to here
        const int64_t cell = cell_index(row, column);
        const int32_t limit = limits_[static_cast<size_t>(column)];
        for (int32_t k = first_line(cell); k < first_line(cell + 1); ++k) {
            const CellLine& line = lines_[static_cast<size_t>(k)];
            const auto lineStart = static_cast<size_t>(line.text.data() - text.data());
            fit_line(line.text, line.width, limit);
            for (const FittedLine& part : fitted_) {
                const auto start = static_cast<int32_t>(text_.size());
                text_ += reopen;
                text_ += line.text.substr(static_cast<size_t>(part.start),
                                          static_cast<size_t>(part.length));
                if (part.ellipsis) {
                    text_ += cp932() ? kCp932Ellipsis : kUtf8Ellipsis;
                }
                if (coloured) {
                    const size_t partEnd =
                        lineStart + static_cast<size_t>(part.start + part.length);
                    const EscapesInForce inForce = escapes_in_force(
                        reopen + std::string(text.substr(coveredTo, partEnd - coveredTo)));
                    text_ += inForce.close;
                    reopen = inForce.reopen;
                    coveredTo = partEnd;
                }
                pieces.push_back({start, static_cast<int32_t>(text_.size()) - start, part.width});
            }
        }
    }

    void emit_row(int32_t row) {
        pieces_.resize(static_cast<size_t>(cells_.columns));
        size_t height = 1;
        for (int32_t column = 0; column < cells_.columns; ++column) {
            std::vector<CellSpan>& pieces = pieces_[static_cast<size_t>(column)];
            emit_cell(row, column, pieces);
            height = std::max(height, pieces.size());
        }
        for (size_t line = 0; line < height; ++line) {
            opensRow_.push_back(line == 0 && opens_row(row) ? 1 : 0);
            for (const std::vector<CellSpan>& pieces : pieces_) {
                spans_.push_back(line < pieces.size() ? pieces[line] : CellSpan{0, 0, 0});
            }
        }
    }

    const TableView& cells_;
    const FrameLook& look_;
    const FrameFit& fit_;
    const LaidOutRows& rows_;
    bool anyEscape_ = false;  // in any cell, or between them
    std::vector<CellLine> lines_;
    std::vector<int32_t> firstLine_;  // per cell, and one past the last
    std::vector<DecimalColumn> decimals_;
    std::vector<int32_t> limits_;
    std::vector<FtPlacement> placements_;
    std::vector<FittedLine> fitted_;
    Cp932Fitter cp932Fitter_;
    std::vector<std::vector<CellSpan>> pieces_;
    std::string text_;
    std::vector<CellSpan> spans_;
    std::vector<unsigned char> opensRow_;
};

}  // namespace

bool needs_layout(const FrameFit& fit, std::string_view cellText, std::string_view specials) {
    if (!fit.plain()) {
        return true;
    }
    // A search a byte at a time: find_first_of would test each byte of the
    // text against the set.
    for (char special : specials) {
        if (cellText.find(special) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

Refusal render_laid_out(const TableView& cells, const FrameLook& look, const FrameFit& fit,
                        std::string& frame, const LaidOutRows& rows) {
    if (cells.rows <= 0 || cells.columns <= 0) {
        return refusal_of(RefusalKind::NoCells);
    }
    return FrameLayout(cells, look, fit, rows).lay_out(frame);
}
