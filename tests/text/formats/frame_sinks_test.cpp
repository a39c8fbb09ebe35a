// The one frame reader against a slow reference, with either sink: the
// Table that read_table gives and the grid that read_plain_frame fills must
// both hold the reference's cells, on frames drawn from random tables in all
// six frame types, both width models and both encodings, and on the same
// frames with a joint moved, a piece replaced, a line cut short or one
// with text after its end.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/text_rules.h"
#include "frame_reference.h"
#include "table_testing.h"
#include "text/formats/frame_pieces.h"
#include "text/formats/frame_reader.h"
#include "text/formats/table_formats.h"
#include "text/formats/text_scan.h"

namespace {

struct Drawn {
    std::string text;
    TextEncoding encoding = TextEncoding::Utf8;
    WidthModel model = WidthModel::Narrow;
};

class RandomFrames {
  public:
    explicit RandomFrames(uint32_t seed) : random(seed) {}

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    // A frame of a random table, or an empty text when the writer refuses it.
    Drawn draw() {
        Drawn drawn;
        drawn.encoding = pick(0, 3) == 0 ? TextEncoding::Cp932 : TextEncoding::Utf8;
        drawn.model = pick(0, 1) == 0 ? WidthModel::Narrow : WidthModel::Wide;
        WriteOptions options;
        options.frameType = pick(1, 6);
        options.positionType = pick(1, 17);
        options.widthModel = drawn.model;
        options.lineEnd = pick(0, 1) == 0 ? LineEnd::Lf : LineEnd::CrLf;
        const int rules = pick(0, 2);
        options.fit.rules = rules == 0   ? RuleLines::All
                            : rules == 1 ? RuleLines::Header
                                         : RuleLines::None;
        // Cells of several lines only under rules between every row, where
        // no marks join them.
        const bool lineBreaks = rules == 0 && pick(0, 2) == 0;
        const Texts cells = random_texts(random, pieces(drawn.encoding, lineBreaks), 4);
        TableWrite written =
            write_table(table_of(cells, drawn.encoding), TableFormat::Frame, options);
        if (written.ok()) {
            drawn.text = std::move(written.text);
        }
        return drawn;
    }

    // One of the four spoils, at random; false when the frame has no place for it.
    bool spoil(Drawn& drawn) {
        const std::vector<size_t> pieces = piece_offsets(drawn);
        if (pieces.empty()) {
            return false;
        }
        const size_t at = pieces[static_cast<size_t>(pick(0, static_cast<int>(pieces.size()) - 1))];
        const size_t length = char_length(drawn, at);
        switch (pick(0, 3)) {
            case 0: {  // the piece swapped with the character after it
                const size_t after = at + length;
                if (after >= drawn.text.size() || text_rules::is_line_end(drawn.text[after])) {
                    return false;
                }
                const std::string piece = drawn.text.substr(at, length);
                const std::string next = drawn.text.substr(after, char_length(drawn, after));
                drawn.text.replace(at, length + next.size(), next + piece);
                return true;
            }
            case 1: {  // another piece, or text, of as many bytes
                static const char* const kUtf8[] = {"\xE2\x94\x80", "\xE2\x94\x82", "\xE2\x94\xBC",
                                                    "\xE2\x95\x90", "xyz",          "\xE6\xB8\x88"};
                static const char* const kCp932[] = {"\x84\x9F", "\x84\xA0", "\x84\xA9", "xy",
                                                     "\x82\xA0"};
                static const char* const kAscii[] = {"|", "+", "-", "=", "x", " "};
                const char* other = length == 1   ? kAscii[pick(0, 5)]
                                    : length == 2 ? kCp932[pick(0, 4)]
                                                  : kUtf8[pick(0, 5)];
                drawn.text.replace(at, length, other);
                return true;
            }
            case 2: {  // text after the line's last piece, a rule's too
                size_t end = at;
                while (end < drawn.text.size() && !text_rules::is_line_end(drawn.text[end])) {
                    ++end;
                }
                drawn.text.insert(end, pick(0, 1) == 0 ? "x" : "\t");
                return true;
            }
            default: {  // the line cut short at the piece
                size_t end = at;
                while (end < drawn.text.size() && !text_rules::is_line_end(drawn.text[end])) {
                    ++end;
                }
                drawn.text.erase(at, end - at);
                return true;
            }
        }
    }

