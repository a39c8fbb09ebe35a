// Frames laid out to fit: random tables with multi-line cells in both width
// models, every frame type, both overflows, random widths, cell widths,
// padding, rules and alignment. Every line ends in the same column within the
// width, and the frame reads back to the cells as fit_cell_line breaks them.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "table_testing.h"
#include "text/unicode/cell_wrap.h"
#include "text/unicode/display_width.h"
#include "text/formats/table_formats.h"

namespace {

std::string trim_spaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return "";
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::vector<std::string> split(const std::string& text, char at) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(at, start)) != std::string::npos; start = end + 1) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

bool colour_supported() {
    return !escapes_in_force("\x1b[31mx").close.empty();
}

// Lines of words with single spaces, none blank: what a frame gives back
// trimmed. Numbers for the decimal columns; never '+' or '.' at a line's
// end, which readers take for continuation marks.
std::string random_cell(std::mt19937& random, bool colour) {
    static const std::vector<std::string> kWords = {
        "a",       "bb",  "ccc",    "word", "longerword", "日本語",         "é",
        "x-y-z",   "1.5", "-0.125", "100",  "1,234.5",    "漢字かな交じり", "🙂",
        "e\u0301", "a/b", "かﾞ"};
    const size_t lines = 1 + random() % 3 == 0 ? 1 + random() % 3 : 1;
    std::string cell;
    size_t colours = 0;
    for (size_t line = 0; line < lines; ++line) {
        if (line > 0) {
            cell += "\n";
        }
        const size_t words = random() % 4;
        for (size_t w = 0; w <= words; ++w) {
            std::string word = kWords[random() % kWords.size()];
            // Two words of one colour side by side would end one line with a
            // reset and start the next with the same colour: the very pair a
            // frame adds at a wrap, which reading back takes out again.
            if (colour && random() % 6 == 0) {
                word = "\x1b[3" + std::to_string(1 + colours++ % 6) + "m" + word + "\x1b[0m";
            }
            cell += (w > 0 ? " " : "") + word;
        }
    }
    return random() % 8 == 0 ? "" : cell;
}

struct Layout {
    int frameType;
    WidthModel model;
    WriteOptions options;
};

Layout random_layout(std::mt19937& random, size_t columns) {
    Layout layout{1 + static_cast<int>(random() % 6),
                  random() % 2 == 0 ? WidthModel::Narrow : WidthModel::Wide,
                  {}};
    WriteOptions& options = layout.options;
    options.frameType = layout.frameType;
    options.positionType = 1 + static_cast<int>(random() % 17);
    options.widthModel = layout.model;
    FrameFit& fit = options.fit;
    fit.overflow = random() % 2 == 0 ? Overflow::Wrap : Overflow::Truncate;
    fit.padding = static_cast<int32_t>(random() % 3);
    fit.rules = static_cast<RuleLines>(random() % 3);
    for (size_t c = 0; c < columns && random() % 2 == 0; ++c) {
        fit.align.push_back(static_cast<ColumnAlign>(random() % 5));
    }
    if (random() % 3 == 0) {
        for (size_t c = 0; c < (random() % 2 == 0 ? 1 : columns); ++c) {
            fit.cellWidths.push_back(static_cast<int32_t>(random() % 12));
        }
    }
    return layout;
}

// The cell as the layout breaks it at limit: every line whole when it fits,
// else as fit_cell_line cuts it, each piece trimmed as a reader trims it.
// Lines read back one per row keep the colour the frame closes at their end
// and sets again at the start of the next (dressed); joined, they lose it.
struct Pieces {
    std::vector<std::string> joined;
    std::vector<std::string> dressed;
};

