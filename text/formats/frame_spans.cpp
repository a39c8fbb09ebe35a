#include "text/formats/frame_spans.h"

#include <vector>

#include "text/formats/frame_pieces.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

// A line's characters, without the blanks at its ends; indent kept apart.
struct FrameLine {
    std::string_view indent;
    std::vector<std::string_view> chars;
};

FrameLine frame_line(std::string_view line, TextEncoding encoding) {
    FrameLine cut;
    const std::string_view trimmed = trim_blanks(line);
    cut.indent =
        line.substr(0, trimmed.empty() ? 0 : static_cast<size_t>(trimmed.data() - line.data()));
    for (size_t at = 0; at < trimmed.size();) {
        const size_t length = text_rules::char_length(trimmed, at, is_cp932(encoding));
        cut.chars.push_back(trimmed.substr(at, length));
        at += length;
    }
    return cut;
}

class SpanFinder {
  public:
    SpanFinder(std::string_view text, TextEncoding encoding) : encoding_(encoding) {
        for (const LineSpan& span : split_lines(text)) {
            lines_.push_back(frame_line(text.substr(span.start, span.end - span.start), encoding));
        }
    }

    SpannedFrame find() {
        SpannedFrame spanned;
        size_t first = 0;
        size_t last = lines_.size();
        spanned.found = take_title(first, spanned.title);
        spanned.found = take_footer(first, last, spanned.footer) || spanned.found;
        if (spanned.found) {
            spanned.linesAbove = static_cast<int64_t>(first);
            for (size_t at = first; at < last; ++at) {
                spanned.frame.append(lines_[at].indent);
                for (std::string_view c : lines_[at].chars) {
                    spanned.frame.append(c);
                }
                spanned.frame += '\n';
            }
        }
        return spanned;
    }

  private:
    Piece piece(std::string_view c) const { return piece_of(piece_code(c, encoding_)); }

    // Inner joints of a rule line; -1 for a line that is no rule. The number
    // a rule of records carries, "[ 12 ]", counts as fill.
    int inner_joints(const FrameLine& line) const {
        const std::vector<std::string_view>& chars = line.chars;
        if (chars.size() < 3 || piece(chars.front()) != Piece::Joint ||
            piece(chars.back()) != Piece::Joint) {
            return -1;
        }
        int joints = 0;
        for (size_t i = 1; i + 1 < chars.size(); ++i) {
            const size_t numberEnd = chars[i] == "[" ? record_number_end(chars, i) : i;
            if (numberEnd != i) {
                i = numberEnd;
                continue;
            }
            const Piece p = piece(chars[i]);
            if (p != Piece::Fill && p != Piece::Joint) {
                return -1;
            }
            joints += p == Piece::Joint ? 1 : 0;
        }
        return joints;
    }

    // The last character of a "[ digits ]" from open (and of a blank after
    // it), else open itself.
    static size_t record_number_end(const std::vector<std::string_view>& chars, size_t open) {
        size_t at = open + 1;
        while (at < chars.size() &&
               (chars[at] == " " ||
                (chars[at].size() == 1 && chars[at][0] >= '0' && chars[at][0] <= '9'))) {
            ++at;
        }
        if (at == chars.size() || chars[at] != "]" || at == open + 1) {
            return open;
        }
        // Where pieces are two columns wide, a blank evens out the rule.
        return at + 1 < chars.size() && chars[at + 1] == " " ? at + 1 : at;
    }

    bool is_content(const FrameLine& line) const {
        return line.chars.size() >= 2 && piece(line.chars.front()) == Piece::Vertical &&
               piece(line.chars.back()) == Piece::Vertical;
    }

    std::string inside(const FrameLine& line) const {
        std::string text;
        for (size_t i = 1; i + 1 < line.chars.size(); ++i) {
            text.append(line.chars[i]);
        }
        return std::string(trim_blanks(text));
    }

