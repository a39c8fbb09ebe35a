#include "text/formats/frame_cells.h"

#include <array>
#include <climits>
#include <cstring>
#include <vector>

#include "text/formats/frame_pieces.h"
#include "text/plain_characters.h"

namespace {
using formats::Piece;
using plain_characters::bytes_equal;
using plain_characters::Character;
using plain_characters::first_bytes;
using plain_characters::is_printable_ascii;
using plain_characters::printable_ascii_bytes;

// One character where a frame piece may stand: its piece code (formats::kNone
// for text), what piece it is, its bytes and columns. length is 0 for bytes
// that are no text.
struct PieceChar {
    uint32_t code;
    Piece piece;
    size_t length;
    int columns;
};

// The box-drawing block U+2500..U+257F, which holds every piece but ASCII's
// and which code page 932's box row maps into: each character's piece and
// columns, looked up once rather than for every border.
constexpr uint32_t kBoxBlock = 0x2500;

struct BoxBlock {
    std::array<Piece, 128> pieces{};
    std::array<int, 128> columns{};

    explicit BoxBlock(WidthModel model) {
        for (uint32_t index = 0; index < 128; ++index) {
            pieces[index] = formats::piece_of(kBoxBlock + index);
            columns[index] = lone_cluster_width(kBoxBlock + index, model);
        }
    }
};

const BoxBlock& box_block(WidthModel model) {
    static const BoxBlock narrow(WidthModel::Narrow);
    static const BoxBlock wide(WidthModel::Wide);
    return model == WidthModel::Wide ? wide : narrow;
}

Piece ascii_piece(unsigned char byte) {
    switch (byte) {
        case '+':
            return Piece::Joint;
        case '-':
        case '=':
            return Piece::Fill;
        case '|':
            return Piece::Vertical;
        default:
            return Piece::Other;
    }
}

// A rule line already checked, to be matched byte for byte.
struct KnownRule {
    std::string_view bytes;
    bool closes = false;  // its corner ends the frame
};

constexpr size_t kNotPlain = SIZE_MAX;

// Where the cutting of a content line stands.
struct Cut {
    size_t cellStart = 0;
    int32_t cellColumn = 0;  // where the cell being read starts
    size_t nextJoint = 1;
    int32_t width = 0;       // the cell's columns, blanks too, when it is not clustered
    bool clustered = false;  // some character of the cell may join a cluster
    bool mayJoin = false;    // some cell so far may hold a mark that joins lines
};

template <TextEncoding kEncoding>
class PlainFrameReader {
  public:
    PlainFrameReader(std::string_view frame, WidthModel widthModel, CellGrid& cells)
        : text(frame),
          bytes(reinterpret_cast<const unsigned char*>(frame.data())),
          model(widthModel),
          box(box_block(widthModel)),
          grid(cells) {}

    bool read() {
        if (text.size() > INT32_MAX) {
            return false;
        }
        bool closed = false;
        size_t at = read_top_rule();
        while (at != kNotPlain && at < text.size()) {
            at = next_line(at);
            if (at == text.size()) {
                break;
            }
            if (closed) {
                return false;  // text after the closing rule
            }
            at = read_line(at, closed);
        }
        return at != kNotPlain && lastWasRule && rows_stand_alone() &&
               formats::closes_frame(lastRuleCorner);
    }

  private:
    static constexpr bool kCp932 = kEncoding == TextEncoding::Cp932;

    bool line_ends_at(size_t at) const {
        return at == text.size() || bytes[at] == '\n' || bytes[at] == '\r';
    }

    size_t next_line(size_t lineEnd) const {
        return lineEnd +
               (bytes[lineEnd] == '\r' && lineEnd + 1 < text.size() && bytes[lineEnd + 1] == '\n'
                    ? 2
                    : 1);
    }

    PieceChar piece_at(size_t at) const {
        const unsigned char lead = bytes[at];
        if (lead < 0x80) {
            return {lead, ascii_piece(lead), 1, 1};
        }
        if constexpr (kCp932) {
            const Character c = plain_characters::cp932_character(text, at);
            const uint32_t code = c.length == 2 && lead == 0x84
                                      ? formats::piece_code(text.substr(at, 2), kEncoding)
                                      : formats::kNone;
            if (code != formats::kNone) {
                return {code, box.pieces[code - kBoxBlock], 2, c.columns};
            }
            return {code, Piece::Other, c.length, c.columns};
        } else {
            const unsigned char second = text.size() - at >= 3 ? bytes[at + 1] : 0;
            const unsigned char third = text.size() - at >= 3 ? bytes[at + 2] : 0;
            if (lead == 0xE2 && (second & 0xFE) == 0x94 &&
                text_rules::is_utf8_continuation(third)) {
                const uint32_t index = (second & 1u) << 6 | (third & 0x3Fu);
                return {kBoxBlock + index, box.pieces[index], 3, box.columns[index]};
            }
            const Character c = plain_characters::utf8_character(text, at, model);
            return {formats::kNone, Piece::Other, c.length, c.columns};
        }
    }