Pieces pieces_at(const std::string& cell, int32_t limit, const Layout& layout) {
    Pieces pieces;
    std::vector<FittedLine> fitted;
    std::string reopen;
    size_t coveredTo = 0;
    size_t lineStart = 0;
    for (const std::string& line : split(cell, '\n')) {
        if (display_width(line, layout.model) <= limit) {
            fitted = {{0, static_cast<int32_t>(line.size()), 0, false}};
        } else if (widest_cluster(line, layout.model) > limit ||
                   (layout.options.fit.overflow == Overflow::Truncate &&
                    display_width("\u2026", layout.model) > limit)) {
            return {{"no such limit"}, {"no such limit"}};  // fit_cell_line asks for more
        } else {
            fit_cell_line(line, limit, layout.model, layout.options.fit.overflow, fitted);
        }
        for (const FittedLine& part : fitted) {
            const size_t partEnd = static_cast<size_t>(part.start + part.length);
            std::string piece =
                line.substr(static_cast<size_t>(part.start), static_cast<size_t>(part.length));
            const EscapesInForce inForce =
                escapes_in_force(reopen + cell.substr(coveredTo, lineStart + partEnd - coveredTo));
            if (part.ellipsis) {
                piece += "\u2026";
                piece += escapes_in_force(line.substr(0, partEnd)).close;
                pieces.dressed.push_back(trim_spaces(reopen + piece));
            } else {
                pieces.dressed.push_back(trim_spaces(reopen + piece + inForce.close));
            }
            pieces.joined.push_back(trim_spaces(piece));
            reopen = inForce.reopen;
            coveredTo = lineStart + partEnd;
        }
        lineStart += line.size() + 1;
    }
    return pieces;
}

std::string joined(std::vector<std::string> pieces) {
    while (!pieces.empty() && pieces.back().empty()) {
        pieces.pop_back();
    }
    std::string text;
    for (size_t k = 0; k < pieces.size(); ++k) {
        text += (k > 0 ? "\n" : "") + pieces[k];
    }
    return text;
}

// What a frame of these cells, broken at these limits, reads back as: lines
// between inner rules are one row (the header whenever a rule stands under
// it, the body rows when rules stand between them); else every line a row.
Texts read_back_model(const Texts& cells, const std::vector<int32_t>& limits,
                      const Layout& layout) {
    const RuleLines rules = layout.options.fit.rules;
    const bool headerJoined = rules != RuleLines::None && cells.size() >= 2;
    const bool bodyJoined = rules == RuleLines::All && cells.size() >= 3;
    Texts rows;
    for (size_t r = 0; r < cells.size(); ++r) {
        std::vector<std::vector<std::string>> pieces;
        size_t height = 1;
        const bool join = r == 0 ? headerJoined : bodyJoined;
        for (size_t c = 0; c < cells[r].size(); ++c) {
            Pieces cell = pieces_at(cells[r][c], limits[c], layout);
            pieces.push_back(join ? cell.joined : cell.dressed);
            height = std::max(height, pieces.back().size());
        }
        if (join) {
            rows.emplace_back();
            for (const auto& cell : pieces) {
                rows.back().push_back(joined(cell));
            }
            continue;
        }
        for (size_t line = 0; line < height; ++line) {
            rows.emplace_back();
            for (const auto& cell : pieces) {
                rows.back().push_back(line < cell.size() ? cell[line] : "");
            }
        }
    }
    return rows;
}

// A column's non-empty lines, top to bottom: the same whatever the other
// columns make the rows' heights.
std::vector<std::string> column_lines(const Texts& rows, size_t column) {
    std::vector<std::string> lines;
    for (const auto& row : rows) {
        for (const std::string& line : split(column < row.size() ? row[column] : "", '\n')) {
            if (!line.empty()) {
                lines.push_back(line);
            }
        }
    }
    return lines;
}

// The limits at which a column's lines break as they read back, the other
// columns aside; the layout's limit is not known from outside, so every
// limit is tried.
std::vector<int32_t> column_limits(const Texts& cells, const Texts& read, size_t column,
                                   const Layout& layout) {
    const std::vector<std::string> wanted = column_lines(read, column);
    std::vector<int32_t> found;
    for (int32_t limit = 1; limit <= 80; ++limit) {
        std::vector<int32_t> limits(cells.front().size(), 80);
        limits[column] = limit;
        if (column_lines(read_back_model(cells, limits, layout), column) == wanted) {
            found.push_back(limit);
        }
    }
    return found;
}

