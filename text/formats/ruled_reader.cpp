// Tables whose rule line stands only under the header or between rows:
// database shells' output in each border mode, Org tables, reStructuredText
// simple tables and dashes-under-the-header tables. The first rule gives the
// columns: its joints and vertical pieces, or, with none, where its runs of
// dashes start. Content lines are cut there, measured in display columns.
#include <algorithm>

#include "text/formats/formats_internal.h"
#include "text/formats/frame_pieces.h"
#include "text/formats/line_cells.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

struct Ruling {
    std::vector<int64_t> separators;  // display columns of joints and vertical pieces
    std::vector<int64_t> runStarts;   // where each run of fill starts
    bool outerLeft = false;           // a separator stands before the first column
    bool outerRight = false;
    Piece opening = Piece::Other;  // the rule's first piece
    int64_t end = 0;               // the column after its last piece
};

bool is_digits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// "(3 rows)" and "(1 row)" under a database shell's table.
bool is_row_count(std::string_view line) {
    line = trim_blanks(line);
    if (line.size() < 7 || line.front() != '(' || line.back() != ')') {
        return false;
    }
    line = line.substr(1, line.size() - 2);
    const size_t space = line.find(' ');
    return space != std::string_view::npos && is_digits(line.substr(0, space)) &&
           (line.substr(space) == " rows" || line.substr(space) == " row");
}

class RuledReader {
  public:
    RuledReader(std::string_view text, TextEncoding encoding, WidthModel model)
        : text_(text), encoding_(encoding), model_(model) {
        read_.table.borrow(text);
        read_.table.encoding = encoding;
    }

    TableRead read(Piece& opening) {
        lines_ = split_lines(text_);
        size_t rule = 0;
        while (rule < lines_.size() && !scan_rule(lines_[rule], ruling_)) {
            ++rule;
        }
        if (rule == lines_.size()) {
            read_.refusal.kind = RefusalKind::NoFrameFound;
            return std::move(read_);
        }
        opening = ruling_.opening;
        size_t first = rule;
        while (first > 0 && !blank(lines_[first - 1])) {
            --first;
        }
        size_t stop = first;
        while (stop < lines_.size() && !blank(lines_[stop]) &&
               !is_row_count(line_text(lines_[stop]))) {
            ++stop;
        }
        if (ruling_.separators.empty() && ruling_.runStarts.size() == 1) {
            cut_at_gutters(first, stop);
        }
        std::vector<CutLine> cut;
        bool afterContent = false;
        for (size_t at = first; at < stop; ++at) {
            Ruling other;
            if (scan_rule(lines_[at], other)) {
                afterContent = false;
                continue;
            }
            if (is_edge(lines_[at])) {
                continue;
            }
            CutLine line;
            line.afterContent = afterContent;
            if (!cut_line(lines_[at], line)) {
                return std::move(read_);
            }
            cut.push_back(std::move(line));
            afterContent = true;
        }
        append_rows(cut, text_, read_.table);
        if (read_.table.rows().empty()) {
            read_.refusal.kind = RefusalKind::NoFrameFound;
        }
        return std::move(read_);
    }

  private:
    std::string_view line_text(LineSpan line) const {
        return text_.substr(line.start, line.end - line.start);
    }

    bool blank(LineSpan line) const { return trim_blanks(line_text(line)).empty(); }

    uint32_t code_at(std::string_view ch) const {
        return is_blank(ch[0]) ? kNone : piece_code(ch, encoding_);
    }

    // The line a frame without outer borders draws above or below its
    // columns' borders: nothing but half verticals, ╷ or ╵.
    bool is_edge(LineSpan line) const {
        bool any = false;
        for (size_t at = line.start; at < line.end; at += char_at(at).size()) {
            const std::string_view ch = char_at(at);
            if (!is_blank(ch[0]) && !is_half_vertical(code_at(ch))) {
                return false;
            }
            any = any || !is_blank(ch[0]);
        }
        return any;
    }

    // A rule of one run of fill gives no columns: they stand where every
    // content line is blank two columns or more, between text, inside the
    // rule. Cells are cut where such a gutter starts.
    void cut_at_gutters(size_t first, size_t stop) {
        std::vector<bool> used;
        for (size_t at = first; at < stop; ++at) {
            Ruling other;
            if (scan_rule(lines_[at], other) || is_edge(lines_[at])) {
                continue;
            }
            int64_t column = 0;
            for (size_t c = lines_[at].start; c < lines_[at].end; c += char_at(c).size()) {
                const std::string_view ch = char_at(c);
                const int64_t width = columns(ch);
                if (!is_blank(ch[0])) {
                    const auto past = static_cast<size_t>(column + std::max<int64_t>(width, 1));
                    used.resize(std::max(used.size(), past));
                    std::fill(used.begin() + static_cast<ptrdiff_t>(column),
                              used.begin() + static_cast<ptrdiff_t>(past), true);
                }
                column += width;
            }
        }
        const auto end = std::min(used.size(), static_cast<size_t>(ruling_.end));
        size_t column = static_cast<size_t>(ruling_.runStarts.front());
        while (column < end && !used[column]) {
            ++column;
        }
        while (column < end) {
            size_t gutter = column;
            while (gutter < end && used[gutter]) {
                ++gutter;
            }
            size_t text = gutter;
            while (text < end && !used[text]) {
                ++text;
            }
            if (text < end && text - gutter >= 2) {
                ruling_.runStarts.push_back(static_cast<int64_t>(gutter));
            }
            column = text;
        }
    }

