// The text layer: refusals with their places, and properties of random tables
// in both width models.
#include "text/frame_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "random_text.h"
#include "text/text_limits.h"
#include "text/unicode/code_point_props.h"
#include "text/unicode/display_width.h"

namespace {

FrameOutcome frame(const std::string& text, int32_t frameType = 1, int32_t positionType = 1,
                   WidthModel model = WidthModel::Narrow,
                   TextEncoding encoding = TextEncoding::Utf8) {
    FrameRequest request;
    request.text = text;
    request.frameType = frameType;
    request.positionType = positionType;
    request.widthModel = model;
    request.encoding = encoding;
    return frame_text(request);
}

std::vector<std::string> lines_of(const std::string& frame) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t lf = frame.find('\n'); lf != std::string::npos; lf = frame.find('\n', start)) {
        lines.push_back(frame.substr(start, lf - start));
        start = lf + 1;
    }
    EXPECT_EQ(start, frame.size()) << "every line ends in LF";
    return lines;
}

struct RefusalCase {
    const char* name;
    std::string text;
    TextEncoding encoding;
    RefusalKind kind;
    int64_t line;
    int64_t column;
    TableFormat from = TableFormat::Psv;
};

const RefusalCase kRefusals[] = {
    {"control after CR line", "a\rb\x07", TextEncoding::Utf8, RefusalKind::ControlCharacter, 2, 2},
    {"DEL", "a|\x7F", TextEncoding::Utf8, RefusalKind::ControlCharacter, 1, 3},
    {"C1 in UTF-8", "\xC2\x9F", TextEncoding::Utf8, RefusalKind::ControlCharacter, 1, 1},
    {"bad byte after emoji", "😀😀\xFE", TextEncoding::Utf8, RefusalKind::InvalidUtf8, 1, 3},
    {"cut short at the end", "ab\r\n\xF0\x9F\x98", TextEncoding::Utf8, RefusalKind::InvalidUtf8, 2,
     1},
    {"lone second byte in cp932", "\x82\xA0\x82", TextEncoding::Cp932, RefusalKind::InvalidCp932, 1,
     2},
    {"0xA0 in cp932", "a\xA0", TextEncoding::Cp932, RefusalKind::InvalidCp932, 1, 2},
    {"ragged after CR LF", "a|b\r\nc|d\r\ne", TextEncoding::Utf8, RefusalKind::RaggedRow, 3, 2},
    {"too many cells", "a|b\n|c|d|e|", TextEncoding::Utf8, RefusalKind::RaggedRow, 2, 5},
    {"tab opens a cell too many", "a|b\nc\td\t", TextEncoding::Utf8, RefusalKind::RaggedRow, 2, 4},
    {"ragged after wide characters", "ab|c\n漢字\n", TextEncoding::Utf8, RefusalKind::RaggedRow, 2,
     3},
    {"no cells", "|\n|", TextEncoding::Utf8, RefusalKind::NoCells, 0, 0},
    {"csv cell too many after quoted and wide cells", "\"😀\",b\n\"c\",😀,\"e\",f",
     TextEncoding::Utf8, RefusalKind::RaggedRow, 2, 7, TableFormat::Csv},
    {"csv row too short", "a,b\n😀\n", TextEncoding::Utf8, RefusalKind::RaggedRow, 2, 1,
     TableFormat::Csv},
};

TEST(FrameText, RefusalsNameTheirPlace) {
    for (const RefusalCase& c : kRefusals) {
        FrameRequest request;
        request.text = c.text;
        request.encoding = c.encoding;
        request.from = c.from;
        FrameOutcome outcome = frame_text(request);
        EXPECT_EQ(outcome.refusal.kind, c.kind) << c.name;
        EXPECT_EQ(outcome.refusal.line, c.line) << c.name;
        EXPECT_EQ(outcome.refusal.column, c.column) << c.name;
        EXPECT_EQ(outcome.text, "") << c.name;
    }
}