    // The words of the row --head or --tail leaves: "… 1,234 more rows".
    bool is_elision(const FrameLine& line) const {
        const std::string text = inside(line);
        const std::string_view ellipsis = is_cp932(encoding_) ? "\x81\x63 " : "\xE2\x80\xA6 ";
        if (text.compare(0, ellipsis.size(), ellipsis) != 0) {
            return false;
        }
        size_t at = ellipsis.size();
        const size_t digits = at;
        while (at < text.size() && ((text[at] >= '0' && text[at] <= '9') || text[at] == ',')) {
            ++at;
        }
        const std::string_view rest = std::string_view(text).substr(at);
        return at > digits && (rest == " more rows" || rest == " more row" ||
                               rest == " earlier rows" || rest == " earlier row");
    }

    // A rule made of one line's ends and another's joints: the frame's top or
    // bottom, whole again.
    FrameLine rejoined(size_t ends, size_t joints) const {
        FrameLine line = lines_[joints];
        line.chars.front() = lines_[ends].chars.front();
        line.chars.back() = lines_[ends].chars.back();
        line.indent = lines_[ends].indent;
        return line;
    }

    bool take_title(size_t& first, std::string& title) {
        size_t top = 0;
        while (top < lines_.size() && lines_[top].chars.empty()) {
            ++top;
        }
        if (top == lines_.size() || inner_joints(lines_[top]) != 0 ||
            !opens_frame(piece_code(lines_[top].chars.front(), encoding_))) {
            return false;
        }
        size_t at = top + 1;
        for (; at < lines_.size() && is_content(lines_[at]); ++at) {
            title += (at == top + 1 ? "" : "\n") + inside(lines_[at]);
        }
        if (at == top + 1 || at == lines_.size() || inner_joints(lines_[at]) < 1) {
            title.clear();
            return false;
        }
        lines_[at] = rejoined(top, at);
        first = at;
        return true;
    }

    // From the bottom rule up: runs of spanning lines between rules without
    // joints, up to the rule with joints over them. The elision row is left
    // out, and under a frame without rules it follows the last row directly.
    bool take_footer(size_t first, size_t& last, std::string& footer) {
        size_t bottom = last;
        while (bottom > first && lines_[bottom - 1].chars.empty()) {
            --bottom;
        }
        if (bottom <= first + 2 || inner_joints(lines_[bottom - 1]) != 0 ||
            !closes_frame(piece_code(lines_[bottom - 1].chars.front(), encoding_))) {
            return false;
        }
        const size_t closing = bottom - 1;
        std::vector<std::string> kept;
        size_t at = closing;
        size_t rowsEnd = 0;  // where rows under a frame without rules end, if they do
        while (at > first + 1) {
            const FrameLine& line = lines_[at - 1];
            const int joints = inner_joints(line);
            if (joints > 0) {
                break;
            }
            if (joints < 0 && !is_content(line)) {
                return false;
            }
            if (joints < 0 && is_elision(line) && at - 1 > first + 1 &&
                is_content(lines_[at - 2])) {
                rowsEnd = at - 1;
                break;
            }
            if (joints < 0 && !is_elision(line)) {
                kept.insert(kept.begin(), inside(line));
            }
            --at;
        }
        if (rowsEnd == 0 && (at <= first + 1 || inner_joints(lines_[at - 1]) <= 0)) {
            return false;
        }
        for (size_t k = 0; k < kept.size(); ++k) {
            footer += (k == 0 ? "" : "\n") + kept[k];
        }
        const size_t joints = rowsEnd != 0 ? columns_rule(first) : at - 1;
        if (joints == lines_.size()) {
            return false;
        }
        const size_t bottomAt = rowsEnd != 0 ? rowsEnd : at - 1;
        lines_[bottomAt] = rejoined(closing, joints);
        last = bottomAt + 1;
        return true;
    }

    // The first rule with joints, for a bottom rule after rows drawn without one.
    size_t columns_rule(size_t first) const {
        for (size_t at = first; at < lines_.size(); ++at) {
            if (inner_joints(lines_[at]) > 0) {
                return at;
            }
        }
        return lines_.size();
    }

    TextEncoding encoding_;
    std::vector<FrameLine> lines_;
};

}  // namespace

SpannedFrame without_spanning_rows(std::string_view text, TextEncoding encoding) {
    return SpanFinder(text, encoding).find();
}

}  // namespace formats