    std::string_view char_at(size_t at) const {
        return text_.substr(at, text_rules::char_length(text_, at, is_cp932(encoding_)));
    }

    int64_t columns(std::string_view ch) const {
        return ch.size() == 1 ? 1 : text_columns(ch, encoding_, model_);
    }

    // A line of fill with joints, vertical pieces or blanks between its runs,
    // and at least one run of two or more.
    bool scan_rule(LineSpan line, Ruling& ruling) const {
        ruling = Ruling{};
        int64_t column = 0;
        int64_t run = 0;
        int64_t longest = 0;
        bool seen = false;
        for (size_t at = line.start; at < line.end; at += char_at(at).size()) {
            const std::string_view ch = char_at(at);
            // Half lines end a rule that has no outer border: ╶───┼───╴.
            const uint32_t code = code_at(ch);
            const Piece piece = is_half_horizontal(code) ? Piece::Fill : piece_of(code);
            if (piece == Piece::Fill) {
                if (run == 0) {
                    ruling.runStarts.push_back(column);
                }
                longest = std::max(longest, ++run);
            } else if (piece == Piece::Joint || piece == Piece::Vertical) {
                ruling.outerLeft = ruling.outerLeft || !seen;
                ruling.separators.push_back(column);
                run = 0;
            } else if (is_blank(ch[0])) {
                run = 0;
            } else {
                return false;
            }
            if (!is_blank(ch[0])) {
                ruling.opening = seen ? ruling.opening : piece;
                seen = true;
                ruling.outerRight = piece != Piece::Fill;
                ruling.end = column + columns(ch);
            }
            column += columns(ch);
        }
        return longest >= 2;
    }

    bool separates(std::string_view ch) const {
        const uint32_t code = piece_code(ch, encoding_);
        const Piece piece = piece_of(code);
        return piece == Piece::Vertical || piece == Piece::Joint || is_half_vertical(code) ||
               ch == ":" || ch == ";";
    }

    bool mismatch(size_t offset) {
        read_.refusal = refusal_at(text_, encoding_, RefusalKind::FrameMismatch, offset);
        return false;
    }

    // The display columns where the line's cells start (after a separator)
    // and where each ends.
    bool cut_line(LineSpan line, CutLine& out) {
        const bool bySeparators = !ruling_.separators.empty();
        const std::vector<int64_t>& cuts = bySeparators ? ruling_.separators : ruling_.runStarts;
        size_t next = 0;
        int64_t column = 0;
        size_t cellStart = line.start;
        char leftMark = 0;
        bool open = !(bySeparators && ruling_.outerLeft);
        size_t blankSeparator = std::string_view::npos;
        bool marked = false;
        for (size_t at = line.start; at < line.end; at += char_at(at).size()) {
            const std::string_view ch = char_at(at);
            if (next < cuts.size() && column == cuts[next]) {
                if (bySeparators && !separates(ch)) {
                    if (!is_blank(ch[0])) {
                        return mismatch(at);
                    }
                    // The old line style leaves the separators blank on a
                    // line that continues a value, all but the one marked.
                    blankSeparator = std::min(blankSeparator, at);
                }
                marked = marked || ch == ":" || ch == ";";
                if (open && (bySeparators || next > 0)) {
                    out.cells.push_back(
                        {text_.substr(cellStart, at - cellStart), leftMark, !bySeparators});
                }
                open = true;
                leftMark = ch == ":" || ch == ";" ? ch[0] : 0;
                cellStart = bySeparators ? at + ch.size() : next == 0 ? line.start : at;
                ++next;
            } else if (next < cuts.size() && column > cuts[next]) {
                return mismatch(at);  // a wide character across a border
            }
            column += columns(ch);
        }
        if (next < cuts.size() && bySeparators) {
            return mismatch(line.end);
        }
        if (blankSeparator != std::string_view::npos && !marked) {
            return mismatch(blankSeparator);
        }
        for (; next < cuts.size(); ++next) {  // blank cells the line stops before
            if (open && next > 0) {
                out.cells.push_back({text_.substr(cellStart, line.end - cellStart), 0, true});
            }
            open = true;
            cellStart = line.end;
        }
        if (bySeparators && ruling_.outerRight) {
            if (!trim_blanks(text_.substr(cellStart, line.end - cellStart)).empty()) {
                return mismatch(cellStart);
            }
        } else {
            out.cells.push_back(
                {text_.substr(cellStart, line.end - cellStart), leftMark, !bySeparators});
        }
        return true;
    }

    std::string_view text_;
    TextEncoding encoding_;
    WidthModel model_;
    Lines lines_;
    Ruling ruling_;
    TableRead read_;
};

}  // namespace

TableRead read_ruled(std::string_view text, TextEncoding encoding, WidthModel model,
                     Piece& opening) {
    return RuledReader(text, encoding, model).read(opening);
}

}  // namespace formats
