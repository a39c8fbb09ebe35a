#include "text/shape/title_rows.h"

#include <vector>

#include "core/styles/frame_styles.h"
#include "text/input_check.h"
#include "text/layout/cp932_fit.h"
#include "text/shape/spanning_row.h"
#include "text/text_limits.h"
#include "text/unicode/cell_wrap.h"

namespace {

std::string_view piece_text(const FramePiece* piece, TextEncoding encoding) {
    if (piece == nullptr) {
        return {};
    }
    return encoding == TextEncoding::Cp932
               ? std::string_view(piece->cp932, static_cast<size_t>(piece->cp932Size))
               : std::string_view(piece->utf8, static_cast<size_t>(piece->utf8Size));
}

// The rule between the table and its title or footer: the header rule's ends
// and fill, with the tees of the top or bottom rule where columns meet it.
std::string junction(std::string_view rule, const LinePieces& ruleKind, const TitledFrame& look) {
    const LinePieces& header = kFrameStyles[look.frameType - 1].header;
    std::vector<std::string_view> chars = chars_of(rule, look.encoding);
    if (chars.size() < 2) {
        return std::string(rule);
    }
    const std::string_view fill = piece_text(ruleKind.fill, look.encoding);
    chars.front() = piece_text(header.first, look.encoding);
    chars.back() = piece_text(header.rightEnd, look.encoding);
    for (size_t i = 1; i + 1 < chars.size(); ++i) {
        if (chars[i] == fill) {
            chars[i] = piece_text(header.fill, look.encoding);
        }
    }
    return joined(chars);
}

struct PlacedLines {
    std::vector<std::string> lines;  // each with its padding and alignment blanks
    int32_t widest = 0;              // the widest character, when it did not fit
};

class TitleFitter {
  public:
    TitleFitter(const TitledFrame& look, int32_t inside, TitleAlign align)
        : look_(look), inside_(inside), align_(align) {}

    // Every line of text fitted to the inside, or widest set when a character
    // is wider than it.
    PlacedLines place(std::string_view text) {
        PlacedLines placed;
        // LF, CR LF and CR each end a line, as they end an input's.
        for (size_t at = 0; at <= text.size();) {
            size_t stop = text.find_first_of("\r\n", at);
            stop = stop == std::string_view::npos ? text.size() : stop;
            if (!place_line(text.substr(at, stop - at), placed)) {
                return placed;
            }
            const bool crlf =
                stop + 1 < text.size() && text[stop] == '\r' && text[stop + 1] == '\n';
            at = stop + (crlf ? 2 : 1);
        }
        return placed;
    }

  private:
    bool cp932() const { return look_.encoding == TextEncoding::Cp932; }

    int32_t widest_of(std::string_view line) {
        return cp932() ? cp932Fitter_.widest_cluster(line) : widest_cluster(line, look_.widthModel);
    }

    void fit(std::string_view line) {
        if (cp932()) {
            cp932Fitter_.fit(line, inside_, Overflow::Wrap, fitted_);
        } else {
            fit_cell_line(line, inside_, look_.widthModel, Overflow::Wrap, fitted_);
        }
    }

    bool place_line(std::string_view line, PlacedLines& placed) {
        const int32_t widest = line.empty() ? 0 : widest_of(line);
        if (widest > inside_) {
            placed.widest = widest;
            return false;
        }
        fitted_.clear();
        if (!line.empty()) {
            fit(line);
        }
        if (fitted_.empty()) {
            fitted_.push_back(FittedLine{0, 0, 0, false});
        }
        for (const FittedLine& piece : fitted_) {
            placed.lines.push_back(placed_piece(line, piece));
        }
        return true;
    }