TEST(FrameText, RequestsOutsideTheirRangesAreRefused) {
    EXPECT_EQ(frame("a", 0).refusal.kind, RefusalKind::BadFrameType);
    EXPECT_EQ(frame("a", 7).refusal.kind, RefusalKind::BadFrameType);
    EXPECT_EQ(frame("a", 1, 0).refusal.kind, RefusalKind::BadPositionType);
    EXPECT_EQ(frame("a", 1, 18).refusal.kind, RefusalKind::BadPositionType);
    const FrameOutcome big = frame(std::string(kTextInputLimit + 1, 'a'));
    EXPECT_EQ(big.refusal.kind, RefusalKind::InputTooLarge);
    EXPECT_EQ(big.refusal.found, kTextInputLimit + 1);
}

TEST(FrameText, FramePastItsLimitIsRefusedWithItsSize) {
    // One cell 300000 wide over 350000 rows: far past the frame limit.
    std::string text(300000, 'w');
    for (int row = 0; row < 350000; ++row) {
        text += "\na";
    }
    const FrameOutcome outcome = frame(text, 6);
    EXPECT_EQ(outcome.refusal.kind, RefusalKind::FrameTooLarge);
    EXPECT_EQ(outcome.refusal.found, int64_t{300003} * (2 * 350001 + 1));
    EXPECT_EQ(outcome.refusal.limit, kTextFrameLimit);
    EXPECT_EQ(describe_refusal(outcome.refusal),
              "the frame would be " + std::to_string(outcome.refusal.found) +
                  " bytes; the limit is " + std::to_string(kTextFrameLimit));
}

struct LayoutCase {
    const char* name;
    std::string text;
    int32_t frameType;
    std::string frame;
    TextEncoding encoding = TextEncoding::Utf8;
};

const LayoutCase kLayouts[] = {
    {"line ends of every kind, blank lines at the end", "a|b\r\nc|d\re|f\n\n\r\n", 6,
     "+-+-+\n|a|b|\n+-+-+\n|c|d|\n+-+-+\n|e|f|\n+-+-+\n"},
    {"BOM skipped", "\xEF\xBB\xBFx", 6, "+-+\n|x|\n+-+\n"},
    // Code page 932 has no byte order mark: these bytes are text of the first cell.
    {"BOM bytes are text in cp932", "\xEF\xBB\xBF|x", 6, "+---+-+\n|\xEF\xBB\xBF|x|\n+---+-+\n",
     TextEncoding::Cp932},
    {"tabs open cells at both ends", "\ta\t\n1\t2\t3", 6,
     "+-+-+-+\n| |a| |\n+-+-+-+\n|1|2|3|\n+-+-+-+\n"},
    {"outer bars optional", "|a|b|\nc|d", 6, "+-+-+\n|a|b|\n+-+-+\n|c|d|\n+-+-+\n"},
    {"empty cells keep an area of two", "|\t", 2, "┌──┬──┐\n│  │  │\n└──┴──┘\n"},
    {"ambiguous characters are narrow", "α|①", 1, "┏━━┳━━┓\n┃α ┃① ┃\n┗━━┻━━┛\n"},
    {"clusters never split", "👩‍👩‍👧|🇯🇵|e\u0301", 2,
     "┌──┬──┬──┐\n│👩‍👩‍👧│🇯🇵│e\u0301 "
     "│\n└──┴──┴──┘\n"},
};

TEST(FrameText, LaysOutCellsInColumns) {
    for (const LayoutCase& c : kLayouts) {
        const FrameOutcome outcome = frame(c.text, c.frameType, 1, WidthModel::Narrow, c.encoding);
        ASSERT_TRUE(outcome.ok()) << c.name << ": " << describe_refusal(outcome.refusal);
        EXPECT_EQ(outcome.text, c.frame) << c.name;
    }
}

TEST(FrameText, CrLfEndsEveryLine) {
    FrameRequest request;
    request.text = "a|b\nc|d\n";
    request.frameType = 3;
    request.lineEnd = LineEnd::CrLf;
    const std::string framed = frame_text(request).text;
    EXPECT_EQ(framed, "┏━━┯━━┓\r\n┃a │b ┃\r\n┣━━┿━━┫\r\n┃c │d ┃\r\n┗━━┷━━┛\r\n");
}

