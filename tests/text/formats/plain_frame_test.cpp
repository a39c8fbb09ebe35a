// Frames read back through frame_text, where the one-pass reader goes first,
// against the careful path alone: the input check, read_frame, and the frame
// writer. Frames are drawn by zentab itself from random tables, in every
// frame and position type, both width models, UTF-8 and code page 932, with
// wrapped rows, rules under the header only or none, and some lines spoiled.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "random_text.h"
#include "table_testing.h"
#include "text/formats/frame_reader.h"
#include "text/frame_text.h"

namespace {

class RandomFrames {
  public:
    explicit RandomFrames(uint32_t seed) : rng(seed), text(seed, false) {}

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    // Cells of random text, and what a reader may take for frame pieces or
    // marks: cells that look like rules, end in a newline or wrap mark, or
    // hold box drawing.
    std::string utf8_cell() {
        static const char* const kTricky[] = {
            "+--+", "-",  " x+", ".ab.", "━━", "│",       "a│b",     "  1.5",
            "ﾃｽﾄ",  "済", "",    "==",   "┼",  "e\u0301", "\u0600x", " "};
        if (pick(0, 5) == 0) {
            return kTricky[pick(0, 15)];
        }
        std::string cell = text.next(3);
        for (char& c : cell) {
            c = c == '|' || c == '\t' ? '/' : c;
        }
        return cell;
    }

    // A cell that may end in a newline or wrap mark, or not quite.
    std::string joining_cell() {
        static const char* const kCells[] = {" x+", ".ab.", "  a.", "x+", " +", "..."};
        return kCells[pick(0, 5)];
    }

    // Printable ASCII but '|', up to forty bytes, blanks among them: cells
    // read a block at a time, and lines too long for a word of masks.
    std::string ascii_cell() {
        std::string cell;
        for (int k = pick(0, pick(0, 1) == 0 ? 6 : 40); k > 0; --k) {
            const char c = static_cast<char>(pick(' ', '~'));
            cell += c == '|' ? ' ' : c;
        }
        return cell;
    }

    std::string cp932_cell() {
        static const char* const kPieces[] = {"ab",       "\xB1",     "\x82\xA0", "\x81\x7C", " ",
                                              "\x84\xA0",  // a vertical box piece
                                              "+-",       "\x88\x9F", "."};
        std::string cell;
        for (int k = pick(0, 3); k > 0; --k) {
            cell += kPieces[pick(0, 8)];
        }
        return cell;
    }

    // Columns of random cells, of ASCII, or of one cell over and over, as a
    // column of units or marks is: lines laid out as the one before them.
    std::string psv(bool cp932) {
        const int rows = pick(1, 8);
        const int columns = pick(1, 4);
        std::vector<int> kinds;
        std::vector<std::string> repeated;
        for (int column = 0; column < columns; ++column) {
            kinds.push_back(pick(0, 4));
            repeated.push_back(cp932 ? cp932_cell() : utf8_cell());
        }
        std::string table;
        // Outer borders keep an empty cell at either end.
        for (int row = 0; row < rows; ++row) {
            table += "|";
            for (int column = 0; column < columns; ++column) {
                const int kind = kinds[static_cast<size_t>(column)];
                table += kind == 0              ? (cp932 ? cp932_cell() : utf8_cell())
                         : kind == 1            ? ascii_cell()
                         : kind == 2            ? repeated[static_cast<size_t>(column)]
                         : kind == 3 || row > 1 ? joining_cell()
                                                : std::string("ab");
                table += "|";
            }
            table += "\n";
        }
        return table;
    }

    // What the one pass must leave to the careful path, somewhere in frame.
    void spoil(std::string& frame) {
        static const char* const kOdd[] = {
            "\t", "\x1b[1m", "|", " ", "x",    "\xE2\x94\x82", "\x7F",        "\x01",
            "\n", "\r",      "+", "-", "\xFF", "\xE2\x94\x81", "\xE2\x94\x83"};
        const auto at = static_cast<size_t>(pick(0, static_cast<int>(frame.size())));
        switch (pick(0, 7)) {
            case 0:
                frame.insert(at, kOdd[pick(0, 14)]);
                break;
            case 6:
                swap_piece(frame);
                break;
            case 7:
                widen_or_narrow(frame);
                break;
            case 5: {
                // In place, so that the line keeps its length and layout.
                const std::string odd = kOdd[pick(0, 14)];
                frame.replace(std::min(at, frame.size() - odd.size()), odd.size(), odd);
                break;
            }
            case 1:
                frame.erase(at, static_cast<size_t>(pick(1, 3)));
                break;
            case 2:
                frame = "note\n" + frame;
                break;
            case 3:
                frame += pick(0, 1) == 0 ? "\nafter" : "\n\n";
                break;
            default:
                frame.insert(0, " ");
                break;
        }
    }