  private:
    std::vector<std::string> pieces(TextEncoding encoding, bool lineBreaks) const {
        std::vector<std::string> all = {"a", "Zq", " ", "", "7", "-", "=", "ab cd"};
        if (encoding == TextEncoding::Cp932) {
            // kana, half-width kana, a kanji whose second byte is '|' or '\'
            all.insert(all.end(), {"\x82\xA0", "\xB1", "\x88\x9F", "\x81\x7C", "\x83\x5C"});
        } else {
            all.insert(all.end(), {"済", "ｱ", "é", "e\u0301", "━", "│", "─┼─", "😀", "ﾃｽﾄ"});
        }
        if (lineBreaks) {
            all.insert(all.end(), {"\n", "x\ny"});
        }
        return all;
    }

    size_t char_length(const Drawn& drawn, size_t at) const {
        return text_rules::char_length(drawn.text, at, drawn.encoding == TextEncoding::Cp932);
    }

    std::vector<size_t> piece_offsets(const Drawn& drawn) const {
        std::vector<size_t> found;
        for (size_t at = 0; at < drawn.text.size(); at += char_length(drawn, at)) {
            const std::string_view ch =
                std::string_view(drawn.text).substr(at, char_length(drawn, at));
            if (formats::piece_of(formats::piece_code(ch, drawn.encoding)) !=
                formats::Piece::Other) {
                found.push_back(at);
            }
        }
        return found;
    }

    std::mt19937 random;
};

Texts texts_of_grid(std::string_view text, const CellGrid& grid) {
    Texts texts(static_cast<size_t>(grid.rows));
    for (size_t k = 0; k < grid.cells.size(); ++k) {
        const CellSpan& cell = grid.cells[k];
        texts[k / static_cast<size_t>(grid.columns)].emplace_back(
            text.substr(static_cast<size_t>(cell.start), static_cast<size_t>(cell.length)));
    }
    return texts;
}

TEST(FrameSinks, BothSinksReadWhatTheReferenceReads) {
    RandomFrames random(20261209);
    int gridTaken = 0;
    int referenceRead = 0;
    int spoiledRefused = 0;
    for (int round = 0; round < 6000; ++round) {
        Drawn drawn = random.draw();
        if (drawn.text.empty()) {
            continue;
        }
        const bool spoiled = random.pick(0, 1) == 0 && random.spoil(drawn);
        const bool bom = drawn.encoding == TextEncoding::Utf8 && random.pick(0, 4) == 0;
        const std::string text = (bom ? std::string(text_rules::kUtf8Bom) : "") + drawn.text;
        const FrameReferenceRead want =
            reference_frame_read(drawn.text, drawn.encoding, drawn.model);
        const TableRead read = read_table(text, TableFormat::Frame, drawn.encoding, drawn.model);
        if (want.ok) {
            ++referenceRead;
            ASSERT_TRUE(read.ok()) << text << static_cast<int>(read.refusal.kind);
            ASSERT_EQ(texts_of(read.table), want.cells) << text;
        } else if (spoiled && !read.ok()) {
            ++spoiledRefused;
            // A spoil in a content line is refused on that line, or where the
            // frame would have gone on.
            if (read.refusal.kind == RefusalKind::FrameMismatch) {
                EXPECT_GE(read.refusal.line, want.line - 1) << text;
            }
        }
        CellGrid grid;
        const std::string_view table = text_rules::without_trailing_line_ends(drawn.text);
        if (!read_plain_frame(table, drawn.encoding, drawn.model, grid)) {
            continue;
        }
        ++gridTaken;
        // The grid never takes what the reference cannot read, and holds its
        // cells, measured as the writer measures them.
        ASSERT_TRUE(want.ok) << text << "the reference stops at line " << want.line;
        ASSERT_EQ(texts_of_grid(table, grid), want.cells) << text;
        for (const CellSpan& cell : grid.cells) {
            const std::string_view cellText =
                table.substr(static_cast<size_t>(cell.start), static_cast<size_t>(cell.length));
            ASSERT_EQ(cell.width, formats::text_columns(cellText, drawn.encoding, drawn.model))
                << text << " cell " << cellText;
        }
    }
    // Each side of the property must be reached often, or it tests nothing.
    EXPECT_GT(referenceRead, 2000);
    EXPECT_GT(gridTaken, 1000);
    EXPECT_GT(spoiledRefused, 500);
}

}  // namespace