// Cells of random text: any character but the separators, line ends and
// controls, and none that joins what follows it into its cluster.
bool cell_character(uint32_t cp) {
    return cp != '|' && code_point_props(cp).grapheme_break() != GraphemeBreak::Prepend;
}

struct RandomTable {
    std::vector<std::vector<std::string>> rows;
    std::string text;  // cells joined by '|', rows by LF
};

RandomTable random_table(std::mt19937& rng, RandomText& cells) {
    RandomTable table;
    const int rows = std::uniform_int_distribution<int>(1, 5)(rng);
    const int columns = std::uniform_int_distribution<int>(1, 4)(rng);
    for (int r = 0; r < rows; ++r) {
        table.rows.emplace_back();
        for (int c = 0; c < columns; ++c) {
            std::string cell = cells.next(4);
            for (char& ch : cell) {
                ch = ch == '|' ? '/' : ch;
            }
            table.text += "|" + cell;
            table.rows.back().push_back(cell);
        }
        table.text += "|\n";
    }
    return table;
}

// A cell that begins with a character joining what stands before it (a mark,
// a skin tone, ZWJ), or ends with one joining what follows (a prepended
// sign), joins a space or border on screen; such text is kept exactly, but
// cannot line up.
bool begins_with_joiner(const std::string& cell) {
    if (cell.empty()) {
        return false;
    }
    const std::vector<uint32_t> cps = decode_all(cell);
    const GraphemeBreak first = code_point_props(cps.front()).grapheme_break();
    return first == GraphemeBreak::Extend || first == GraphemeBreak::ZWJ ||
           first == GraphemeBreak::SpacingMark ||
           code_point_props(cps.back()).grapheme_break() == GraphemeBreak::Prepend;
}

bool any_cell_begins_with_joiner(const RandomTable& table) {
    for (const auto& row : table.rows) {
        for (const std::string& cell : row) {
            if (begins_with_joiner(cell)) {
                return true;
            }
        }
    }
    return false;
}

bool cell_free_of_spaces_at_ends(const std::string& cell) {
    return cell.empty() || (cell.front() != ' ' && cell.back() != ' ');
}

TEST(FrameTextProperty, EveryLineEndsInTheSameColumnInBothModels) {
    std::mt19937 rng(20261207);
    RandomText cells(5, false, cell_character);
    for (int round = 0; round < 3000; ++round) {
        const RandomTable table = random_table(rng, cells);
        const auto frameType = std::uniform_int_distribution<int32_t>(1, 6)(rng);
        const auto positionType = std::uniform_int_distribution<int32_t>(1, 17)(rng);
        if (any_cell_begins_with_joiner(table)) {
            continue;
        }
        for (WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
            const FrameOutcome outcome = frame(table.text, frameType, positionType, model);
            ASSERT_TRUE(outcome.ok()) << describe_refusal(outcome.refusal) << "\n" << table.text;
            const std::vector<std::string> lines = lines_of(outcome.text);
            ASSERT_EQ(lines.size(), 2 * table.rows.size() + 1);
            const int64_t width = display_width(lines[0], model);
            for (const std::string& line : lines) {
                ASSERT_EQ(display_width(line, model), width)
                    << "type " << frameType << ", model " << int(model) << "\n"
                    << outcome.text;
            }
        }
    }
}

