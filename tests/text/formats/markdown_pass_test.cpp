// Markdown read in one pass against the table reader it stands in for: random
// pipe tables, plain or holding what the table reader reads its own way, in
// both encodings and width models, must frame the same and be refused at the
// same place whatever ends their lines; plain ones must take the one pass.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "table_testing.h"
#include "text/formats/markdown_reader.h"
#include "text/frame_text.h"
#include "text/input_check.h"

namespace {

struct MarkdownTable {
    std::vector<std::string> lines;
    bool plain = true;  // the one pass must read it
};

// Pieces of cells a frame draws as they stand: wide, ambiguous and joining
// characters; in code page 932 pairs whose second byte is '|' or '\'.
const std::vector<std::string> kUtf8Plain = {"a", "Zz 9", "\xC3\xA9", "日本", "e\xCC\x81",
                                             "─", "😀",    "a<1",      "-",    ":"};
const std::vector<std::string> kCp932Plain = {"ab", "\xB1",     "\x82\xA0", "\x83\x7C",
                                              "-",  "\x95\x5C", "\x88\x9F", "a<1"};
// What the table reader reads its own way, or refuses.
const std::vector<std::string> kOdd = {"\\|",  "<br>", "<BR />", "<b>", "\t",      "\x1b[1m",
                                       "\x01", "\xFF", "\\",     "x|y", "\xC2\x85"};

class RandomMarkdown {
  public:
    RandomMarkdown(uint32_t seed, bool cp932)
        : rng(seed), pieces(cp932 ? kCp932Plain : kUtf8Plain) {}

    MarkdownTable next() {
        MarkdownTable table;
        const int columns = pick(1, 4);
        table.lines.push_back(row(table, columns, [&] { return cell(table); }));
        table.lines.push_back(row(table, columns, [&] { return delimiter_cell(table); }));
        for (int body = pick(0, 4); body > 0; --body) {
            const bool ragged = pick(0, 15) == 0;
            table.plain &= !ragged;
            table.lines.push_back(
                row(table, ragged ? pick(0, 5) : columns, [&] { return cell(table); }));
        }
        if (pick(0, 12) == 0) {
            add_odd_line(table);
        }
        if (columns == 1 && table.lines[1].find('|') == std::string::npos) {
            table.plain = false;  // dashes alone underline a heading
        }
        return table;
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    std::string cell(MarkdownTable& table) {
        std::string text;
        for (int k = pick(0, 3); k > 0; --k) {
            if (pick(0, 40) == 0) {
                text += kOdd[static_cast<size_t>(pick(0, static_cast<int>(kOdd.size()) - 1))];
                table.plain = false;
            } else {
                text += pieces[static_cast<size_t>(pick(0, static_cast<int>(pieces.size()) - 1))];
            }
        }
        return text;
    }

    std::string delimiter_cell(MarkdownTable& table) {
        static const char* const kCells[] = {"-", "---", ":-", "-:", ":--:", ":", "-x-", "::"};
        const int k = pick(0, 20) == 0 ? pick(5, 7) : pick(0, 4);
        table.plain &= k < 5;
        return kCells[k];
    }

    // Cells with padding, outer pipes or not, blanks before and after.
    template <class Cell>
    std::string row(MarkdownTable& table, int cells, Cell&& cell) {
        std::vector<std::string> texts;
        for (int c = 0; c < cells; ++c) {
            texts.push_back(cell());
        }
        // An empty cell at an edge needs its pipe, or the row loses it.
        const bool edgeEmpty = cells > 0 && (texts.front().empty() || texts.back().empty());
        const bool leading = edgeEmpty || pick(0, 2) > 0;
        const bool trailing = edgeEmpty || pick(0, 2) > 0;
        table.plain &= cells > 0;
        std::string line(static_cast<size_t>(pick(0, 1)), ' ');
        line += leading ? "|" : "";
        for (int c = 0; c < cells; ++c) {
            const std::string pad(static_cast<size_t>(pick(0, 2)), ' ');
            line += pad + texts[static_cast<size_t>(c)] +
                    std::string(static_cast<size_t>(pick(0, 2)), ' ');
            line += c + 1 < cells || trailing ? "|" : "";
        }
        line += std::string(static_cast<size_t>(pick(0, 1)), ' ');
        return line;
    }

    // A blank line inside, text before the table, or a TAB for padding.
    void add_odd_line(MarkdownTable& table) {
        static const char* const kLines[] = {"", "   ", "text\tbefore", "more | text"};
        const auto at = static_cast<size_t>(pick(0, static_cast<int>(table.lines.size())));
        table.lines.insert(table.lines.begin() + static_cast<std::ptrdiff_t>(at),
                           kLines[pick(0, 3)]);
        table.plain = false;
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

FrameRequest markdown_request(const std::string& text, TextEncoding encoding, WidthModel model,
                              int round) {
    FrameRequest request;
    request.text = text;
    request.from = TableFormat::Markdown;
    request.encoding = encoding;
    request.widthModel = model;
    request.frameType = 1 + round % 6;
    request.positionType = 1 + round % 17;
    return request;
}

void expect_one_pass_reads(const std::string& text, TextEncoding encoding, WidthModel model) {
    const std::string_view table =
        text_rules::without_trailing_line_ends(without_bom(text, encoding));
    CellGrid grid;
    EXPECT_TRUE(read_markdown_cells(table, encoding, model, false, grid)) << text;
}

TEST(MarkdownOnePass, FramesAsTheTableReaderWhateverEndsTheLines) {
    for (const bool cp932 : {false, true}) {
        RandomMarkdown tables(cp932 ? 932 : 2026, cp932);
        const TextEncoding encoding = cp932 ? TextEncoding::Cp932 : TextEncoding::Utf8;
        for (int round = 0; round < 3000; ++round) {
            const MarkdownTable table = tables.next();
            const bool lastEnd = round % 3 != 0;
            const std::string bom = !cp932 && round % 5 == 0 ? "\xEF\xBB\xBF" : "";
            for (const WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
                const std::string lf = bom + joined(table.lines, "\n", lastEnd);
                const FrameOutcome want =
                    framed_through_table(markdown_request(lf, encoding, model, round));
                for (const char* lineEnd : {"\n", "\r\n", "\r"}) {
                    const std::string text = bom + joined(table.lines, lineEnd, lastEnd);
                    const FrameRequest request = markdown_request(text, encoding, model, round);
                    expect_same(frame_text(request), want, text);
                    if (table.plain) {
                        expect_one_pass_reads(text, encoding, model);
                    }
                }
                if (cp932) {
                    break;  // widths are bytes
                }
            }
            if (HasFailure()) {
                return;
            }
        }
    }
}

}  // namespace