    // The first line, a rule that opens a frame: its joints give the columns.
    size_t read_top_rule() {
        const PieceChar corner = piece_at(0);
        if (!formats::opens_frame(corner.code)) {
            return kNotPlain;
        }
        const size_t end = scan_rule(0, joints);
        if (end == kNotPlain || joints.front() != 0) {
            return kNotPlain;
        }
        remember_rule(0, end, corner.code);
        lastRuleCorner = corner.code;
        return end;
    }

    // A rule of joints and fills from lineStart, ending in a joint: where the
    // line ends, its joints' columns in found.
    size_t scan_rule(size_t lineStart, std::vector<int32_t>& found) const {
        found.clear();
        int32_t column = 0;
        size_t fills = 0;
        size_t at = lineStart;
        Piece last = Piece::Other;
        while (!line_ends_at(at)) {
            const PieceChar c = piece_at(at);
            last = c.columns < 0 ? Piece::Other : c.piece;
            if (last == Piece::Joint) {
                found.push_back(column);
            } else if (last == Piece::Fill) {
                ++fills;
            } else {
                return kNotPlain;
            }
            column += c.columns;
            at += c.length;
        }
        return last == Piece::Joint && found.size() >= 2 && fills > 0 ? at : kNotPlain;
    }

    void remember_rule(size_t start, size_t end, uint32_t corner) {
        for (KnownRule& known : knownRules) {
            if (known.bytes.empty()) {
                known.bytes = text.substr(start, end - start);
                known.closes = formats::closes_frame(corner) && corner != '+';
                return;
            }
        }
    }

    // A rule line: one already seen, or one whose joints are the top rule's.
    bool is_known(const KnownRule& known, size_t lineStart) const {
        const size_t end = lineStart + known.bytes.size();
        return !known.bytes.empty() && end <= text.size() && line_ends_at(end) &&
               std::memcmp(bytes + lineStart, known.bytes.data(), known.bytes.size()) == 0;
    }

    size_t read_rule(size_t lineStart, uint32_t corner, bool& closed) {
        // Most rules inside a frame are the one before them.
        for (size_t k = 0; k <= knownRules.size(); ++k) {
            const size_t index = k == 0 ? lastKnown : k - 1;
            if ((k == 0 || index != lastKnown) && is_known(knownRules[index], lineStart)) {
                lastKnown = index;
                closed = knownRules[index].closes;
                return lineStart + knownRules[index].bytes.size();
            }
        }
        std::vector<int32_t> found;
        const size_t end = scan_rule(lineStart, found);
        if (end == kNotPlain || found != joints) {
            return kNotPlain;
        }
        remember_rule(lineStart, end, corner);
        closed = formats::closes_frame(corner) && corner != '+';
        return end;
    }

    size_t read_line(size_t lineStart, bool& closed) {
        const PieceChar first = piece_at(lineStart);
        const Piece piece = first.piece;
        if (piece == Piece::Joint) {
            lastWasRule = true;
            lastRuleCorner = first.code;
            return read_rule(lineStart, first.code, closed);
        }
        if (piece != Piece::Vertical || first.columns < 0) {
            return kNotPlain;
        }
        // The lines since the last rule are one row, unless they are the
        // last ones and at most one rule stands inside: see rows_stand_alone.
        if (lastWasRule && groupLines > 0) {
            ++innerRules;
            if (groupLines > 1) {
                return kNotPlain;
            }
            groupLines = 0;
            groupMayJoin = false;
        }
        ++groupLines;
        lastWasRule = false;
        return read_content(lineStart, first);
    }

    // Lines after the last inner rule are a row each when no more than one
    // rule stands inside and no cell holds a mark that joins lines.
    bool rows_stand_alone() const {
        return grid.rows > 0 && (groupLines <= 1 || (innerRules < 2 && !groupMayJoin));
    }

    // A content line cut at the joints' columns, from its left border.
    size_t read_content(size_t lineStart, const PieceChar& leftBorder) {
        size_t at = lineStart + leftBorder.length;
        // A cell that begins with a joint or fill may make the line a rule.
        if (!line_ends_at(at)) {
            const Piece piece = piece_at(at).piece;
            if (piece == Piece::Joint || piece == Piece::Fill) {
                return kNotPlain;
            }
        }
        // Kept out of the reader's members, so that it stays in registers
        // while the cells are written.
        Cut cut;
        cut.cellStart = at;
        cut.cellColumn = leftBorder.columns;
        for (;;) {
            if (at == text.size()) {
                return kNotPlain;  // a border is missing
            }
            const unsigned char byte = bytes[at];
            if (byte < 0x80) {
                if (is_printable_ascii(byte) && byte != '|') {
                    at = take_printable_run(at, cut);
                    continue;
                }
                // '|' stands only at a joint; a line break before the last
                // one, a control, TAB or escape sequence is left to the
                // careful path.
                if (byte != '|' || !take_border(at, 1, 1, cut)) {
                    return kNotPlain;
                }
                ++at;
            } else {
                const PieceChar c = piece_at(at);
                if (c.length == 0) {
                    return kNotPlain;
                }
                at += c.length;
                if (c.piece != Piece::Vertical) {
                    cut.clustered |= c.columns < 0;
                    cut.width += c.columns;
                    continue;
                }
                if (c.columns < 0 || !take_border(at - c.length, c.length, c.columns, cut)) {
                    return kNotPlain;
                }
            }
            if (cut.nextJoint == joints.size()) {
                break;
            }
        }
        if (!line_ends_at(at)) {
            return kNotPlain;  // past the right border
        }
        groupMayJoin |= cut.mayJoin;
        if (grid.rows == 0) {
            grid.columns = static_cast<int32_t>(joints.size() - 1);
            reserve_rows(at - lineStart);
        }
        ++grid.rows;
        return at;
    }

