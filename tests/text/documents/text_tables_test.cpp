// Frames in plain text and source comments, against Zentab's own frame
// writer: a frame it drew, then edited by hand, comes back as the writer
// draws the edited table, and nothing around it moves.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "document_testing.h"
#include "text/documents/document.h"
#include "text/formats/table.h"
#include "text/formats/table_formats.h"

namespace {

using document_testing::formatted;
using Cells = std::vector<std::vector<std::string>>;

struct Look {
    int32_t frameType = 1;
    int32_t positionType = 1;
    int32_t padding = 0;
    RuleLines rules = RuleLines::All;
    WidthModel model = WidthModel::Narrow;
};

std::string drawn_frame(const Cells& cells, const Look& look) {
    Table table;
    for (const std::vector<std::string>& row : cells) {
        for (const std::string& cell : row) {
            table.open_cell(Table::given_place(1, 1)) += cell;
        }
        table.end_row();
    }
    WriteOptions options;
    options.frameType = look.frameType;
    options.positionType = look.positionType;
    options.widthModel = look.model;
    options.fit.padding = look.padding;
    options.fit.rules = look.rules;
    const TableWrite out = write_table(table, TableFormat::Frame, options);
    EXPECT_TRUE(out.ok());
    return out.text;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::string behind(const std::vector<std::string>& lines, const std::string& prefix,
                   const std::string& lineEnd) {
    std::string out;
    for (const std::string& line : lines) {
        out += prefix + line + lineEnd;
    }
    return out;
}

bool is_border(const std::string& line, size_t at) {
    return line.compare(at, 1, "|") == 0 || line.compare(at, 3, "│") == 0 ||
           line.compare(at, 3, "┃") == 0;
}

size_t border_length(const std::string& line, size_t at) {
    return line[at] == '|' ? 1 : 3;
}

// The line with cell column's text replaced by text, its blanks kept; into
// an empty cell the text goes after the padding.
std::string edited_line(const std::string& line, size_t column, const std::string& text,
                        size_t padding) {
    size_t border = 0;
    for (size_t seen = 0; seen < column; ++seen) {
        border += border_length(line, border);
        while (!is_border(line, border)) {
            ++border;
        }
    }
    const size_t start = border + border_length(line, border);
    size_t end = start;
    while (!is_border(line, end)) {
        ++end;
    }
    const std::string cell = line.substr(start, end - start);
    const size_t first = cell.find_first_not_of(' ');
    if (first == std::string::npos) {
        return line.substr(0, start + padding) + text + cell.substr(padding) + line.substr(end);
    }
    const size_t last = cell.find_last_not_of(' ') + 1;
    return line.substr(0, start + first) + text + line.substr(start + last);
}

const std::vector<std::string> kPieces = {"a",  "bb", "ccc", "x y", "1234",  "漢字",
                                          "表", "😀",  "α",   "±1",  "Zentab"};
const std::vector<std::string> kPrefixes = {"", "// ", " * ", "# ", "-- ", "; ", "> ", "    // "};

std::string random_cell(std::mt19937& rng) {
    std::string cell;
    for (int n = static_cast<int>(rng() % 4); n > 0; --n) {
        cell += kPieces[rng() % kPieces.size()];
    }
    return cell;
}

bool any_text(const Cells& cells) {
    for (const std::vector<std::string>& row : cells) {
        for (const std::string& cell : row) {
            if (!cell.empty()) {
                return true;
            }
        }
    }
    return false;
}

// Whether some position type draws the edited table as result and the
// original as it stood, the edited line aside: the edited cell is placed as
// the rest of its group.
bool drawn_by_some_position(const Cells& original, const Cells& edited, Look look,
                            const std::vector<std::string>& originalLines, size_t editedLine,
                            const std::vector<std::string>& result) {
    for (look.positionType = 1; look.positionType <= 17; ++look.positionType) {
        const std::vector<std::string> before = lines_of(drawn_frame(original, look));
        bool same = before.size() == originalLines.size();
        for (size_t i = 0; same && i < before.size(); ++i) {
            same = i == editedLine || before[i] == originalLines[i];
        }
        if (same && lines_of(drawn_frame(edited, look)) == result) {
            return true;
        }
    }
    return false;
}

struct EditedFrame {
    Cells original;
    Cells edited;
    Look look;
    std::vector<std::string> lines;  // as drawn
    std::vector<std::string> typed;  // with one cell edited by hand
    size_t editedLine = 0;
};

EditedFrame random_edited_frame(std::mt19937& rng) {
    EditedFrame frame;
    const size_t rows = 2 + rng() % 3;
    const size_t columns = 1 + rng() % 4;
    frame.original.assign(rows, std::vector<std::string>(columns));
    for (std::vector<std::string>& row : frame.original) {
        for (std::string& cell : row) {
            cell = random_cell(rng);
        }
    }
    frame.look.frameType = 1 + static_cast<int32_t>(rng() % 6);
    frame.look.positionType = 1 + static_cast<int32_t>(rng() % 17);
    frame.look.padding = static_cast<int32_t>(rng() % 3 == 0);
    frame.look.rules = static_cast<RuleLines>(rng() % 3);
    frame.look.model = rng() % 2 == 0 ? WidthModel::Narrow : WidthModel::Wide;
    frame.lines = lines_of(drawn_frame(frame.original, frame.look));
    // Each row is one content line: the frame's lines of cells in order.
    std::vector<size_t> contentLines;
    for (size_t i = 0; i < frame.lines.size(); ++i) {
        if (is_border(frame.lines[i], 0)) {
            contentLines.push_back(i);
        }
    }
    const size_t row = rng() % rows;
    const size_t column = rng() % columns;
    std::string text = random_cell(rng);
    while (text == frame.original[row][column]) {
        text = random_cell(rng);
    }
    frame.edited = frame.original;
    frame.edited[row][column] = text;
    frame.editedLine = contentLines[row];
    frame.typed = frame.lines;
    frame.typed[frame.editedLine] = edited_line(frame.lines[frame.editedLine], column, text,
                                                static_cast<size_t>(frame.look.padding));
    return frame;
}

// An edit can make a frame line up in the other width model, where the
// reader finds it aligned.
bool lines_up_in_the_other_model(const EditedFrame& frame) {
    std::string source;
    for (const std::string& line : frame.typed) {
        source += line + "\n";
    }
    const WidthModel other =
        frame.look.model == WidthModel::Narrow ? WidthModel::Wide : WidthModel::Narrow;
    const TableRead read = read_table(source, TableFormat::Frame, TextEncoding::Utf8, other);
    return read.ok() && frame.typed != frame.lines &&
           lines_of(drawn_frame(frame.edited, frame.look)) != frame.typed;
}

std::string marker_of(const std::string& prefix) {
    const size_t start = prefix.find_first_not_of(' ');
    return start == std::string::npos ? "" : prefix.substr(start, prefix.find(' ', start) - start);
}

TEST(TextTables, AnEditedFrameIsDrawnAgainAsTheWriterDrawsTheEditedTable) {
    std::mt19937 rng(20240611);
    int checked = 0;
    for (int round = 0; round < 3000; ++round) {
        const EditedFrame frame = random_edited_frame(rng);
        if (!any_text(frame.edited)) {
            continue;
        }
        if (lines_up_in_the_other_model(frame)) {
            continue;  // the reader takes it as lined up, and so it is
        }
        const std::string& prefix = kPrefixes[rng() % kPrefixes.size()];
        const std::string lineEnd = rng() % 4 == 0 ? "\r\n" : "\n";
        const std::string before = "Prose before " + std::to_string(round) + lineEnd + prefix +
                                   "a comment | with a bar" + lineEnd;
        const std::string after = lineEnd + "  after: ----" + lineEnd;
        const std::string document = before + behind(frame.typed, prefix, lineEnd) + after;
        const std::string once = formatted(document, DocumentKind::Text, frame.look.model);

        ASSERT_EQ(once.substr(0, before.size()), before) << document;
        ASSERT_GE(once.size(), before.size() + after.size()) << document;
        ASSERT_EQ(once.substr(once.size() - after.size()), after) << document;
        std::string framed = once.substr(before.size(), once.size() - before.size() - after.size());
        std::vector<std::string> result;
        for (const std::string& line : lines_of(framed)) {
            ASSERT_EQ(line.substr(0, prefix.size()), prefix) << once;
            std::string own = line.substr(prefix.size());
            if (lineEnd == "\r\n") {
                ASSERT_EQ(own.back(), '\r') << once;
                own.pop_back();
            }
            result.push_back(own);
        }
        EXPECT_TRUE(drawn_by_some_position(frame.original, frame.edited, frame.look, frame.lines,
                                           frame.editedLine, result))
            << "type " << frame.look.frameType << " position " << frame.look.positionType
            << " padding " << frame.look.padding << "\n"
            << document << once << drawn_frame(frame.edited, frame.look);
        EXPECT_EQ(formatted(once, DocumentKind::Text, frame.look.model), once) << once;

        const std::string ignored = before + marker_of(prefix) + " zentab: ignore" + lineEnd +
                                    behind(frame.typed, prefix, lineEnd) + after;
        EXPECT_EQ(formatted(ignored, DocumentKind::Text, frame.look.model), ignored);
        ++checked;
    }
    EXPECT_GT(checked, 2500);
}

TEST(TextTables, AFrameDrawnByTheWriterIsLeftAsItIs) {
    std::mt19937 rng(7);
    for (int round = 0; round < 1000; ++round) {
        const EditedFrame frame = random_edited_frame(rng);
        const std::string document = "// x\n" + behind(frame.lines, "// ", "\n");
        const DocumentOutcome outcome =
            format_document({document, DocumentKind::Text, frame.look.model});
        ASSERT_EQ(outcome.tables.size(), 1u) << document;
        EXPECT_FALSE(outcome.changed()) << document;
        EXPECT_EQ(outcome.tables[0].refusal.kind, RefusalKind::None) << document;
    }
}

struct FormatCase {
    const char* name;
    std::string input;
    std::string expected;
};

TEST(TextTables, FramesInCommentsAndText) {
    const std::vector<FormatCase> cases = {
        {"light_box_in_block_comment",
         "/*\n * ┌────┬──────┐\n * │name│ qty  │\n * ├────┼──────┤\n * │ ab-cd │  1   │\n"
         " * └────┴──────┘\n */\nint x;\n",
         "/*\n * ┌──────┬────┐\n * │ name │qty │\n * ├──────┼────┤\n * │ab-cd │ 1  │\n"
         " * └──────┴────┘\n */\nint x;\n"},
        {"database_shell_box_right_numbers",
         "# +------+-----+\n# | name | qty |\n# +------+-----+\n# | apple |   1 |\n"
         "# | b    | 100 |\n# +------+-----+\n",
         "# +-------+-----+\n# | name  | qty |\n# +-------+-----+\n# | apple |   1 |\n"
         "# | b     | 100 |\n# +-------+-----+\n"},
        {"shrunk_cell_crlf",
         "-- +------+--+\r\n-- |Zentab|ab|\r\n-- +------+--+\r\n-- |z|c |\r\n-- +------+--+\r\n",
         "-- +------+--+\r\n-- |Zentab|ab|\r\n-- +------+--+\r\n-- |z     |c |\r\n-- "
         "+------+--+\r\n"},
        {"double_lines_kept", "╔══╦══╗\n║ab║cd║\n╠══╬══╣\n║abcd║e ║\n╚══╩══╝\n",
         "╔════╦══╗\n║ab  ║cd║\n╠════╬══╣\n║abcd║e ║\n╚════╩══╝\n"},
        {"wide_directive", "# zentab: wide\n# +--+\n# |ααα|\n# +--+\n",
         "# zentab: wide\n# +------+\n# |ααα|\n# +------+\n"},
        {"narrow_by_default", "# +--+\n# |ααα|\n# +--+\n", "# +---+\n# |ααα|\n# +---+\n"},
        {"wide_box_frame_measured_wide", "// ┌─┬─┐\n// │ab│cd│\n// ├─┼─┤\n// │abcd│e │\n// └─┴─┘\n",
         "// ┌──┬─┐\n// │ab  │cd│\n// ├──┼─┤\n// │abcd│e │\n// └──┴─┘\n"},
        {"off_and_on",
         "# zentab: off\n# +--+\n# |abc|\n# +--+\n# zentab: on\n# +--+\n# |abc|\n# +--+\n",
         "# zentab: off\n# +--+\n# |abc|\n# +--+\n# zentab: on\n# +---+\n# |abc|\n# +---+\n"},
        {"ignore_needs_the_same_marker", "// zentab: ignore\n# +--+\n# |abc|\n# +--+\n",
         "// zentab: ignore\n# +---+\n# |abc|\n# +---+\n"},
        {"trailing_blanks_and_no_last_line_end", "+--+  \n|abc|\n+--+", "+---+  \n|abc|\n+---+"},
        {"rule_of_empty_columns_takes_dashes", "++\n||\n|abc|\n++\n",
         "+---+\n|   |\n|abc|\n+---+\n"},
        {"emptied_cell_shows_no_padding", "┏━━━━━━┓\n┃┃\n┃  α   ┃\n┗━━━━━━┛\n",
         "┏━━┓\n┃  ┃\n┃α ┃\n┗━━┛\n"},
        {"lone_rule_is_no_frame", "----\ntext\n+----+\n", "----\ntext\n+----+\n"},
        {"markdown_table_is_no_frame", "| a | b |\n|---|---|\n| c | d |\n",
         "| a | b |\n|---|---|\n| c | d |\n"},
        {"prefix_must_not_change", "// +--+\n# |abc|\n// +--+\n", "// +--+\n# |abc|\n// +--+\n"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(formatted(c.input, DocumentKind::Text), c.expected) << c.name;
        EXPECT_EQ(formatted(c.expected, DocumentKind::Text), c.expected) << c.name;
    }
}

struct LeftCase {
    const char* name;
    std::string input;
    RefusalKind kind;
    int64_t line;
    int64_t column;
};

TEST(TextTables, FramesThatCannotBeReadAreLeftWithTheirPlace) {
    const std::vector<LeftCase> cases = {
        {"tab_in_cell", "text\n// +--+--+\n// |a\tb|c|\n// +--+--+\n",
         RefusalKind::ControlCharacter, 3, 6},
        {"border_missing", "# +--+--+\n# |ab|cd|\n# |ab cd|\n# +--+--+\n",
         RefusalKind::FrameMismatch, 3, 9},
        {"border_too_many", "+--+--+\n|ab|cd|\n|a|b|cd|\n+--+--+\n", RefusalKind::FrameMismatch, 3,
         5},
        {"no_bottom_rule", " * +--+\n * |ab|\n * |abc|\n", RefusalKind::FrameMismatch, 3, 8},
    };
    for (const LeftCase& c : cases) {
        const DocumentOutcome outcome = format_document({c.input, DocumentKind::Text});
        ASSERT_EQ(outcome.tables.size(), 1u) << c.name;
        EXPECT_FALSE(outcome.changed()) << c.name;
        EXPECT_EQ(outcome.tables[0].refusal.kind, c.kind) << c.name;
        EXPECT_EQ(outcome.tables[0].refusal.line, c.line) << c.name;
        EXPECT_EQ(outcome.tables[0].refusal.column, c.column) << c.name;
    }
}

}  // namespace
