// Frames back into cells: Zentab's six types in either width model and the
// box and ASCII tables other tools print. The joints of the top rule give the
// column where every border stands; content lines are cut there, measured in
// display columns, so a cell may hold a vertical bar of its own. A top rule
// with no joints between its ends takes its columns from the first rule that
// has some, or from the vertical pieces every content line has in common.
// What holds no frame is handed to the reader of tables ruled only inside.
// One reader, templated on where its cells go: rows of a Table, or spans
// and widths straight into a CellGrid for frames whose rows are a line
// each. Rule lines seen before are matched byte for byte, and content lines
// are cut a run of ASCII at a time while every vertical piece stands at a
// joint; anything else takes the careful cut, which finds the refusals.
#include "text/formats/frame_reader.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <set>
#include <tuple>

#include "core/byte_blocks.h"
#include "text/formats/formats_internal.h"
#include "text/formats/frame_pieces.h"
#include "text/formats/frame_sinks.h"
#include "text/formats/frame_spans.h"
#include "text/formats/text_scan.h"
#include "text/plain_characters.h"

namespace formats {

namespace {

using Line = text_rules::Line;

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

// A rule line read before, kept to match the lines after it byte for byte.
struct KnownRule {
    std::string_view bytes;
    RuleScan scan;  // its joints' offsets those of the line it last matched
};

constexpr size_t kKnownRules = 4;

template <class Sink>
class FrameReader {
  public:
    FrameReader(std::string_view text, TextEncoding encoding, WidthModel model, Sink& sink)
        : text_(text),
          bytes_(reinterpret_cast<const unsigned char*>(text.data())),
          kept_(text_rules::without_trailing_line_ends(text)),
          encoding_(encoding),
          model_(model),
          sink_(sink) {}

    // The first frame in the text with rows; false on a refusal, with
    // refusal() saying what it is.
    bool read() {
        Line top = first_line();
        while (exists(top)) {
            RuleScan rule = scan_rule(top);
            if (rule.kind != RuleScan::Rule) {
                top = after(top);
                continue;
            }
            Line stop = after(top);
            if (!read_from(top, rule, stop) || !flush_last_rows()) {
                return false;
            }
            if (rowsRead_) {
                return true;
            }
            // The rules between top and stop agree with top, so a frame
            // starting at any of them would stop at the same line.
            top = stop;
        }
        refusal_.kind = RefusalKind::NoFrameFound;
        return false;
    }

    // The whole text one frame, its top rule on the first line and its
    // closing rule on the last, every line checked as the input check
    // would; false when it is not, or on a refusal, or when the sink turns
    // it down.
    bool read_whole() {
        const Line first = first_line();
        if (!exists(first)) {
            return false;
        }
        const RuleScan top = scan_rule(first);
        Line stop = after(first);
        return top.kind == RuleScan::Rule && plain_line(first) && read_from(first, top, stop) &&
               flush_last_rows() && rowsRead_ &&
               (!exists(stop) || (closedAtStop_ && !exists(after(stop))));
    }

    const Refusal& refusal() const { return refusal_; }

    // Whether a frame's columns were taken from the vertical pieces its
    // content lines share; a reader told not to reads such a frame as the
    // one column between its top rule's ends.
    bool took_shared_verticals() const { return tookSharedVerticals_; }
    void take_no_shared_verticals() { sharedVerticals_ = false; }

  private:
    // Lines are found as the reader comes to them, in order, and kept in no
    // list: a frame's lines are read once each, but for a look ahead where
    // the top rule has no joints.
    Line first_line() const { return line_from(0); }
    Line after(Line line) const { return line_from(line.next); }
    bool exists(Line line) const { return line.start < kept_.size(); }
    Line line_from(size_t start) const {
        if (start >= kept_.size()) {
            return {kept_.size(), kept_.size(), kept_.size()};
        }
        return text_rules::line_at(kept_, start);
    }

    std::string_view char_at(size_t at) const {
        return text_.substr(at, text_rules::char_length(text_, at, is_cp932(encoding_)));
    }

    int64_t columns(std::string_view text) const {
        if (text.size() == 1) {
            return 1;
        }
        return text_columns(text, encoding_, model_);
    }

    // The columns of the text between two vertical pieces. Blanks where a
    // cell starts or ends may be padding, drawn after the cell was measured on
    // its own: a Prepend character must not take a padding space after it
    // into its cluster, nor a padding space the combining mark that starts a
    // cell. Blanks inside a cell were measured with the rest of it, and a
    // mark after a vertical piece inside a cell in the piece's cluster: it
    // adds what it adds to the piece's width.
    int64_t part_columns(std::string_view text, bool leadIsPadding, bool trailIsPadding,
                         std::string_view pieceBefore = {}) const {
        std::string_view cell = text;
        while (leadIsPadding && !cell.empty() && is_blank(cell.front())) {
            cell.remove_prefix(1);
        }
        while (trailIsPadding && !cell.empty() && is_blank(cell.back())) {
            cell.remove_suffix(1);
        }
        const auto blanks = static_cast<int64_t>(text.size() - cell.size());
        if (pieceBefore.empty() || cell.empty() || static_cast<unsigned char>(cell[0]) < 0x80 ||
            encoding_ != TextEncoding::Utf8) {
            return blanks + columns(cell);
        }
        return blanks + columns(std::string(pieceBefore) + std::string(cell)) -
               columns(pieceBefore);
    }