// Whether some choice of one limit per column reads back exactly.
bool some_limits_read_back(const Texts& cells, const Texts& read, const Layout& layout,
                           const std::vector<std::vector<int32_t>>& candidates,
                           std::vector<int32_t>& limits) {
    const size_t column = limits.size();
    if (column == candidates.size()) {
        return read_back_model(cells, limits, layout) == read;
    }
    for (int32_t limit : candidates[column]) {
        limits.push_back(limit);
        if (some_limits_read_back(cells, read, layout, candidates, limits)) {
            return true;
        }
        limits.pop_back();
    }
    return false;
}

void expect_lines_aligned(const std::string& frame, const Layout& layout) {
    std::optional<int64_t> width;
    for (const std::string& line : split(frame, '\n')) {
        if (line.empty()) {
            continue;
        }
        const int64_t lineWidth = display_width(line, layout.model);
        if (!width) {
            width = lineWidth;
        }
        ASSERT_EQ(lineWidth, *width) << frame;
    }
    if (layout.options.fit.width > 0) {
        EXPECT_LE(*width, layout.options.fit.width) << frame;
    }
}

TEST(FrameLayout, LinesAlignWithinTheWidthAndReadBackAsBroken) {
    std::mt19937 random(1515);
    const bool colour = colour_supported();
    int fitted = 0;
    for (int round = 0; round < 1500; ++round) {
        const size_t rows = 1 + random() % 4;
        const size_t columns = 1 + random() % 4;
        Texts cells(rows);
        for (auto& row : cells) {
            for (size_t c = 0; c < columns; ++c) {
                row.push_back(random_cell(random, colour));
            }
        }
        Layout layout = random_layout(random, columns);
        const Table table = table_of(cells);
        const TableWrite natural = write_table(table, TableFormat::Frame, layout.options);
        ASSERT_TRUE(natural.ok()) << describe(cells);
        const auto naturalWidth = static_cast<int32_t>(
            display_width(natural.text.substr(0, natural.text.find('\n')), layout.model));
        layout.options.fit.width =
            8 + static_cast<int32_t>(random() % static_cast<uint32_t>(naturalWidth + 4));
        TableWrite written = write_table(table, TableFormat::Frame, layout.options);
        if (written.refusal.kind == RefusalKind::FrameTooNarrow) {
            // The width it names is the narrowest that fits.
            ASSERT_GT(written.refusal.found, layout.options.fit.width);
            layout.options.fit.width = static_cast<int32_t>(written.refusal.found);
            written = write_table(table, TableFormat::Frame, layout.options);
        }
        ASSERT_TRUE(written.ok()) << describe(cells) << static_cast<int>(written.refusal.kind);
        fitted += layout.options.fit.width < naturalWidth ? 1 : 0;
        expect_lines_aligned(written.text, layout);
        const TableRead read =
            read_table(written.text, TableFormat::Frame, TextEncoding::Utf8, layout.model);
        ASSERT_TRUE(read.ok()) << written.text;
        const Texts readCells = texts_of(read.table);
        std::vector<std::vector<int32_t>> candidates;
        for (size_t c = 0; c < columns; ++c) {
            candidates.push_back(column_limits(cells, readCells, c, layout));
            ASSERT_FALSE(candidates.back().empty())
                << "column " << c << "\n"
                << written.text << describe(cells) << "\nread " << describe(readCells);
        }
        std::vector<int32_t> limits;
        ASSERT_TRUE(some_limits_read_back(cells, readCells, layout, candidates, limits))
            << written.text << describe(cells) << "\nread " << describe(readCells);
    }
    EXPECT_GT(fitted, 500);  // most frames were made narrower than their cells
}

}  // namespace