    // Printable ASCII but '|' is a column a byte: eight bytes at a time.
    size_t take_printable_run(size_t at, Cut& cut) const {
        const size_t runStart = at;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        for (; text.size() - at >= 8; at += 8) {
            uint64_t word;
            std::memcpy(&word, bytes + at, sizeof word);
            const unsigned printable = printable_ascii_bytes(word);
            const uint64_t bars = bytes_equal(word, '|') & first_bytes(printable);
            if (bars != 0 || printable < 8) {
                at += bars != 0 ? static_cast<size_t>(__builtin_ctzll(bars)) / 8 : printable;
                cut.width += static_cast<int32_t>(at - runStart);
                return at;
            }
        }
#endif
        for (; at < text.size() && is_printable_ascii(bytes[at]) && bytes[at] != '|'; ++at) {
        }
        cut.width += static_cast<int32_t>(at - runStart);
        return at;
    }

    // The vertical piece at border ends a cell, when it stands at the next
    // joint's column.
    bool take_border(size_t border, size_t borderBytes, int borderColumns, Cut& cut) {
        size_t start = cut.cellStart;
        size_t end = border;
        while (start < end && bytes[start] == ' ') {
            ++start;
        }
        while (end > start && bytes[end - 1] == ' ') {
            --end;
        }
        const auto blanks = static_cast<int32_t>(border - cut.cellStart - (end - start));
        const int32_t cellWidth =
            cut.clustered
                ? static_cast<int32_t>(display_width(text.substr(start, end - start), model))
                : cut.width - blanks;
        const int32_t joint = joints[cut.nextJoint];
        if (cut.cellColumn + blanks + cellWidth != joint) {
            return false;
        }
        cut.mayJoin |= may_join(cut.cellStart, border);
        grid.cells.push_back(
            CellSpan{static_cast<int32_t>(start), static_cast<int32_t>(end - start), cellWidth});
        cut.cellColumn = joint + borderColumns;
        ++cut.nextJoint;
        cut.cellStart = border + borderBytes;
        cut.width = 0;
        cut.clustered = false;
        return true;
    }

    // A cell padded on the left that ends in '+' or '.' may hold a newline
    // or wrap mark, which joins lines that are not rows of their own.
    bool may_join(size_t start, size_t end) const {
        if (end - start < 3) {
            return false;
        }
        const unsigned char front = bytes[start];
        const unsigned char back = bytes[end - 1];
        return (front == ' ' || front == '.') && (back == '+' || back == '.');
    }

    // The rows guessed from the first content line and rule, so that the
    // cells seldom move.
    void reserve_rows(size_t contentBytes) {
        const size_t ruleBytes = knownRules.front().bytes.size();
        const size_t rows = text.size() / (contentBytes + ruleBytes + 2) + 1;
        grid.cells.reserve(rows * static_cast<size_t>(grid.columns));
    }

    std::string_view text;
    const unsigned char* bytes;
    WidthModel model;
    const BoxBlock& box;
    CellGrid& grid;
    std::vector<int32_t> joints;  // the columns of the top rule's joints
    std::array<KnownRule, 4> knownRules{};
    size_t lastKnown = 0;  // the rule the last rule line matched
    uint32_t lastRuleCorner = formats::kNone;
    bool lastWasRule = true;
    int32_t innerRules = 0;     // rules that stand between content lines
    int32_t groupLines = 0;     // content lines since the last rule
    bool groupMayJoin = false;  // some cell of those may hold a joining mark
};

// Out of line, one encoding each, everything it calls taken in, as the
// one-pass table reader is.
template <TextEncoding kEncoding>
__attribute__((noinline, flatten)) bool read_frame_in(std::string_view text, WidthModel widthModel,
                                                      CellGrid& grid) {
    return PlainFrameReader<kEncoding>(text, widthModel, grid).read();
}

}  // namespace

bool read_plain_frame(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                      CellGrid& grid) {
    if (text.empty()) {
        return false;
    }
    if (encoding == TextEncoding::Cp932) {
        return read_frame_in<TextEncoding::Cp932>(text, widthModel, grid);
    }
    return read_frame_in<TextEncoding::Utf8>(text, widthModel, grid);
}