TEST(FrameTextProperty, ContentLinesHoldTheCellsExactly) {
    std::mt19937 rng(42);
    RandomText cells(9, false, cell_character);
    for (int round = 0; round < 2000; ++round) {
        const RandomTable table = random_table(rng, cells);
        const FrameOutcome outcome = frame(table.text, 6, 1 + round % 17);
        ASSERT_TRUE(outcome.ok());
        const std::vector<std::string> lines = lines_of(outcome.text);
        for (size_t r = 0; r < table.rows.size(); ++r) {
            std::string expected;
            for (const std::string& cell : table.rows[r]) {
                expected += "|" + cell;
            }
            std::string found;
            const std::string& line = lines[2 * r + 1];
            // Position A..Q only moves spaces: drop the padding around each cell.
            size_t at = 0;
            for (const std::string& cell : table.rows[r]) {
                ASSERT_EQ(line[at], '|');
                const size_t begin = line.find(cell, at + 1);
                ASSERT_NE(begin, std::string::npos) << line;
                found += "|" + line.substr(begin, cell.size());
                at = line.find('|', begin + cell.size());
                ASSERT_TRUE(cell_free_of_spaces_at_ends(cell) ||
                            line.substr(at + 1).find('|') != std::string::npos ||
                            at == line.size() - 1);
            }
            EXPECT_EQ(found, expected);
        }
    }
}

bool is_ambiguous_free(uint32_t cp) {
    return cell_character(cp) && !is_east_asian_ambiguous(cp);
}

// Narrow frames are wide frames whose rule fills are doubled: the cells and
// the vertical pieces stand in the same places.
std::string doubled_fills(const std::string& wideFrame) {
    std::string narrow;
    for (const std::string& line : lines_of(wideFrame)) {
        const bool rule = line.rfind("┃", 0) != 0 && line.rfind("│", 0) != 0;
        for (size_t at = 0; at < line.size();) {
            size_t length = (static_cast<unsigned char>(line[at]) & 0x80) == 0 ? 1 : 3;
            const std::string piece = line.substr(at, length);
            narrow += piece;
            if (rule && (piece == "━" || piece == "─")) {
                narrow += piece;
            }
            at += length;
        }
        narrow += "\n";
    }
    return narrow;
}

TEST(FrameTextProperty, NarrowIsWideWithRuleFillsDoubled) {
    std::mt19937 rng(7);
    RandomText cells(3, false, is_ambiguous_free);
    for (int round = 0; round < 2000; ++round) {
        const RandomTable table = random_table(rng, cells);
        const auto frameType = std::uniform_int_distribution<int32_t>(1, 6)(rng);
        if (display_width(table.text, WidthModel::Narrow) !=
            display_width(table.text, WidthModel::Wide)) {
            continue;  // the generator's fixed characters include some ambiguous ones
        }
        const FrameOutcome wide = frame(table.text, frameType, 1, WidthModel::Wide);
        const FrameOutcome narrow = frame(table.text, frameType, 1, WidthModel::Narrow);
        ASSERT_TRUE(wide.ok() && narrow.ok());
        EXPECT_EQ(narrow.text, frameType == 6 ? wide.text : doubled_fills(wide.text)) << table.text;
    }
}

TEST(FrameText, OneMebibyteTableFrames) {
    std::string text;
    int rows = 0;
    while (text.size() < kTextInputLimit - 64) {
        text += "row " + std::to_string(rows) + "|日本語のセル|" + std::to_string(rows * 7) + "\n";
        ++rows;
    }
    const FrameOutcome outcome = frame(text, 5, 8);
    ASSERT_TRUE(outcome.ok()) << describe_refusal(outcome.refusal);
    EXPECT_EQ(lines_of(outcome.text).size(), 2 * static_cast<size_t>(rows) + 1);
}

// A csv of empty cells would be three times its size as '|' text: the limit
// is the input's own.
TEST(FrameText, CsvUpToTheInputLimitFrames) {
    std::string csv;
    while (csv.size() + 3 <= kTextInputLimit) {
        csv += ",,\n";
    }
    FrameRequest request;
    request.text = csv;
    request.from = TableFormat::Csv;
    request.frameType = 6;
    const FrameOutcome outcome = frame_text(request);
    ASSERT_TRUE(outcome.ok()) << describe_refusal(outcome.refusal);
    EXPECT_EQ(lines_of(outcome.text).size(), 2 * (csv.size() / 3) + 1);
}

}  // namespace