    static std::string_view last_utf8_character(std::string_view text) {
        size_t last = text.size() - 1;
        while (last > 0 &&
               text_rules::is_utf8_continuation(static_cast<unsigned char>(text[last]))) {
            --last;
        }
        return text.substr(last);
    }

    // A vertical piece right after a Prepend character is in its cluster, as
    // the writer measured a cell holding both: it adds what it adds to that
    // character's width. After anything else it counts alone.
    int64_t piece_columns_after(std::string_view segment, std::string_view piece) const {
        if (encoding_ != TextEncoding::Utf8 || segment.empty() ||
            static_cast<unsigned char>(segment.back()) < 0x80) {
            return columns(piece);
        }
        const std::string_view character = last_utf8_character(segment);
        return columns(std::string(character) + std::string(piece)) - columns(character);
    }

    RuleScan scan_rule(Line line) const {
        RuleScan scan;
        scan_rule_into(line, scan);
        return scan;
    }

    // A rule line seen before, its scan moved to this line; else the line
    // scanned into scratch_.
    const RuleScan& rule_of(Line line, bool& known) {
        const size_t length = line.end - line.start;
        for (KnownRule& rule : knownRules_) {
            if (rule.bytes.size() == length && length > 0 &&
                std::memcmp(rule.bytes.data(), bytes_ + line.start, length) == 0) {
                const auto lastStart = static_cast<size_t>(rule.bytes.data() - text_.data());
                move_scan(rule.scan, line.start - lastStart);  // modulo 2^64, either way
                rule.bytes = text_.substr(line.start, length);
                known = true;
                return rule.scan;
            }
        }
        known = false;
        scan_rule_into(line, scratch_);
        if (scratch_.kind == RuleScan::Rule) {
            KnownRule& slot = knownRules_[nextKnown_];
            nextKnown_ = (nextKnown_ + 1) % kKnownRules;
            slot.bytes = text_.substr(line.start, length);
            slot.scan = scratch_;
        }
        return scratch_;
    }

    static void move_scan(RuleScan& scan, size_t by) {
        for (Joint& joint : scan.joints) {
            joint.offset += by;
        }
    }

    void scan_rule_into(Line line, RuleScan& scan) const {
        scan.kind = RuleScan::NotRule;
        scan.joints.clear();
        scan.leftPiece = kNone;
        scan.brokenAt = 0;
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
            const bool end = piece == Piece::Vertical && (scan.joints.empty() || fills > 0);
            if (piece == Piece::Joint || end) {
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
            if (end && scan.joints.size() > 1) {
                at += ch.size();
                break;  // a vertical piece ends the rule it does not start
            }
        }
        const bool restBlank = trim_blanks(text_.substr(at, line.end - at)).empty();
        // A column of empty cells is drawn as joints side by side: +++.
        // Vertical ends make a rule only around a joint: |--| may be a cell.
        const bool joined = piece_of(scan.leftPiece) == Piece::Joint || scan.joints.size() > 2;
        const bool shaped = scan.joints.size() >= 2 && (fills > 0 || scan.leftPiece == '+') &&
                            scan.joints.back().offset == lastPiece && joined;
        if (restBlank && shaped) {
            scan.kind = RuleScan::Rule;
        } else if (fills > 0 && piece_of(scan.leftPiece) == Piece::Joint) {
            // It starts as a rule does: inside a frame, that is a broken one.
            scan.kind = RuleScan::Broken;
            scan.brokenAt = restBlank ? line.end : at;
        }
    }