    // Colour set before a wrap is set again on the next line, and closed at
    // the border as a cell's is.
    std::string placed_piece(std::string_view line, const FittedLine& piece) const {
        const auto start = static_cast<size_t>(piece.start);
        const auto end = start + static_cast<size_t>(piece.length);
        const int32_t room = inside_ - piece.width;
        const int32_t before = align_ == TitleAlign::Left    ? 0
                               : align_ == TitleAlign::Right ? room
                                                             : room / 2;
        std::string text(static_cast<size_t>(look_.padding + before), ' ');
        if (!cp932() && start > 0) {
            text += escapes_in_force(line.substr(0, start)).reopen;
        }
        text.append(line.substr(start, end - start));
        if (!cp932()) {
            text += escapes_in_force(line.substr(0, end)).close;
        }
        return text;
    }

    const TitledFrame& look_;
    int32_t inside_;
    TitleAlign align_;
    Cp932Fitter cp932Fitter_;
    std::vector<FittedLine> fitted_;
};

Refusal too_narrow(int32_t frameWidth, int32_t short_by) {
    Refusal refusal = refusal_of(RefusalKind::FrameTooNarrow);
    refusal.found = frameWidth + short_by;
    refusal.limit = frameWidth;
    return refusal;
}

}  // namespace

Refusal add_title_rows(std::string& frame, const TableTitles& titles, const TitledFrame& look) {
    const FrameLines cut = frame_lines(frame);
    const std::vector<std::string_view>& lines = cut.lines;
    if (!titles.any() || lines.size() < 3 || look.frameType < 1 ||
        look.frameType > FT_FRAME_TYPE_MAX) {
        return Refusal{};
    }
    const SpanLook span{look.encoding, look.widthModel};
    const std::vector<std::string_view> top = chars_of(lines.front(), look.encoding);
    const int32_t width = columns_of(lines.front(), span);
    const int32_t inside =
        width - columns_of(top.front(), span) - columns_of(top.back(), span) - 2 * look.padding;
    TitleFitter fitter(look, inside, titles.align);
    const PlacedLines title = fitter.place(titles.title);
    const PlacedLines footer = fitter.place(titles.footer);
    if (title.widest > 0 || footer.widest > 0) {
        return too_narrow(width, std::max(title.widest, footer.widest) - inside);
    }
    const FrameStyle& style = kFrameStyles[look.frameType - 1];
    std::vector<std::string> out;
    out.reserve(lines.size() + title.lines.size() + footer.lines.size() + 4);
    if (!titles.title.empty()) {
        out.push_back(rule_without_crossings(lines.front(), {}, look.encoding));
        for (const std::string& line : title.lines) {
            out.push_back(spanning_line(lines[1], line, span));
        }
        out.push_back(junction(lines.front(), style.top, look));
    } else {
        out.emplace_back(lines.front());
    }
    out.insert(out.end(), lines.begin() + 1, lines.end() - 1);
    if (!titles.footer.empty()) {
        out.push_back(junction(lines.back(), style.bottom, look));
        for (const std::string& line : footer.lines) {
            out.push_back(spanning_line(lines[1], line, span));
        }
        out.push_back(rule_without_crossings(lines.back(), {}, look.encoding));
    } else {
        out.emplace_back(lines.back());
    }
    std::string titled = joined_lines(out, cut.end);
    if (static_cast<int64_t>(titled.size()) > kTextFrameLimit) {
        Refusal refusal = refusal_of(RefusalKind::FrameTooLarge);
        refusal.found = static_cast<int64_t>(titled.size());
        refusal.limit = kTextFrameLimit;
        return refusal;
    }
    frame = std::move(titled);
    return Refusal{};
}

Refusal check_title_text(std::string_view text, TextEncoding encoding) {
    Refusal refusal = check_input_text(text, encoding, kTextInputLimit);
    if (refusal.kind == RefusalKind::None && text.find('\t') != std::string_view::npos) {
        refusal = refusal_of(RefusalKind::CellHoldsSeparator);
        refusal.codePoint = '\t';
    }
    refusal.line = 0;
    refusal.column = 0;
    return refusal;
}
