#include "text/formats/frame_cells.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <vector>

#include "text/formats/frame_pieces.h"
#include "text/plain_blocks.h"
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
    uint32_t corner = formats::kNone;
    bool closes = false;  // its corner ends the frame
};

// The vertical piece the first content line holds at a joint, which the
// lines after it are expected to hold there too: its bytes, read as a word
// and compared under mask.
struct Border {
    PieceChar piece{};
    uint32_t bytes = 0;
    uint32_t mask = 0;
    size_t cellBytes = 0;     // of the cell before it, on the last content line
    int32_t cellColumns = 0;  // of that cell, blanks too, between the first line's pieces
};

constexpr size_t kNotPlain = SIZE_MAX;

// The last content line read cell by cell, when it is shorter than a word of
// masks (kWordBytes): where it begins, its bytes, and which of them are not
// printable ASCII or are '|' (its borders and its cells' other characters).
constexpr size_t kWordBytes = 64;

struct LineShape {
    size_t start = 0;
    size_t length = 0;  // 0 when there is no shape
    uint64_t fixed = 0;
};

// A cell of the shape, from its start to its border, as offsets in the line
// and as the bits of a word of masks.
struct CellPlace {
    size_t start;
    size_t end;
    uint64_t bits;
    int32_t columns;  // between the first content line's pieces, blanks too
};

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
        borders.resize(joints.size());
        places.resize(joints.size() - 1);
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
                known.corner = corner;
                known.closes = formats::closes_frame(corner) && corner != '+';
                return;
            }
        }
    }

    // A rule line: one already seen, or one whose joints are the top rule's.
    bool is_known(const KnownRule& known, size_t lineStart) const {
        const size_t end = lineStart + known.bytes.size();
        return !known.bytes.empty() && end <= text.size() && line_ends_at(end) &&
               plain_blocks::same_bytes(bytes + lineStart,
                                        reinterpret_cast<const unsigned char*>(known.bytes.data()),
                                        known.bytes.size());
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
        // Most lines are a content line that opens as the first one did, or
        // the rule before them again: both are told without decoding.
        if (haveBorders && border_at(lineStart, borders.front())) {
            return read_row_line(lineStart, borders.front().piece);
        }
        const KnownRule& lastRule = knownRules[lastKnown];
        if (is_known(lastRule, lineStart)) {
            lastWasRule = true;
            lastRuleCorner = lastRule.corner;
            closed = lastRule.closes;
            return lineStart + lastRule.bytes.size();
        }
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
        return read_row_line(lineStart, first);
    }

    // A content line from its left border, one row unless rows_stand_alone
    // finds otherwise.
    size_t read_row_line(size_t lineStart, const PieceChar& first) {
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
        if (haveBorders) {
            size_t end = read_row_as_shaped(lineStart);
            if (end == kNotPlain) {
                end = read_row_as_before(lineStart, first.length);
            }
            if (end != kNotPlain) {
                return end;
            }
        }
        return read_content(lineStart, first);
    }

    // Once two rules stand inside, rows_stand_alone no longer asks whether a
    // cell may hold a joining mark, and the cells need not be looked at for
    // one.
    bool joining_marks_count() const { return innerRules < 2; }

    // Lines after the last inner rule are a row each when no more than one
    // rule stands inside and no cell holds a mark that joins lines.
    bool rows_stand_alone() const {
        return grid.rows > 0 && (groupLines <= 1 || (innerRules < 2 && !groupMayJoin));
    }

    // A content line cut at the joints' columns, from its left border.
    size_t read_content(size_t lineStart, const PieceChar& leftBorder) {
        size_t at = lineStart + leftBorder.length;
        if (!line_ends_at(at) && starts_rule_piece(at)) {
            return kNotPlain;
        }
        // Kept out of the reader's members, so that it stays in registers
        // while the cells are written.
        Cut cut;
        cut.cellStart = at;
        cut.cellColumn = leftBorder.columns;
        if (!haveBorders) {
            borders.front() = border_of(lineStart, leftBorder);
        }
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
                if (byte != '|' || !take_border(at, PieceChar{'|', Piece::Vertical, 1, 1}, cut)) {
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
                if (c.columns < 0 || !take_border(at - c.length, c, cut)) {
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
        if (!haveBorders) {
            for (size_t joint = 1; joint < borders.size(); ++joint) {
                borders[joint].cellColumns =
                    joints[joint] - joints[joint - 1] - borders[joint - 1].piece.columns;
            }
            haveBorders = true;
        }
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
    bool take_border(size_t border, const PieceChar& piece, Cut& cut) {
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
        if (!haveBorders) {
            borders[cut.nextJoint] = border_of(border, piece);
        }
        end_cell(start, end, cellWidth, border, piece, cut);
        return true;
    }

    void end_cell(size_t start, size_t end, int32_t width, size_t border, const PieceChar& piece,
                  Cut& cut) {
        borders[cut.nextJoint].cellBytes = border - cut.cellStart;
        cut.mayJoin |= may_join(cut.cellStart, border);
        grid.cells.push_back(
            CellSpan{static_cast<int32_t>(start), static_cast<int32_t>(end - start), width});
        cut.cellColumn = joints[cut.nextJoint] + piece.columns;
        ++cut.nextJoint;
        cut.cellStart = border + piece.length;
        cut.width = 0;
        cut.clustered = false;
    }

    // A content line whose cells are as many bytes long as the last one's,
    // with the first content line's vertical pieces between them, from
    // after its left border: where it ends, or kNotPlain to leave it to
    // read_content. Where each cell begins does not wait on what the cells
    // before it hold, so that lines overlap.
    size_t read_row_as_before(size_t lineStart, size_t leftBorderBytes) {
        size_t at = lineStart + leftBorderBytes;
        if (!line_ends_at(at) && starts_rule_piece(at)) {
            return kNotPlain;
        }
        const size_t cellsBefore = grid.cells.size();
        bool mayJoin = false;
        shape.length = 0;  // its places are rewritten
        for (size_t joint = 1; joint < borders.size(); ++joint) {
            const Border& border = borders[joint];
            const size_t end = at + border.cellBytes;
            if (text.size() - at < border.cellBytes + plain_blocks::kBlockBytes ||
                !border_at(end, border) || !take_cell_as_before(at, end, border.cellColumns)) {
                grid.cells.resize(cellsBefore);
                return kNotPlain;
            }
            mayJoin |= may_join(at, end);
            places[joint - 1] = {at - lineStart, end - lineStart, 0, border.cellColumns};
            at = end + border.piece.length;
        }
        if (!line_ends_at(at)) {
            grid.cells.resize(cellsBefore);
            return kNotPlain;
        }
        groupMayJoin |= mayJoin;
        ++grid.rows;
        remember_shape(lineStart, at - lineStart);
        return at;
    }

    // The line just read cell by cell becomes the shape for those after it,
    // when it and the word after it lie inside the text.
    void remember_shape(size_t lineStart, size_t length) {
#ifdef ZENTAB_PLAIN_BLOCKS
        if (length < kWordBytes && text.size() - lineStart >= kWordBytes) {
            const plain_blocks::WordMasks masks =
                plain_blocks::word_masks(bytes + lineStart, bytes + lineStart);
            shape.start = lineStart;
            shape.length = length;
            shape.fixed = masks.odd & ((uint64_t{1} << length) - 1);
            for (CellPlace& place : places) {
                place.bits = ((uint64_t{1} << place.end) - 1) & ~((uint64_t{1} << place.start) - 1);
            }
        }
#else
        (void)lineStart;
        (void)length;
#endif
    }

    // A content line that holds the shape's bytes wherever the shape holds
    // anything but printable ASCII or holds '|', and printable ASCII but
    // '|' elsewhere, is cut where the shape was: its borders and other
    // characters are the shape's, so its cells fill the same columns. Where
    // it ends, or kNotPlain.
    size_t read_row_as_shaped(size_t lineStart) {
#ifdef ZENTAB_PLAIN_BLOCKS
        if (shape.length == 0 || text.size() - lineStart < kWordBytes) {
            return kNotPlain;
        }
        const plain_blocks::WordMasks masks =
            plain_blocks::word_masks(bytes + lineStart, bytes + shape.start);
        const uint64_t inside = (uint64_t{1} << shape.length) - 1;
        const unsigned char lineEnd = bytes[lineStart + shape.length];
        const unsigned char lead = bytes[lineStart + places.front().start];
        if ((masks.odd & inside) != shape.fixed || (shape.fixed & ~masks.same) != 0 ||
            (lineEnd != '\n' && lineEnd != '\r') || lead == '+' || lead == '-' || lead == '=') {
            return kNotPlain;
        }
        for (const CellPlace& place : places) {
            const uint64_t solid = ~masks.blanks & place.bits;
            size_t first = place.end;
            size_t last = place.end;
            if (solid != 0) {
                first = static_cast<size_t>(__builtin_ctzll(solid));
                last = 64 - static_cast<size_t>(__builtin_clzll(solid));
            }
            const auto blanks = static_cast<int32_t>((first - place.start) + (place.end - last));
            grid.cells.push_back(CellSpan{static_cast<int32_t>(lineStart + first),
                                          static_cast<int32_t>(last - first),
                                          place.columns - blanks});
        }
        if (joining_marks_count()) {
            const unsigned char* line = bytes + lineStart;
            for (const CellPlace& place : places) {
                groupMayJoin |= may_join(line + place.start, line + place.end);
            }
        }
        ++grid.rows;
        return lineStart + shape.length;
#else
        (void)lineStart;
        return kNotPlain;
#endif
    }

    // A cell that begins with a joint or fill may make the line a rule.
    bool starts_rule_piece(size_t at) const {
        const Piece piece = piece_at(at).piece;
        return piece == Piece::Joint || piece == Piece::Fill;
    }

    // The cell [start, end) when its characters fill columns: printable
    // ASCII but '|' a block at a time, as many columns as bytes, and the
    // others one at a time. False leaves the line to read_content, for what
    // this one is not sure of: a control, '|', a vertical piece, a
    // character that may join a cluster, or other columns.
    bool take_cell_as_before(size_t start, size_t end, int32_t columns) {
#ifdef ZENTAB_PLAIN_BLOCKS
        const size_t length = end - start;
        if (length <= plain_blocks::kBlockBytes && length == static_cast<size_t>(columns)) {
            const plain_blocks::Block block = plain_blocks::block_at(bytes + start, '|', '|');
            if (block.plain >= length) {
                push_ascii_cell(start, end, block.solid & plain_blocks::bytes_below(length));
                return true;
            }
        }
        int32_t measured = 0;
        size_t first = end;  // where the text inside the blanks begins and ends
        size_t last = start;
        for (size_t pos = start; pos != end;) {
            const plain_blocks::Block block = plain_blocks::block_at(bytes + pos, '|', '|');
            const size_t taken = std::min(block.plain, end - pos);
            const uint64_t solid = block.solid & plain_blocks::bytes_below(taken);
            if (solid != 0) {
                first = std::min(first, pos + plain_blocks::byte_index(solid));
                last = pos + plain_blocks::past_highest(solid);
            }
            pos += taken;
            measured += static_cast<int32_t>(taken);
            if (pos == end || taken == plain_blocks::kBlockBytes) {
                continue;
            }
            const PieceChar c = piece_at(pos);
            if (c.length == 0 || c.piece == Piece::Vertical || c.columns < 0 || bytes[pos] < 0x80 ||
                c.length > end - pos) {
                return false;
            }
            first = std::min(first, pos);
            pos += c.length;
            last = pos;
            measured += c.columns;
        }
        if (measured != columns) {
            return false;
        }
        // A cell of blanks stands empty at its border, as take_border leaves it.
        last = std::max(last, first);
        const auto blanks = static_cast<int32_t>((first - start) + (end - last));
        grid.cells.push_back(CellSpan{static_cast<int32_t>(first),
                                      static_cast<int32_t>(last - first), columns - blanks});
        return true;
#else
        (void)start;
        (void)end;
        (void)columns;
        return false;
#endif
    }

#ifdef ZENTAB_PLAIN_BLOCKS
    // A cell of printable ASCII in one block, solid marking its bytes that
    // are not blanks: a column a byte.
    void push_ascii_cell(size_t start, size_t end, uint64_t solid) {
        size_t first = end;
        size_t last = end;
        if (solid != 0) {
            first = start + plain_blocks::byte_index(solid);
            last = start + plain_blocks::past_highest(solid);
        }
        const auto length = static_cast<int32_t>(last - first);
        grid.cells.push_back(CellSpan{static_cast<int32_t>(first), length, length});
    }
#endif

    Border border_of(size_t at, const PieceChar& piece) const {
        Border border;
        border.piece = piece;
        std::array<unsigned char, 4> word{};
        std::array<unsigned char, 4> mask{};
        for (size_t k = 0; k < piece.length && k < word.size(); ++k) {
            word[k] = bytes[at + k];
            mask[k] = 0xFF;
        }
        std::memcpy(&border.bytes, word.data(), sizeof border.bytes);
        std::memcpy(&border.mask, mask.data(), sizeof border.mask);
        return border;
    }

    // Whether at holds border's piece, four bytes from the text's end at
    // the latest.
    bool border_at(size_t at, const Border& border) const {
        if (text.size() - at < sizeof border.bytes) {
            return false;
        }
        uint32_t word;
        std::memcpy(&word, bytes + at, sizeof word);
        return ((word ^ border.bytes) & border.mask) == 0;
    }

    // A cell padded on the left that ends in '+' or '.' may hold a newline
    // or wrap mark, which joins lines that are not rows of their own.
    // Without branches, as most cells may not: end - 1 stays in the text, a
    // border standing before any cell.
    bool may_join(size_t start, size_t end) const {
        return may_join(bytes + start, bytes + end);
    }

    static bool may_join(const unsigned char* start, const unsigned char* end) {
        const unsigned char front = *start;
        const unsigned char back = end[-1];
        return (end - start >= 3) & ((front == ' ') | (front == '.')) &
               ((back == '+') | (back == '.'));
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
    std::vector<Border> borders;  // the first content line's, one a joint
    LineShape shape;
    std::vector<CellPlace> places;  // the shape's cells
    bool haveBorders = false;       // once the first content line is read
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