    bool mismatch(size_t offset) {
        refusal_ = refusal_at(text_, encoding_, RefusalKind::FrameMismatch, offset);
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

    // Rules without joints between their ends may top, close or cross a
    // frame whose columns another rule or the content lines give.
    bool same_ends(const RuleScan& rule, const RuleScan& columns) {
        if (rule.joints.front().column != columns.joints.front().column) {
            return mismatch(rule.joints.front().offset);
        }
        if (rule.joints.back().column != columns.joints.back().column) {
            return mismatch(rule.joints.back().offset);
        }
        return true;
    }

    static bool joints_agree(const RuleScan& rule, const RuleScan& columns) {
        if (rule.joints.front().column != columns.joints.front().column ||
            rule.joints.back().column != columns.joints.back().column) {
            return false;
        }
        if (rule.joints.size() <= 2) {
            return true;
        }
        if (rule.joints.size() != columns.joints.size()) {
            return false;
        }
        for (size_t j = 0; j < rule.joints.size(); ++j) {
            if (rule.joints[j].column != columns.joints[j].column) {
                return false;
            }
        }
        return true;
    }

    // A content line whose cells look like a rule, |+---+|, stands between
    // borders at the frame's columns but has joints elsewhere.
    bool is_cells_like_a_rule(const RuleScan& rule, const RuleScan& columns) const {
        return piece_of(rule.leftPiece) == Piece::Vertical && !joints_agree(rule, columns);
    }

    // A line of fill between vertical pieces at the frame's ends, |------|,
    // which may be a rule or a cell of dashes.
    bool is_bare_rule(Line line, const RuleScan& columns) const {
        const RuleScan scan = scan_rule(line);
        if (scan.joints.size() != 2 || piece_of(scan.leftPiece) != Piece::Vertical) {
            return false;
        }
        const size_t after = scan.joints.back().offset + char_at(scan.joints.back().offset).size();
        return trim_blanks(text_.substr(after, line.end - after)).empty() &&
               scan.joints.front().column == columns.joints.front().column &&
               scan.joints.back().column == columns.joints.back().column;
    }

    // Whether the line's one cell stands apart from both borders, as padded
    // cells do, or is empty.
    bool stands_apart(Line line, bool& text) const {
        size_t first = line.start;
        while (is_blank(text_[first])) {
            ++first;
        }
        first += char_at(first).size();
        size_t last = line.end;
        while (last > first && is_blank(text_[last - 1])) {
            --last;
        }
        last -= last > first ? 1 : 0;  // the right border, a byte of it at least
        while (last > first && (static_cast<unsigned char>(text_[last]) & 0xC0) == 0x80) {
            --last;
        }
        const std::string_view inside = text_.substr(first, last - first);
        text = text || !trim_blanks(inside).empty();
        return trim_blanks(inside).empty() || (is_blank(inside.front()) && is_blank(inside.back()));
    }

    // Under a header whose text stands apart from the borders, as every
    // other content line's does, |------| between content lines is a rule: a
    // cell of dashes would stand apart too.
    bool bare_rules_inside(Line top, const RuleScan& columns) const {
        if (columns.joints.size() != 2) {
            return false;
        }
        bool bare = false;
        bool text = false;
        bool content = false;
        for (Line at = after(top); exists(at) && in_frame(at); at = after(at)) {
            if (scan_rule(at).kind == RuleScan::Rule) {
                continue;
            }
            if (is_bare_rule(at, columns)) {
                bare = bare || content;
                continue;
            }
            content = true;
            if (!stands_apart(at, text)) {
                return false;
            }
        }
        return bare && text;
    }

    bool in_frame(Line line) const {
        return scan_rule(line).kind == RuleScan::Rule || starts_with_vertical(line);
    }

    // The columns of a frame whose top rule has no joints between its ends:
    // the first rule with joints, or the vertical pieces that stand at the
    // same column on every content line.
    RuleScan columns_rule(Line top, const RuleScan& topRule) {
        if (topRule.joints.size() != 2) {
            return topRule;
        }
        std::vector<int64_t> common;
        bool first = true;
        size_t contentLines = 0;
        const RuleScan* candidate = nullptr;
        RuleScan jointed;
        for (Line at = after(top); exists(at) && in_frame(at); at = after(at)) {
            RuleScan rule = scan_rule(at);
            if (rule.kind == RuleScan::Rule) {
                if (closes_frame(rule.leftPiece) && rule.leftPiece != '+') {
                    break;
                }
                if (candidate == nullptr && rule.joints.size() > 2 &&
                    rule.joints.front().column == topRule.joints.front().column &&
                    rule.joints.back().column == topRule.joints.back().column) {
                    jointed = std::move(rule);
                    candidate = &jointed;
                }
                continue;
            }
            std::vector<int64_t> here = vertical_columns(at);
            common = first ? here : shared(common, here);
            first = false;
            ++contentLines;
        }
        // A rule with joints gives the columns when every content line has
        // borders there; else it is a cell that looks like a rule: |+---+|.
        if (candidate != nullptr && !first && joints_within(*candidate, common)) {
            return *candidate;
        }
        RuleScan columns = topRule;
        if (sharedVerticals_ && contentLines >= 2 && common.size() > 2 &&
            common.front() == topRule.joints.front().column &&
            common.back() == topRule.joints.back().column) {
            tookSharedVerticals_ = true;
            columns.joints.clear();
            for (int64_t column : common) {
                columns.joints.push_back({column, topRule.joints.front().offset});
            }
        }
        return columns;
    }

    std::vector<int64_t> vertical_columns(Line line) const {
        std::vector<int64_t> found;
        size_t measuredTo = line.start;
        int64_t column = 0;
        for (size_t at = line.start; at < line.end; at += char_at(at).size()) {
            std::string_view ch = char_at(at);
            if (piece_of(piece_code(ch, encoding_)) != Piece::Vertical) {
                continue;
            }
            const std::string_view segment = text_.substr(measuredTo, at - measuredTo);
            const bool padded = at > line.start && is_blank(text_[at - 1]) &&
                                at + ch.size() < line.end && is_blank(text_[at + ch.size()]);
            const bool border = padded || at == line.start || at + ch.size() == line.end;
            column += part_columns(segment, true, border);
            if (border) {
                found.push_back(column);
            }
            column += piece_columns_after(segment, ch);
            measuredTo = at + ch.size();
        }
        return found;
    }

    static bool joints_within(const RuleScan& rule, const std::vector<int64_t>& borders) {
        size_t b = 0;
        for (const Joint& joint : rule.joints) {
            while (b < borders.size() && borders[b] < joint.column) {
                ++b;
            }
            if (b == borders.size() || borders[b] != joint.column) {
                return false;
            }
        }
        return true;
    }

    static std::vector<int64_t> shared(const std::vector<int64_t>& a,
                                       const std::vector<int64_t>& b) {
        std::vector<int64_t> both;
        for (size_t i = 0, j = 0; i < a.size() && j < b.size();) {
            if (a[i] == b[j]) {
                both.push_back(a[i]);
                ++i;
                ++j;
            } else {
                a[i] < b[j] ? ++i : ++j;
            }
        }
        return both;
    }

    void add_cell(size_t start, size_t end) {
        const std::string_view cell = trim_blanks(text_.substr(start, end - start));
        const auto textStart = static_cast<size_t>(cell.data() - text_.data());
        cells_.push_back({start, end, textStart, textStart + cell.size(), -1});
    }

    // A content line cut at the columns' joints, into the sink.
    bool read_content(Line line, const RuleScan& top, bool afterContent) {
        if (!quick_cut(line, top)) {
            if (!careful_cut(line, top) || (Sink::kGrid && !plain_cells(line))) {
                return false;
            }
        }
        if (Sink::kGrid && !sink_.waiting() && !rowsRead_) {
            // The rows guessed from the first content line and the top rule,
            // so that the cells seldom move.
            const Line first = first_line();
            const size_t drawn = (line.end - line.start) + (first.end - first.start);
            sink_.reserve_cells((text_.size() / (drawn + 2) + 1) * cells_.size());
        }
        return sink_.add_line(cells_, afterContent);
    }

    // A grid's cells are as psv's: no '|' in them, which the frame writer
    // would refuse.
    bool plain_cells(Line line) const {
        if (!plain_line(line)) {
            return false;
        }
        for (const FrameCell& cell : cells_) {
            const std::string_view cellText =
                text_.substr(cell.textStart, cell.textEnd - cell.textStart);
            if (find_char(cellText, '|', encoding_) != std::string_view::npos) {
                return false;
            }
        }
        return true;
    }

    // Whether the bytes at are the vertical piece last found, of bytes bytes.
    bool is_last_vertical(size_t at, size_t bytes) const {
        if (text_.size() - at < sizeof(uint32_t)) {
            return text_.size() - at >= bytes && verticalWord_ != 0 &&
                   std::memcmp(bytes_ + at, &verticalWord_, bytes) == 0;
        }
        uint32_t word;
        std::memcpy(&word, bytes_ + at, sizeof word);
        return verticalWord_ != 0 && ((word ^ verticalWord_) & verticalMask_) == 0;
    }

    // A character led by a byte of 0x80 or above, checked as the input check
    // checks it: its bytes (0 when it is no text) and columns (-1 when it may
    // join a cluster).
    plain_characters::Character wide_character(size_t at) const {
        return is_cp932(encoding_) ? plain_characters::cp932_character(text_, at)
                                   : plain_characters::utf8_character(text_, at, model_);
    }

    // The vertical piece at, if one stands there: its bytes and columns.
    // The one last found is told by its bytes alone.
    bool vertical_at(size_t at, size_t end, size_t& length, int64_t& pieceColumns) {
        const unsigned char lead = bytes_[at];
        if (lead == '|') {
            length = 1;
            pieceColumns = 1;
            return true;
        }
        const size_t bytes = is_cp932(encoding_) ? 2 : 3;
        if (lead != (is_cp932(encoding_) ? 0x84 : 0xE2) || end - at < bytes) {
            return false;
        }
        length = bytes;
        if (is_last_vertical(at, bytes)) {
            pieceColumns = verticalColumns_;
            return true;
        }
        // Only a piece's own bytes match, each one whole character: bytes
        // that are no character never do.
        const std::string_view ch = text_.substr(at, bytes);
        if (piece_of(piece_code(ch, encoding_)) != Piece::Vertical) {
            return false;
        }
        verticalWord_ = 0;
        std::memcpy(&verticalWord_, ch.data(), bytes);  // its first byte the lowest
        const unsigned char third = bytes == 3 ? 0xFF : 0;
        const unsigned char mask[sizeof verticalMask_] = {0xFF, 0xFF, third, 0};
        std::memcpy(&verticalMask_, mask, sizeof mask);
        verticalColumns_ = columns(ch);
        pieceColumns = verticalColumns_;
        return true;
    }

    // Where the quick cut of a cell stands: where it starts, in bytes and
    // columns, its characters' columns each measured alone, and where its
    // text inside the blanks begins and ends (first kNoText while none).
    static constexpr size_t kNoText = SIZE_MAX;
    struct QuickCell {
        size_t start = 0;
        int64_t column = 0;
        int64_t width = 0;
        bool clustered = false;
        size_t first = kNoText;
        size_t last = 0;
    };

    // The cell ending at border when the vertical piece there stands at the
    // next joint, as the careful cut would find it.
    bool end_quick_cell(const QuickCell& cell, size_t border, int64_t joint, size_t index) {
        const size_t first = cell.first == kNoText ? border : cell.first;
        const size_t last = cell.first == kNoText ? border : cell.last;
        const auto blanks = static_cast<int64_t>((border - cell.start) - (last - first));
        const int64_t width =
            cell.clustered ? columns(text_.substr(first, last - first)) : cell.width - blanks;
        if (cell.column + blanks + width != joint) {
            return false;
        }
        // Written in place: a copy pushed through the vector's call stalls
        // on the store it was just built by.
        cells_[index] = FrameCell{cell.start, border, first, last, width};
        return true;
    }

    // Printable ASCII but '|' from at, a block at a time: where it ends,
    // what in it is no blank marked in cell.
    size_t take_printable(size_t at, QuickCell& cell) const {
        while (text_.size() - at >= byte_blocks::Kernel::kBlockBytes) {
            const byte_blocks::Block block = byte_blocks::Kernel::block_at(bytes_ + at, '|', '|');
            if (block.solid != 0) {
                cell.first =
                    std::min(cell.first, at + byte_blocks::Kernel::byte_index(block.solid));
                cell.last = at + byte_blocks::Kernel::past_highest(block.solid);
            }
            at += block.plain;
            if (block.plain < byte_blocks::Kernel::kBlockBytes) {
                return at;
            }
        }
        for (; at < text_.size() && plain_characters::is_printable_ascii(bytes_[at]) &&
               bytes_[at] != '|';
             ++at) {
            if (bytes_[at] != ' ') {
                cell.first = std::min(cell.first, at);
                cell.last = at + 1;
            }
        }
        return at;
    }

    // The cut of a line of text as the input check passes it whose vertical
    // pieces all stand at joints, its left border first, each character
    // measured alone; false leaves the line to the careful cut.
    bool quick_cut(Line line, const RuleScan& top) {
        cells_.resize(top.joints.size() - 1);  // a cell between each two joints
        size_t length = 0;
        int64_t pieceColumns = 0;
        if (top.joints.front().column != 0 || line.start == line.end ||
            !vertical_at(line.start, line.end, length, pieceColumns)) {
            return false;
        }
        QuickCell cell;
        cell.start = line.start + length;
        cell.column = pieceColumns;
        size_t at = cell.start;
        for (size_t next = 1; next < top.joints.size();) {
            if (at == line.end) {
                return false;
            }
            const unsigned char byte = bytes_[at];
            if (byte != '|' && plain_characters::is_printable_ascii(byte)) {
                const size_t runEnd = take_printable(at, cell);
                cell.width += static_cast<int64_t>(runEnd - at);
                at = runEnd;
                continue;
            }
            if (vertical_at(at, line.end, length, pieceColumns)) {
                const int64_t joint = top.joints[next].column;
                if (!end_quick_cell(cell, at, joint, next - 1)) {
                    return false;
                }
                ++next;
                cell = QuickCell{};
                cell.start = at + length;
                cell.column = joint + pieceColumns;
                at += length;
                continue;
            }
            const plain_characters::Character c =
                byte < 0x80 ? plain_characters::Character{0, 0} : wide_character(at);
            if (c.length == 0 || c.length > line.end - at) {
                return false;
            }
            cell.clustered = cell.clustered || c.columns < 0;
            cell.width += c.columns;
            cell.first = std::min(cell.first, at);
            at += c.length;
            cell.last = at;
        }
        while (at < line.end && bytes_[at] == ' ') {
            ++at;
        }
        return at == line.end;
    }

    // Whether a line holds only what the input check passes and a grid may
    // hold: printable ASCII and characters of the encoding, no TAB, controls
    // or escape sequences.
    bool plain_line(Line line) const {
        for (size_t at = line.start; at < line.end;) {
            if (plain_characters::is_printable_ascii(bytes_[at])) {
                ++at;
                continue;
            }
            const plain_characters::Character c =
                bytes_[at] < 0x80 ? plain_characters::Character{0, 0} : wide_character(at);
            if (c.length == 0 || c.length > line.end - at) {
                return false;
            }
            at += c.length;
        }
        return true;
    }

    // Cuts a content line at the top rule's joint columns. Widths are measured
    // between vertical pieces only, so the walk stays linear and never splits
    // a character cluster, which a box-drawing character ends unless a
    // Prepend character stands right before it. Where a cell ends in such a
    // character, with or without a space of its own, a vertical piece at a
    // joint's column may be the border or part of the cell, and only the rest
    // of the line tells: the cut takes first what the piece's line suggests,
    // a border where the joint above draws the same line down, and comes back
    // for the other when the line does not fit, never twice from the same
    // place, column and joint.
    bool careful_cut(Line line, const RuleScan& top) {
        choices_.clear();
        failedChoices_.clear();
        CutPlace place{line.start, 0, line.start, line.start, 0, 0, Take::Either};
        size_t firstMismatch = SIZE_MAX;
        for (;;) {
            const size_t stuck = cut_from(line, top, place);
            if (stuck == SIZE_MAX) {
                return true;
            }
            firstMismatch = firstMismatch == SIZE_MAX ? stuck : firstMismatch;
            if (!back_to_a_choice(place)) {
                return mismatch(firstMismatch);
            }
        }
    }

    // How the vertical piece at a cut's place is taken.
    enum class Take : uint8_t { Either, Border, Inside };

    // Where a careful cut stands: at a character, before the vertical of a
    // joint, at a column, in a cell.
    struct CutPlace {
        size_t at;
        size_t next;
        size_t measuredTo;
        size_t cellStart;
        size_t cells;
        int64_t column;
        Take take;
        // The last of the blanks that start a cell taken as the cell's own,
        // for the text up to the next vertical piece.
        bool ownLead = false;
    };

    struct CutChoice {
        CutPlace place;  // its take, or its blanks as padding: the way tried first
        bool triedBoth;
        bool lead;  // between readings of the blanks, not between takes
    };

    // The offset the cut is stuck at, or SIZE_MAX when the line is cut.
    size_t cut_from(Line line, const RuleScan& top, CutPlace& place) {
        cells_.resize(place.cells);
        for (size_t& at = place.at; at < line.end; at += char_at(at).size()) {
            std::string_view ch = char_at(at);
            if (place.next == top.joints.size()) {
                if (ch != " " && ch != "\t") {
                    return at;  // a cell or border past the right border
                }
                continue;
            }
            const uint32_t code = piece_code(ch, encoding_);
            if (piece_of(code) != Piece::Vertical) {
                continue;
            }
            // The next border where the text before it fills its cell, with
            // the blanks before it read either as padding or as the end of
            // the cell, which may have ended in a Prepend character and a
            // space of its own.
            const std::string_view segment = text_.substr(place.measuredTo, at - place.measuredTo);
            const bool startsCell = place.measuredTo == place.cellStart;
            const std::string_view pieceBefore =
                startsCell ? std::string_view()
                           : last_utf8_character(text_.substr(0, place.measuredTo));
            const Joint& joint = top.joints[place.next];
            if (startsCell && place.take == Take::Either && !place.ownLead &&
                lead_reads_two_ways(segment) && !choose(place, true)) {
                return at;
            }
            const auto segmentColumns = [&](bool trailIsPadding) {
                return place.ownLead
                           ? own_lead_columns(segment, trailIsPadding)
                           : part_columns(segment, startsCell, trailIsPadding, pieceBefore);
            };
            const int64_t inside = place.column + segmentColumns(false);
            const int64_t pieceInside = piece_columns_after(segment, ch);
            const bool fits =
                inside == joint.column || place.column + segmentColumns(true) == joint.column;
            if (place.take == Take::Either) {
                place.take = fits ? Take::Border : Take::Inside;
                if (fits && place.next > 0 && inside + pieceInside <= joint.column) {
                    place.take = draws_the_joints_line(code, joint) ? Take::Border : Take::Inside;
                    if (!choose(place, false)) {
                        return at;
                    }
                }
            }
            const bool isBorder = place.take == Take::Border;
            place.take = Take::Either;
            place.ownLead = false;
            place.column = isBorder ? joint.column : inside;
            if (place.column > joint.column || (place.next == 0 && place.column != joint.column)) {
                return at;
            }
            if (isBorder) {
                if (place.next > 0) {
                    add_cell(place.cellStart, at);
                } else if (!trim_blanks(text_.substr(line.start, at - line.start)).empty()) {
                    return line.start;
                }
                ++place.next;
                place.cellStart = at + ch.size();
                place.column += columns(ch);
            } else {
                place.column += pieceInside;
            }
            place.measuredTo = at + ch.size();
        }
        return place.next < top.joints.size() ? line.end : SIZE_MAX;  // a border missing
    }

    // The columns of a segment that starts a cell with its last leading
    // blank the cell's own: a mark after such a blank joins its cluster, as
    // the writer measured the cell, where padding would stand apart from it.
    int64_t own_lead_columns(std::string_view segment, bool trailIsPadding) const {
        size_t blanks = 0;
        while (blanks < segment.size() && is_blank(segment[blanks])) {
            ++blanks;
        }
        const auto padding = static_cast<int64_t>(blanks - 1);
        return padding + part_columns(segment.substr(blanks - 1), false, trailIsPadding);
    }

    // Whether the blanks starting a cell measure otherwise as its own than
    // as padding: before a character that may join them.
    bool lead_reads_two_ways(std::string_view segment) const {
        size_t blanks = 0;
        while (blanks < segment.size() && is_blank(segment[blanks])) {
            ++blanks;
        }
        return blanks > 0 && blanks < segment.size() &&
               static_cast<unsigned char>(segment[blanks]) >= 0x80 &&
               own_lead_columns(segment, false) != part_columns(segment, true, false);
    }

    bool draws_the_joints_line(uint32_t vertical, const Joint& joint) const {
        const uint32_t drawn = piece_code(char_at(joint.offset), encoding_);
        return vertical_stroke(vertical) == down_stroke(drawn);
    }

    // A vertical piece that may be a border or in its cell, to be taken as
    // place.take says first: false when both ways failed from here before.
    bool choose(const CutPlace& place, bool lead) {
        if (failedChoices_.count(choice_key(place, lead)) > 0) {
            return false;
        }
        CutPlace before = place;
        before.cells = cells_.size();
        choices_.push_back({before, false, lead});
        return true;
    }

    using ChoiceKey = std::tuple<size_t, size_t, int64_t, bool, bool>;
    static ChoiceKey choice_key(const CutPlace& place, bool lead) {
        return {place.at, place.next, place.column, place.ownLead, lead};
    }

    // The last choice not yet tried both ways, now taken the other way; false
    // when every choice is spent.
    bool back_to_a_choice(CutPlace& place) {
        while (!choices_.empty()) {
            CutChoice& choice = choices_.back();
            if (!choice.triedBoth) {
                choice.triedBoth = true;
                place = choice.place;
                if (choice.lead) {
                    place.ownLead = true;
                } else {
                    place.take = place.take == Take::Border ? Take::Inside : Take::Border;
                }
                return true;
            }
            failedChoices_.insert(choice_key(choice.place, choice.lead));
            choices_.pop_back();
        }
        return false;
    }

    bool starts_with_vertical(Line line) const {
        size_t at = line.start;
        while (at < line.end && is_blank(text_[at])) {
            ++at;
        }
        return at < line.end && piece_of(piece_code(char_at(at), encoding_)) == Piece::Vertical;
    }

    // The lines since the last rule become rows when the next content line
    // shows that rule to be inside the frame, or when the frame ends, so no
    // more than one row's lines wait at a time. Lines between two rules inside
    // are one row: the header always, the body when a rule stands between its
    // rows; else each line is a row.
    bool flush_rows(bool oneRow) {
        if (!sink_.waiting()) {
            return true;
        }
        rowsRead_ = true;
        return sink_.flush(oneRow);
    }

    bool flush_last_rows() { return flush_rows(sink_.last_lines_one_row(innerRules_)); }

    // A content line: after a rule inside the frame, the lines before it
    // become rows.
    bool read_row(Line line, const RuleScan& columns, bool afterRule) {
        if (afterRule && sink_.waiting()) {
            ++innerRules_;
            if (!flush_rows(true)) {
                return false;
            }
        }
        return read_content(line, columns, !afterRule);
    }

    // A line that scan_rule would find no rule and starts_with_vertical
    // would find starting with a vertical piece: the vertical piece last
    // found, then printable ASCII that is no joint or fill.
    bool plainly_content(Line line) const {
        const size_t border = bytes_[line.start] == '|' ? 1 : is_cp932(encoding_) ? 2 : 3;
        if (line.end - line.start <= border ||
            (border > 1 && !is_last_vertical(line.start, border))) {
            return false;
        }
        const unsigned char after = bytes_[line.start + border];
        return plain_characters::is_printable_ascii(after) && after != '+' && after != '-' &&
               after != '=';
    }

    // Reads the frame whose top rule is the line top. False on a refusal; true
    // with no rows when what follows the rule is no frame after all, with stop
    // at the first line that may still open one.
    bool read_from(Line top, const RuleScan& topRule, Line& stop) {
        const RuleScan columns = columns_rule(top, topRule);
        const bool bareRules = bare_rules_inside(top, columns);
        innerRules_ = 0;
        uint32_t lastLeftPiece = topRule.leftPiece;
        bool lastWasRule = true;
        closedAtStop_ = false;
        Line at = after(top);
        for (; exists(at); at = after(at)) {
            if (!bareRules && plainly_content(at)) {
                if (!read_row(at, columns, lastWasRule)) {
                    return false;
                }
                lastWasRule = false;
                continue;
            }
            bool known = false;
            const RuleScan& rule = rule_of(at, known);
            if (rule.kind == RuleScan::Broken) {
                return mismatch(rule.brokenAt);
            }
            if (rule.kind == RuleScan::Rule && !is_cells_like_a_rule(rule, columns)) {
                if (!same_ends(rule, columns) ||
                    (rule.joints.size() > 2 && !same_joints(rule, columns)) ||
                    (Sink::kGrid && !known && !plain_line(at))) {
                    return false;
                }
                lastLeftPiece = rule.leftPiece;
                lastWasRule = true;
                if (closes_frame(rule.leftPiece) && rule.leftPiece != '+') {
                    closedAtStop_ = true;
                    break;
                }
                continue;
            }
            if (!starts_with_vertical(at)) {
                break;
            }
            if (bareRules && !lastWasRule && is_bare_rule(at, columns)) {
                if (Sink::kGrid && !plain_line(at)) {
                    return false;
                }
                lastLeftPiece = rule.leftPiece;
                lastWasRule = true;
                continue;
            }
            if (!read_row(at, columns, lastWasRule)) {
                return false;
            }
            lastWasRule = false;
        }
        stop = at;
        if (!sink_.waiting() && !rowsRead_) {
            return true;
        }
        const size_t ending = at.start;  // the text's end after the last line
        if (!lastWasRule || !closes_frame(lastLeftPiece)) {
            return mismatch(ending);  // the frame stops without its bottom rule
        }
        if (!opens_frame(topRule.leftPiece)) {
            return mismatch(topRule.joints[0].offset);  // a frame cut above its top rule
        }
        return true;
    }

    std::string_view text_;
    const unsigned char* bytes_;
    std::string_view kept_;  // without the empty lines at the end
    TextEncoding encoding_;
    WidthModel model_;
    Sink& sink_;
    Refusal refusal_;
    std::vector<FrameCell> cells_;  // of the content line being cut
    std::vector<CutChoice> choices_;
    std::set<ChoiceKey> failedChoices_;
    RuleScan scratch_;
    std::array<KnownRule, kKnownRules> knownRules_{};
    size_t nextKnown_ = 0;
    uint32_t verticalWord_ = 0;  // the bytes of the vertical piece last measured
    uint32_t verticalMask_ = 0;

    int64_t verticalColumns_ = 0;
    int32_t innerRules_ = 0;  // of the frame being read, so far
    bool rowsRead_ = false;
    bool closedAtStop_ = false;  // the line read_from stopped at is a closing rule
    bool sharedVerticals_ = true;
    bool tookSharedVerticals_ = false;
};

// The first frame in text with rows, as a Table.
TableRead read_frame_table(std::string_view text, TextEncoding encoding, WidthModel model,
                           FieldRows fieldRows = FieldRows::AsDrawn) {
    const auto read_with = [&](bool sharedVerticals, bool& tookShared) {
        TableRead read;
        read.table.borrow(text);
        read.table.encoding = encoding;
        TableSink sink(text, read.table, fieldRows);
        FrameReader<TableSink> reader(text, encoding, model, sink);
        if (!sharedVerticals) {
            reader.take_no_shared_verticals();
        }
        if (!reader.read()) {
            read.table.clear();
            read.refusal = reader.refusal();
        }
        tookShared = reader.took_shared_verticals();
        return read;
    };
    bool tookShared = false;
    TableRead read = read_with(true, tookShared);
    if (read.ok() || !tookShared) {
        return read;
    }
    // Cells of one column may hold a vertical piece at the same place, and
    // the line whose cell does not gives the frame away as one column.
    TableRead oneColumn = read_with(false, tookShared);
    return oneColumn.ok() ? oneColumn : read;
}

// A frame, or else a table ruled only inside: the latter is taken when no
// frame was found, or when its rule opens with a vertical piece, as a frame's
// never does. Text under a rule that opens as a frame's is no table.
TableRead read_framed(std::string_view text, TextEncoding encoding, WidthModel model) {
    TableRead framed = read_frame_table(text, encoding, model);
    if (framed.ok()) {
        return framed;
    }
    Piece opening = Piece::Other;
    TableRead ruled = read_ruled(text, encoding, model, opening);
    const bool noFrame = framed.refusal.kind == RefusalKind::NoFrameFound;
    if (noFrame && (ruled.ok() || opening != Piece::Joint)) {
        return ruled;
    }
    return ruled.ok() && opening == Piece::Vertical ? ruled : framed;
}

TableRead read_frame_as_drawn(std::string_view text, TextEncoding encoding, WidthModel model) {
    TableRead first = read_framed(text, encoding, model);
    if (first.refusal.kind != RefusalKind::FrameMismatch || encoding == TextEncoding::Cp932) {
        return first;
    }
    // A frame drawn for the other width model lines up only in that one.
    const WidthModel other = model == WidthModel::Narrow ? WidthModel::Wide : WidthModel::Narrow;
    TableRead second = read_framed(text, encoding, other);
    return second.ok() ? second : first;
}

}  // namespace

TableRead read_frame_fields(std::string_view text, TextEncoding encoding, WidthModel model,
                            FieldRows fieldRows) {
    return read_frame_table(text, encoding, model, fieldRows);
}

namespace {

// Records when the frame opens as records do and reads as them, else rows.
TableRead read_records_or_rows(std::string_view text, TextEncoding encoding, WidthModel model) {
    if (opens_records(text, encoding)) {
        TableRead records = read_records(text, encoding, model);
        if (records.ok()) {
            return records;
        }
    }
    return read_frame_as_drawn(text, encoding, model);
}

}  // namespace

// A frame with a title or footer does not line up as drawn: its spanning rows
// are taken out and the rest read, so frames without them pay nothing.
TableRead read_frame(std::string_view text, TextEncoding encoding, WidthModel model) {
    TableRead first = read_records_or_rows(text, encoding, model);
    if (first.refusal.kind != RefusalKind::FrameMismatch) {
        return first;
    }
    SpannedFrame spanned = without_spanning_rows(text, encoding);
    if (!spanned.found) {
        return first;
    }
    TableRead second = read_records_or_rows(spanned.frame, encoding, model);
    if (!second.ok()) {
        return first;
    }
    // The frame read is a copy without the spanning rows, which goes now.
    second.table.own_text();
    second.table.own_places(spanned.linesAbove);
    second.title = std::move(spanned.title);
    second.footer = std::move(spanned.footer);
    return second;
}

}  // namespace formats

bool read_plain_frame(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                      CellGrid& grid) {
    using formats::FrameReader;
    using formats::GridSink;
    if (text.empty() || text.size() > INT32_MAX || formats::opens_records(text, encoding)) {
        return false;
    }
    GridSink sink(text, encoding, widthModel, grid);
    return FrameReader<GridSink>(text, encoding, widthModel, sink).read_whole();
}