    // One piece of the frame turned into another character of as many bytes:
    // a line keeps its layout, its borders not quite.
    void swap_piece(std::string& frame) {
        std::vector<size_t> pieces;
        for (size_t at = 0; at + 2 < frame.size(); ++at) {
            const auto lead = static_cast<unsigned char>(frame[at]);
            if ((lead == 0xE2 && static_cast<unsigned char>(frame[at + 1]) == 0x94) ||
                lead == 0x84 || lead == '|' || lead == '+') {
                pieces.push_back(at);
            }
        }
        if (pieces.empty()) {
            return;
        }
        const size_t at = pieces[static_cast<size_t>(pick(0, static_cast<int>(pieces.size()) - 1))];
        const auto lead = static_cast<unsigned char>(frame[at]);
        if (lead == 0xE2) {
            frame[at + 2] = static_cast<char>(pick(0x80, 0xBF));  // another box piece
        } else if (lead == 0x84) {
            frame[at + 1] = static_cast<char>(pick(0x9F, 0xBE));
        } else {
            frame[at] = "|+-=x!"[pick(0, 5)];
        }
    }

    // Printable ASCII in a cell turned into a character of as many bytes and
    // other columns: the line keeps its layout, its columns do not.
    void widen_or_narrow(std::string& frame) {
        static const char* const kOthers[] = {"済", "━", "ｱ", "é", "\x82\xA0", "\xB1"};
        const std::string other = kOthers[pick(0, 5)];
        for (int attempt = 0; attempt < 20; ++attempt) {
            const auto at = static_cast<size_t>(pick(0, static_cast<int>(frame.size())));
            if (at + other.size() > frame.size()) {
                continue;
            }
            bool plain = true;
            for (size_t k = at; k < at + other.size(); ++k) {
                plain = plain && frame[k] > ' ' && frame[k] < 0x7F && frame[k] != '|';
            }
            if (plain) {
                frame.replace(at, other.size(), other);
                return;
            }
        }
    }

  private:
    std::mt19937 rng;
    RandomText text;
};

// frame with each LF as line ends, CR LF and lone CR.
std::string with_line_ends(const std::string& frame, const char* lineEnd) {
    std::string out;
    for (char c : frame) {
        out += c == '\n' ? lineEnd : std::string(1, c);
    }
    return out;
}

TEST(PlainFrameProperty, ReadsBackWhatTheCarefulPathReadsAndLeavesItTheRest) {
    RandomFrames random(20261208);
    int plain = 0;
    int unspoiled = 0;
    for (int round = 0; round < 4000; ++round) {
        const bool cp932 = random.pick(0, 3) == 0;
        const std::string psv = random.psv(cp932);
        FrameRequest draw;
        draw.text = psv;
        draw.encoding = cp932 ? TextEncoding::Cp932 : TextEncoding::Utf8;
        draw.frameType = random.pick(1, 6);
        draw.positionType = random.pick(1, 17);
        draw.widthModel = random.pick(0, 1) == 0 ? WidthModel::Narrow : WidthModel::Wide;
        const int fit = random.pick(0, 7);
        draw.fit.rules = fit == 0 ? RuleLines::Header : fit == 1 ? RuleLines::None : RuleLines::All;
        // Wrapped rows under rules between every row or none: marks that join lines.
        draw.fit.cellWidths = fit == 2 || (fit < 2 && random.pick(0, 1) == 0)
                                  ? std::vector<int32_t>{3}
                                  : std::vector<int32_t>{};
        draw.fit.padding = fit == 3 ? 1 : 0;
        const FrameOutcome drawn = frame_text(draw);
        ASSERT_TRUE(drawn.ok()) << psv;
        std::string frame = drawn.text;
        const bool spoiled = random.pick(0, 2) == 0;
        if (spoiled) {
            random.spoil(frame);
        }
        FrameRequest back = draw;
        back.from = TableFormat::Frame;
        back.fit = FrameFit();
        back.frameType = random.pick(1, 6);
        back.positionType = random.pick(1, 17);
        back.lineEnd = random.pick(0, 1) == 0 ? LineEnd::Lf : LineEnd::CrLf;
        if (random.pick(0, 3) == 0) {
            back.widthModel =
                back.widthModel == WidthModel::Narrow ? WidthModel::Wide : WidthModel::Narrow;
        }
        // A refusal stands at the same line and column whatever ends the
        // lines, unless a spoil put a CR among them.
        const bool sameLines = frame.find('\r') == std::string::npos;
        FrameOutcome first;
        for (const char* lineEnd : {"\n", "\r\n", "\r"}) {
            const std::string text = with_line_ends(frame, lineEnd);
            back.text = text;
            const FrameOutcome outcome = frame_text(back);
            expect_same(outcome, framed_through_table(back), text);
            if (*lineEnd == '\n') {
                first = outcome;
            } else if (sameLines) {
                ASSERT_EQ(outcome.refusal.kind, first.refusal.kind) << text;
                ASSERT_EQ(outcome.refusal.line, first.refusal.line) << text;
                ASSERT_EQ(outcome.refusal.column, first.refusal.column) << text;
            }
            CellGrid grid;
            plain += read_plain_frame(text_rules::without_trailing_line_ends(text), back.encoding,
                                      back.widthModel, grid)
                         ? 1
                         : 0;
            unspoiled += spoiled ? 0 : 1;
        }
    }
    // The one pass must take most frames drawn as they are, or it tests nothing.
    EXPECT_GT(plain, unspoiled / 3);
}

}  // namespace
