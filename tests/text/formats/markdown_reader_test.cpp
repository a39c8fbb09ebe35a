// The Markdown reader against the reference reader on random tables, in both
// encodings and width models: the same cells at the same places, the same
// refusals; its way into a frame's grid, when it takes a table, the same
// cells measured as the frame measures them; and a table whose lines all
// start with '|' the one table of its document.
#include "text/formats/markdown_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "markdown_reference.h"
#include "table_testing.h"
#include "text/chosen_table.h"
#include "text/formats/table_formats.h"
#include "text/input_check.h"
#include "text/text_limits.h"
#include "text/unicode/display_width.h"

namespace {

// Wide, ambiguous and joining characters; in code page 932 pairs whose second
// byte is '|' or '\', and single-byte katakana.
const std::vector<std::string> kUtf8Pieces = {"a",  "Zz 9", "\xC3\xA9",    "日本", "e\xCC\x81",
                                              "─",  "😀",    "a<1",         "-",    ":",
                                              "\\", "x\\",  "\xEF\xBB\xBF"};
const std::vector<std::string> kCp932Pieces = {
    "ab", "\xB1", "\x82\xA0", "\x83\x7C", "-", "\x95\x5C", "\x88\x9F", "a<1", "\x95\x5C|", "\\"};
// What reads otherwise than it is written, or makes a frame refuse.
const std::vector<std::string> kOdd = {"\\|", "<br>",    "<BR />", "<bR/>", "<b>", "<br",
                                       "\t",  "\x1b[1m", "\x01",   "\\\\|", "|"};
// Lines that are no row of the table, or that GitHub takes for other blocks.
const std::vector<std::string> kOddLines = {
    "",  "   ",          "\t",         "text before",   "more | text",  "---",
    "|", "> | quoted |", "- | item |", "# | heading |", "    | code |", "|-|-|"};

class RandomMarkdown {
  public:
    RandomMarkdown(uint32_t seed, bool cp932)
        : rng(seed), pieces(cp932 ? kCp932Pieces : kUtf8Pieces) {}

    std::vector<std::string> next() {
        std::vector<std::string> lines;
        const int columns = pick(1, 4);
        lines.push_back(row(columns, [&] { return cell(); }));
        lines.push_back(row(columns, [&] { return delimiter_cell(); }));
        for (int body = pick(0, 5); body > 0; --body) {
            lines.push_back(row(pick(0, 12) == 0 ? pick(0, 5) : columns, [&] { return cell(); }));
        }
        for (int odd = pick(0, 6) == 0 ? pick(1, 2) : 0; odd > 0; --odd) {
            const auto at = static_cast<size_t>(pick(0, static_cast<int>(lines.size())));
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), any_of(kOddLines));
        }
        return lines;
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    const std::string& any_of(const std::vector<std::string>& from) {
        return from[static_cast<size_t>(pick(0, static_cast<int>(from.size()) - 1))];
    }

    std::string cell() {
        std::string text;
        for (int k = pick(0, 3); k > 0; --k) {
            text += pick(0, 25) == 0 ? any_of(kOdd) : any_of(pieces);
        }
        return text;
    }

    std::string delimiter_cell() {
        static const std::vector<std::string> kCells = {
            "-", "---", ":-", "-:", ":--:", "--", ":", "::", "-x-", "- -"};
        return kCells[static_cast<size_t>(pick(0, 30) == 0 ? pick(5, 9) : pick(0, 4))];
    }

    std::string blanks() {
        static const std::vector<std::string> kBlanks = {"", "", " ", "  ", "\t"};
        return pick(0, 10) == 0 ? any_of(kBlanks)
                                : std::string(static_cast<size_t>(pick(0, 1)), ' ');
    }

    // Cells padded or not, outer pipes or not, blanks before and after.
    template <class Cell>
    std::string row(int cells, Cell&& cell) {
        std::string line = pick(0, 5) == 0 ? blanks() : "";
        const bool leading = pick(0, 3) > 0;
        const bool trailing = pick(0, 3) > 0;
        line += leading ? "|" : "";
        for (int c = 0; c < cells; ++c) {
            line += blanks() + cell() + blanks();
            line += c + 1 < cells || trailing ? "|" : "";
        }
        return line + blanks();
    }

    std::mt19937 rng;
    const std::vector<std::string>& pieces;
};

std::string joined(const std::vector<std::string>& lines, const char* lineEnd, bool lastEnd) {
    std::string text;
    for (size_t k = 0; k < lines.size(); ++k) {
        text += lines[k];
        text += k + 1 < lines.size() || lastEnd ? lineEnd : "";
    }
    return text;
}

std::string shown(const std::string& text) {
    std::string out;
    for (const char c : text) {
        out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : std::string(1, c);
    }
    return out;
}

