#include "text/documents/frame_grid.h"

#include "core/text_rules.h"
#include "text/formats/frame_pieces.h"
#include "text/unicode/display_width.h"

namespace documents {

namespace {

using formats::Piece;

enum class RuleCut { NotRule, Rule, MixedFill };

std::string_view char_at(std::string_view line, size_t at) {
    return line.substr(at, text_rules::char_length(line, at, false));
}

uint32_t code_of(std::string_view ch) {
    return formats::piece_code(ch, TextEncoding::Utf8);
}

Piece piece_at(std::string_view ch) {
    return formats::piece_of(code_of(ch));
}

bool is_border(Piece piece) {
    return piece == Piece::Joint || piece == Piece::Vertical;
}

// A rule is pieces only, from a border to a border; one with vertical ends
// needs a joint, as |--| may be a cell. A column of empty cells is +++.
RuleCut cut_rule(std::string_view line, GridLine& cut) {
    cut = GridLine{};
    cut.rule = true;
    std::string_view fill;
    size_t run = 0;
    bool anyFill = false;
    bool anyJoint = false;
    bool mixed = false;
    for (size_t at = 0; at < line.size();) {
        const std::string_view ch = char_at(line, at);
        at += ch.size();
        const Piece piece = piece_at(ch);
        if (is_border(piece)) {
            if (!cut.borders.empty()) {
                cut.between.push_back(fill);
                cut.fillRuns.push_back(run);
            }
            cut.borders.push_back(ch);
            anyJoint = anyJoint || piece == Piece::Joint;
            fill = {};
            run = 0;
        } else if (piece == Piece::Fill && !cut.borders.empty()) {
            mixed = mixed || (!fill.empty() && fill != ch);
            fill = ch;
            ++run;
            anyFill = true;
        } else {
            return RuleCut::NotRule;
        }
    }
    if (cut.borders.size() < 2 || !fill.empty() || !anyJoint) {
        return RuleCut::NotRule;
    }
    if (!anyFill && cut.borders.front() != "+") {
        return RuleCut::NotRule;
    }
    return mixed ? RuleCut::MixedFill : RuleCut::Rule;
}

// Every vertical piece is a border, in order; the line ends at its last.
bool cut_content(std::string_view line, GridLine& cut) {
    cut = GridLine{};
    size_t cellStart = 0;
    for (size_t at = 0; at < line.size();) {
        const std::string_view ch = char_at(line, at);
        if (piece_at(ch) == Piece::Vertical) {
            if (!cut.borders.empty()) {
                cut.between.push_back(line.substr(cellStart, at - cellStart));
            } else if (at != 0) {
                return false;
            }
            cut.borders.push_back(ch);
            cellStart = at + ch.size();
        }
        at += ch.size();
    }
    return cut.borders.size() >= 2 && cellStart == line.size();
}

uint32_t first_code(std::string_view line) {
    return line.empty() ? formats::kNone : code_of(char_at(line, 0));
}

}  // namespace

bool is_frame_rule(std::string_view line) {
    GridLine cut;
    return cut_rule(line, cut) != RuleCut::NotRule;
}

bool opens_frame_rule(std::string_view line) {
    return is_frame_rule(line) && formats::opens_frame(first_code(line));
}

bool closes_frame_rule(std::string_view line) {
    return is_frame_rule(line) && formats::closes_frame(first_code(line));
}

bool starts_with_border(std::string_view line) {
    return !line.empty() && piece_at(char_at(line, 0)) == Piece::Vertical;
}

bool grid_of(std::string_view text, const std::vector<TableLine>& lines, FrameGrid& grid) {
    grid = FrameGrid{};
    bool anyContent = false;
    for (const TableLine& span : lines) {
        const std::string_view line = text.substr(span.start, span.end - span.start);
        GridLine cut;
        const RuleCut rule = cut_rule(line, cut);
        if (rule == RuleCut::MixedFill) {
            return false;  // a fill it could not draw again
        }
        if (rule == RuleCut::NotRule && !cut_content(line, cut)) {
            return false;
        }
        if (!grid.lines.empty() && cut.borders.size() != grid.lines.front().borders.size()) {
            return false;
        }
        anyContent = anyContent || !cut.rule;
        grid.lines.push_back(std::move(cut));
    }
    if (grid.lines.empty() || !anyContent || !grid.lines.front().rule || !grid.lines.back().rule) {
        return false;
    }
    const std::string_view first =
        text.substr(lines.front().start, lines.front().end - lines.front().start);
    const std::string_view last =
        text.substr(lines.back().start, lines.back().end - lines.back().start);
    if (!opens_frame_rule(first) || !closes_frame_rule(last)) {
        return false;
    }
    grid.columns = grid.lines.front().borders.size() - 1;
    return true;
}

int64_t columns_of(std::string_view text, WidthModel model) {
    return display_width(text, model);
}

}  // namespace documents
