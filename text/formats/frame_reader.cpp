// Frames back into cells: Zentab's six types in either width model and the
// box and ASCII tables other tools print. The joints of the top rule give the
// column where every border stands; content lines are cut there, measured in
// display columns, so a cell may hold a vertical bar of its own.
#include "text/formats/formats_internal.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

enum class Piece : uint8_t { Other, Fill, Vertical, Joint };

constexpr uint32_t kNone = 0xFFFFFFFF;

// Code page 932's box-drawing row 0x849F..0x84BE.
constexpr uint16_t kCp932Boxes[] = {
    0x2500, 0x2502, 0x250C, 0x2510, 0x2518, 0x2514, 0x251C, 0x252C, 0x2524, 0x2534, 0x253C,
    0x2501, 0x2503, 0x250F, 0x2513, 0x251B, 0x2517, 0x2523, 0x2533, 0x252B, 0x253B, 0x254B,
    0x2520, 0x252F, 0x2528, 0x2537, 0x253F, 0x251D, 0x2530, 0x2525, 0x2538, 0x2542,
};

// The code point of a frame piece candidate: ASCII, UTF-8 box drawing, or
// code page 932's box row; kNone for anything else.
uint32_t piece_code(std::string_view ch, TextEncoding encoding) {
    const auto lead = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 1) {
        return lead < 0x80 ? lead : kNone;
    }
    if (encoding == TextEncoding::Cp932) {
        const auto trail = static_cast<unsigned char>(ch[1]);
        const size_t index = static_cast<size_t>(trail) - 0x9F;
        return lead == 0x84 && trail >= 0x9F && index < sizeof kCp932Boxes / sizeof(uint16_t)
                   ? kCp932Boxes[index]
                   : kNone;
    }
    if (ch.size() != 3 || lead != 0xE2) {
        return kNone;
    }
    return 0x2000u | ((static_cast<unsigned char>(ch[1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(ch[2]) & 0x3Fu);
}

Piece piece_of(uint32_t code) {
    switch (code) {
        case '+':
            return Piece::Joint;
        case '-':
        case '=':
        // light, heavy, dashed and double horizontals, and the light-heavy halves
        case 0x2500:
        case 0x2501:
        case 0x2504:
        case 0x2505:
        case 0x2508:
        case 0x2509:
        case 0x254C:
        case 0x254D:
        case 0x2550:
        case 0x257C:
        case 0x257E:
            return Piece::Fill;
        case '|':
        case 0x2502:
        case 0x2503:
        case 0x2506:
        case 0x2507:
        case 0x250A:
        case 0x250B:
        case 0x254E:
        case 0x254F:
        case 0x2551:
        case 0x257D:
        case 0x257F:
            return Piece::Vertical;
        default:
            break;
    }
    const bool halfLine = code >= 0x2574 && code <= 0x257B;
    return code >= 0x250C && code <= 0x2573 && !halfLine ? Piece::Joint : Piece::Other;
}

// Corners that a frame may start or end with; '+' could be either.
bool opens_frame(uint32_t code) {
    switch (code) {
        case '+':
        case 0x250C:
        case 0x250D:
        case 0x250E:
        case 0x250F:
        case 0x2552:
        case 0x2553:
        case 0x2554:
        case 0x256D:
            return true;
        default:
            return false;
    }
}

bool closes_frame(uint32_t code) {
    switch (code) {
        case '+':
        case 0x2514:
        case 0x2515:
        case 0x2516:
        case 0x2517:
        case 0x2558:
        case 0x2559:
        case 0x255A:
        case 0x2570:
            return true;
        default:
            return false;
    }
}

struct Joint {
    int64_t column = 0;
    size_t offset = 0;
};

struct RuleScan {
    enum Kind : uint8_t { NotRule, Rule, Broken } kind = NotRule;
    std::vector<Joint> joints;
    uint32_t leftPiece = kNone;
    size_t brokenAt = 0;  // Broken: the first byte that is no rule piece
};

class FrameReader {
  public:
    FrameReader(std::string_view text, TextEncoding encoding, WidthModel model)
        : text_(text), encoding_(encoding), model_(model), places_(text, is_cp932(encoding)) {
        read_.table.encoding = encoding;
        read_.table.reserve_text(text.size());
    }

    TableRead read() {
        lines_ = split_lines(text_);
        size_t top = 0;
        while (top < lines_.size()) {
            RuleScan rule = scan_rule(lines_[top]);
            if (rule.kind != RuleScan::Rule) {
                ++top;
                continue;
            }
            size_t stop = top + 1;
            if (!read_from(top, rule, stop)) {
                read_.table.clear();
                return std::move(read_);
            }
            if (!read_.table.rows().empty()) {
                return std::move(read_);
            }
            // The rules between top and stop agree with top, so a frame
            // starting at any of them would stop at the same line.
            top = stop;
        }
        read_.refusal.kind = RefusalKind::NoFrameFound;
        return std::move(read_);
    }

  private:
    std::string_view char_at(size_t at) const {
        return text_.substr(at, text_rules::char_length(text_, at, is_cp932(encoding_)));
    }

    int64_t columns(std::string_view text) const {
        if (text.size() == 1) {
            return 1;
        }
        return text_columns(text, encoding_, model_);
    }

    // Blanks at either end are padding, drawn after the cell was measured on
    // its own: a Prepend character must not take the space after it into its
    // cluster, nor a space the combining mark that starts a cell.
    int64_t padded_columns(std::string_view text) const {
        const std::string_view cell = trim_blanks(text);
        if (cell.size() == text.size()) {
            return columns(text);
        }
        return static_cast<int64_t>(text.size() - cell.size()) + columns(cell);
    }

    // A cell that ends in a Prepend character and a space of its own was
    // measured with that space inside the character's cluster: one column
    // less than its blanks count.
    bool took_in_a_space(std::string_view text) const {
        const std::string_view cell = trim_blanks(text);
        if (encoding_ != TextEncoding::Utf8 || cell.empty() || cell.size() == text.size() ||
            !is_blank(text.back())) {
            return false;
        }
        size_t last = cell.size() - 1;
        while (last > 0 && (static_cast<unsigned char>(cell[last]) & 0xC0) == 0x80) {
            --last;
        }
        const std::string probe = std::string(cell.substr(last)) + ' ';
        return columns(probe) == columns(cell.substr(last));
    }

    RuleScan scan_rule(LineSpan line) const {
        RuleScan scan;
        int64_t column = 0;
        size_t at = line.start;
        for (; at < line.end && text_[at] == ' '; ++at) {
            ++column;
        }
        size_t fills = 0;
        size_t lastPiece = at;
        for (; at < line.end; at += char_at(at).size()) {
            std::string_view ch = char_at(at);
            const uint32_t code = piece_code(ch, encoding_);
            const Piece piece = piece_of(code);
            if (piece == Piece::Joint) {
                if (scan.joints.empty()) {
                    scan.leftPiece = code;
                }
                scan.joints.push_back({column, at});
            } else if (piece == Piece::Fill && !scan.joints.empty()) {
                ++fills;
            } else {
                break;
            }
            lastPiece = at;
            column += columns(ch);
        }
        const bool restBlank = trim_blanks(text_.substr(at, line.end - at)).empty();
        // A column of empty cells is drawn as joints side by side: +++.
        const bool shaped = scan.joints.size() >= 2 && (fills > 0 || scan.leftPiece == '+') &&
                            piece_of(piece_code(char_at(lastPiece), encoding_)) == Piece::Joint;
        if (restBlank && shaped) {
            scan.kind = RuleScan::Rule;
        } else if (fills > 0) {
            // It starts as a rule does: inside a frame, that is a broken one.
            scan.kind = RuleScan::Broken;
            scan.brokenAt = restBlank ? line.end : at;
        }
        return scan;
    }

    bool mismatch(size_t offset) {
        read_.refusal = refusal_at(places_, RefusalKind::FrameMismatch, offset);
        return false;
    }

    bool same_joints(const RuleScan& rule, const RuleScan& top) {
        for (size_t j = 0; j < rule.joints.size() || j < top.joints.size(); ++j) {
            if (j == rule.joints.size() || j == top.joints.size() ||
                rule.joints[j].column != top.joints[j].column) {
                const size_t at =
                    j < rule.joints.size() ? rule.joints[j].offset : rule.joints.back().offset;
                return mismatch(at);
            }
        }
        return true;
    }

    void add_cell(size_t start, size_t end) {
        std::string_view trimmed = trim_blanks(text_.substr(start, end - start));
        add_cell_at(read_.table, places_, trimmed,
                    static_cast<size_t>(trimmed.data() - text_.data()));
    }

    // Cuts a content line at the top rule's joint columns. Widths are measured
    // between vertical pieces only, so the walk stays linear and never splits
    // a character cluster, which a box-drawing character always ends.
    bool read_content(LineSpan line, const RuleScan& top) {
        size_t next = 0;  // the joint whose vertical comes next
        size_t measuredTo = line.start;
        int64_t column = 0;
        size_t cellStart = line.start;
        for (size_t at = line.start; at < line.end; at += char_at(at).size()) {
            std::string_view ch = char_at(at);
            if (next == top.joints.size()) {
                if (ch != " " && ch != "\t") {
                    return mismatch(at);  // a cell or border past the right border
                }
                continue;
            }
            if (piece_of(piece_code(ch, encoding_)) != Piece::Vertical) {
                continue;
            }
            const std::string_view segment = text_.substr(measuredTo, at - measuredTo);
            column += padded_columns(segment);
            const int64_t want = top.joints[next].column;
            if (column == want + 1 && took_in_a_space(segment)) {
                column = want;
            }
            if (column > want || (next == 0 && column != want)) {
                return mismatch(at);
            }
            if (column == want) {
                if (next > 0) {
                    add_cell(cellStart, at);
                } else if (!trim_blanks(text_.substr(line.start, at - line.start)).empty()) {
                    return mismatch(line.start);
                }
                ++next;
                cellStart = at + ch.size();
            }
            column += columns(ch);
            measuredTo = at + ch.size();
        }
        if (next < top.joints.size()) {
            return mismatch(line.end);  // a border is missing
        }
        read_.table.end_row();
        return true;
    }

    bool starts_with_vertical(LineSpan line) const {
        size_t at = line.start;
        while (at < line.end && is_blank(text_[at])) {
            ++at;
        }
        return at < line.end && piece_of(piece_code(char_at(at), encoding_)) == Piece::Vertical;
    }

    // Reads the frame whose top rule is lines_[top]. False on a refusal; true
    // with no rows when what follows the rule is no frame after all, with stop
    // at the first line that may still open one.
    bool read_from(size_t top, const RuleScan& topRule, size_t& stop) {
        uint32_t lastLeftPiece = topRule.leftPiece;
        bool lastWasRule = true;
        size_t at = top + 1;
        for (; at < lines_.size(); ++at) {
            const RuleScan rule = scan_rule(lines_[at]);
            if (rule.kind == RuleScan::Broken) {
                return mismatch(rule.brokenAt);
            }
            if (rule.kind == RuleScan::Rule) {
                if (!same_joints(rule, topRule)) {
                    return false;
                }
                lastLeftPiece = rule.leftPiece;
                lastWasRule = true;
                if (closes_frame(rule.leftPiece) && rule.leftPiece != '+') {
                    break;
                }
                continue;
            }
            if (!starts_with_vertical(lines_[at])) {
                break;
            }
            if (!read_content(lines_[at], topRule)) {
                return false;
            }
            lastWasRule = false;
        }
        stop = at;
        if (read_.table.rows().empty()) {
            return true;
        }
        const size_t ending = at < lines_.size() ? lines_[at].start : lines_.back().end;
        if (!lastWasRule || !closes_frame(lastLeftPiece)) {
            return mismatch(ending);  // the frame stops without its bottom rule
        }
        if (!opens_frame(topRule.leftPiece)) {
            return mismatch(topRule.joints[0].offset);  // a frame cut above its top rule
        }
        return true;
    }

    std::string_view text_;
    TextEncoding encoding_;
    WidthModel model_;
    text_rules::PlaceCounter places_;
    std::vector<LineSpan> lines_;
    TableRead read_;
};

}  // namespace

TableRead read_frame(std::string_view text, TextEncoding encoding, WidthModel model) {
    TableRead first = FrameReader(text, encoding, model).read();
    if (first.refusal.kind != RefusalKind::FrameMismatch || encoding == TextEncoding::Cp932) {
        return first;
    }
    // A frame drawn for the other width model lines up only in that one.
    const WidthModel other = model == WidthModel::Narrow ? WidthModel::Wide : WidthModel::Narrow;
    TableRead second = FrameReader(text, encoding, other).read();
    return second.ok() ? second : first;
}

}  // namespace formats