void expect_as_reference(const TableRead& read, const MarkdownReferenceRead& want,
                         const std::string& text) {
    EXPECT_EQ(read.refusal.kind, want.refusal.kind) << shown(text);
    EXPECT_EQ(read.refusal.line, want.refusal.line) << shown(text);
    EXPECT_EQ(read.refusal.column, want.refusal.column) << shown(text);
    ASSERT_EQ(read.table.rows().size(), want.rows.size()) << shown(text);
    for (size_t r = 0; r < want.rows.size(); ++r) {
        const Row row = read.table.rows()[r];
        ASSERT_EQ(row.size(), want.rows[r].size()) << "row " << r << " of " << shown(text);
        for (size_t c = 0; c < row.size(); ++c) {
            EXPECT_EQ(std::string(row[c].text), want.rows[r][c].text) << shown(text);
            const text_rules::TextPlace place = read.table.place_of(row[c]);
            EXPECT_EQ(place.line, want.rows[r][c].line) << shown(text);
            EXPECT_EQ(place.column, want.rows[r][c].column) << shown(text);
        }
    }
}

// The grid's cells are the table's, measured as the frame measures them.
void expect_grid_as_table(const CellGrid& grid, std::string_view table, const TableRead& read,
                          TextEncoding encoding, WidthModel model, const std::string& text) {
    ASSERT_TRUE(read.ok()) << shown(text);
    ASSERT_EQ(static_cast<size_t>(grid.rows), read.table.rows().size()) << shown(text);
    for (int32_t r = 0; r < grid.rows; ++r) {
        const Row row = read.table.rows()[static_cast<size_t>(r)];
        ASSERT_EQ(static_cast<size_t>(grid.columns), row.size()) << shown(text);
        for (int32_t c = 0; c < grid.columns; ++c) {
            const CellSpan& span = grid.cells[static_cast<size_t>(r * grid.columns + c)];
            const std::string_view cell =
                table.substr(static_cast<size_t>(span.start), static_cast<size_t>(span.length));
            EXPECT_EQ(cell, row[static_cast<size_t>(c)].text) << shown(text);
            const int64_t width = encoding == TextEncoding::Cp932
                                      ? static_cast<int64_t>(cell.size())
                                      : display_width(cell, model);
            EXPECT_EQ(span.width, width) << shown(text);
        }
    }
}

FrameRequest markdown_request(const std::string& text, TextEncoding encoding) {
    FrameRequest request;
    request.text = text;
    request.from = TableFormat::Markdown;
    request.encoding = encoding;
    return request;
}

TEST(MarkdownReader, ReadsAsTheReferenceTheTableAndTheGridAlike) {
    int gridReads = 0;
    int borderedReads = 0;
    for (const bool cp932 : {false, true}) {
        RandomMarkdown tables(cp932 ? 9320 : 2027, cp932);
        const TextEncoding encoding = cp932 ? TextEncoding::Cp932 : TextEncoding::Utf8;
        for (int round = 0; round < 4000 && !HasFailure(); ++round) {
            const std::vector<std::string> lines = tables.next();
            const char* lineEnd = round % 3 == 0 ? "\r\n" : round % 7 == 0 ? "\r" : "\n";
            const std::string bom = !cp932 && round % 5 == 0 ? "\xEF\xBB\xBF" : "";
            const std::string text = bom + joined(lines, lineEnd, round % 4 != 0);
            const std::string_view withoutBom = without_bom(text, encoding);
            const MarkdownReferenceRead want = reference_markdown(withoutBom, encoding);
            for (const WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
                const TableRead read = read_table(text, TableFormat::Markdown, encoding, model);
                expect_as_reference(read, want, text);
                const std::string_view table = text_rules::without_trailing_line_ends(withoutBom);
                for (const bool bordersOnly : {false, true}) {
                    CellGrid grid;
                    if (table.empty() ||
                        !read_markdown_cells(table, encoding, model, bordersOnly, grid)) {
                        continue;
                    }
                    (bordersOnly ? borderedReads : gridReads) += 1;
                    expect_grid_as_table(grid, table, read, encoding, model, text);
                    EXPECT_EQ(check_input_text(text, encoding, kTextInputLimit).kind,
                              RefusalKind::None)
                        << shown(text);
                    if (bordersOnly) {
                        const ChosenTable chosen = choose_table(markdown_request(text, encoding));
                        EXPECT_TRUE(chosen.whole && chosen.refusal.kind == RefusalKind::None)
                            << "not the document's one table: " << shown(text);
                    }
                }
            }
        }
    }
    EXPECT_GT(gridReads, 2000);  // the grid takes most tables
    EXPECT_GT(borderedReads, 500);
}

}  // namespace
