// Markdown documents against GitHub's own Markdown library (cmark-gfm): it
// finds the same tables, and renders the same HTML before and after.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "document_testing.h"
#include "text/documents/document.h"
#include "text/unicode/display_width.h"

namespace {

using document_testing::formatted;

struct FormatCase {
    const char* name;
    std::string input;
    std::string expected;
};

TEST(MarkdownTables, LinesUpTablesAndTouchesNothingElse) {
    const std::vector<FormatCase> cases = {
        {"ragged_ascii", "| a | bb |\n|---|:-:|\n| ccc | d |\n",
         "| a   | bb  |\n| --- | :-: |\n| ccc |  d  |\n"},
        {"japanese_right", "|品名|数量|\n|--|--:|\n|りんご|12|\n",
         "| 品名   | 数量 |\n| ------ | ---: |\n| りんご |   12 |\n"},
        {"no_outer_pipes", "a|b\n-|-\nc|d\n", "| a   | b   |\n| --- | --- |\n| c   | d   |\n"},
        {"short_row_filled", "| a | b |\n|---|---|\n| c |\n",
         "| a   | b   |\n| --- | --- |\n| c   |     |\n"},
        {"escaped_pipe_kept", "| a | b |\n|---|---|\n| x \\| y | `z` |\n",
         "| a      | b   |\n| ------ | --- |\n| x \\| y | `z` |\n"},
        {"emoji_and_flag", "| 😀 | 🇯🇵 |\n|-|-|\n| e\xCC\x81 | x |\n",
         "| 😀  | 🇯🇵  |\n| --- | --- |\n| e\xCC\x81   | x   |\n"},
        {"in_block_quote", "> | a | b |\n> |-|-|\n> | ccc | d |\n",
         "> | a   | b   |\n> | --- | --- |\n> | ccc | d   |\n"},
        {"in_list_item", "- item\n\n  | a | b |\n  |-|-|\n  | ccc | d |\n",
         "- item\n\n  | a   | b   |\n  | --- | --- |\n  | ccc | d   |\n"},
        {"crlf_and_no_last_end", "prose\r\n\r\n|a|b|\r\n|-|-|\r\n|c|d|",
         "prose\r\n\r\n| a   | b   |\r\n| --- | --- |\r\n| c   | d   |"},
        {"bom_and_trailing_blanks", "\xEF\xBB\xBFtext  \n\n|a|\n|-|\n",
         "\xEF\xBB\xBFtext  \n\n| a   |\n| --- |\n"},
        {"fenced_code_untouched", "```\n|a|b|\n|-|-|\n```\n", "```\n|a|b|\n|-|-|\n```\n"},
        {"indented_code_untouched", "    |a|b|\n    |-|-|\n", "    |a|b|\n    |-|-|\n"},
        {"html_block_untouched", "<div>\n|a|b|\n|-|-|\n</div>\n", "<div>\n|a|b|\n|-|-|\n</div>\n"},
        {"ignore_comment", "<!-- zentab: ignore -->\n|a|b|\n|-|-|\n\n|c|\n|-|\n",
         "<!-- zentab: ignore -->\n|a|b|\n|-|-|\n\n| c   |\n| --- |\n"},
        {"off_and_on", "<!-- zentab: off -->\n|a|\n|-|\n<!-- zentab: on -->\n\n|b|\n|-|\n",
         "<!-- zentab: off -->\n|a|\n|-|\n<!-- zentab: on -->\n\n| b   |\n| --- |\n"},
        {"wide_comment", "<!-- zentab: wide -->\n|①|a|\n|-|-|\n",
         "<!-- zentab: wide -->\n| ①  | a   |\n| --- | --- |\n"},
        {"paragraph_before_header", "text\n|a|b|\n|-|-|\n", "text\n| a   | b   |\n| --- | --- |\n"},
        {"no_delimiter_no_table", "|a|b|\n|c|d|\n", "|a|b|\n|c|d|\n"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(formatted(c.input, DocumentKind::Markdown), c.expected) << c.name;
    }
}

// Without padding a cell ending in a backslash would escape the pipe after it.
TEST(MarkdownTables, WithoutPaddingABackslashKeepsItsPipe) {
    DocumentRequest request;
    request.text = "| a\\ | b |\n|-|-|\n| c | d |\n";
    request.padding = 0;
    const DocumentOutcome outcome = format_document(request);
    EXPECT_EQ(outcome.text, "|a\\ |b  |\n|---|---|\n|c  |d  |\n");
    request.text = outcome.text;
    EXPECT_EQ(format_document(request).text, outcome.text);
}

struct LeftCase {
    const char* name;
    std::string input;
    RefusalKind kind;
    int64_t line;
    int64_t column;
};

TEST(MarkdownTables, LeavesWhatItCannotLineUpWithItsPlace) {
    const std::vector<LeftCase> cases = {
        {"cells_past_header", "x\n\n| a | b |\n|---|---|\n| c | d | e |\n",
         RefusalKind::CellsPastHeader, 5, 11},
        {"tab_in_cell", "| a\tb |\n|---|\n", RefusalKind::ControlCharacter, 1, 4},
    };
    for (const LeftCase& c : cases) {
        DocumentRequest request;
        request.text = c.input;
        const DocumentOutcome outcome = format_document(request);
        ASSERT_TRUE(outcome.ok()) << c.name;
        ASSERT_EQ(outcome.tables.size(), 1u) << c.name;
        EXPECT_EQ(outcome.text, c.input) << c.name;
        const Refusal& refusal = outcome.tables[0].refusal;
        EXPECT_EQ(refusal.kind, c.kind) << c.name;
        EXPECT_EQ(refusal.line, c.line) << c.name;
        EXPECT_EQ(refusal.column, c.column) << c.name;
    }
}

TEST(MarkdownTables, RefusesADocumentThatIsNotUtf8) {
    DocumentRequest request;
    request.text = "ok\n| a\xFF |\n|-|\n";
    const DocumentOutcome outcome = format_document(request);
    EXPECT_EQ(outcome.refusal.kind, RefusalKind::InvalidUtf8);
    EXPECT_EQ(outcome.refusal.line, 2);
    EXPECT_EQ(outcome.refusal.column, 4);
}

// Random documents: prose, headings, code, HTML, block quotes and lists, and
// tables of words, CJK, emoji, escapes and inline code, some of them ragged.
class DocumentMaker {
  public:
    explicit DocumentMaker(uint32_t seed) : random_(seed) {}

    std::string document() {
        std::string out;
        const int blocks = 1 + pick(8);
        for (int b = 0; b < blocks; ++b) {
            out += block();
            out += pick(4) == 0 ? "" : "\n";
        }
        return out;
    }

  private:
    int pick(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }

    std::string word() {
        static const std::vector<std::string> kWords = {
            "a",       "pen",    "漢字",  "りんご",  "😀",  "🇯🇵",       "e\xCC\x81",
            "x \\| y", "12",     "`a|b`", "①",       "—",  "**b**",    "<br>",
            "",        "[l](u)", "-",     "mixed字", "ｶﾅ", "👍🏽", "long words here"};
        return kWords[static_cast<size_t>(pick(static_cast<int>(kWords.size())))];
    }

    std::string blanks() { return std::string(static_cast<size_t>(pick(3)), ' '); }

    std::string row(int cells, bool outer) {
        std::string line = outer || pick(3) > 0 ? "|" : "";
        for (int c = 0; c < cells; ++c) {
            line += blanks() + word() + blanks();
            if (c + 1 < cells || outer) {
                line += "|";
            }
        }
        return line;
    }

    std::string delimiter(int cells) {
        static const std::vector<std::string> kCells = {"-", "---", ":-", "-:", ":--:", " --- "};
        std::string line = "|";
        for (int c = 0; c < cells; ++c) {
            line += kCells[static_cast<size_t>(pick(static_cast<int>(kCells.size())))] + "|";
        }
        return line;
    }

    std::string table(const std::string& prefix) {
        const int cells = 1 + pick(4);
        std::string out = prefix + row(cells, true) + "\n" + prefix + delimiter(cells) + "\n";
        const int rows = pick(5);
        for (int r = 0; r < rows; ++r) {
            const int count = pick(6) == 0 ? std::max(1, cells - 1 + pick(3)) : cells;
            out += prefix + row(count, pick(2) == 0) + "\n";
        }
        if (pick(3) == 0) {
            out += edge_line(prefix);
        }
        return out;
    }

    // A line after a table that may or may not go on with it.
    std::string edge_line(const std::string& prefix) {
        static const std::vector<std::string> kLines = {"|",
                                                        "| |",
                                                        "- a | b",
                                                        "1. x|y",
                                                        "2) x",
                                                        "***",
                                                        "---",
                                                        "# h | x",
                                                        "> q | r",
                                                        "    |a|b|",
                                                        "\t|a|",
                                                        "plain words",
                                                        "<div>",
                                                        "<!-- zentab: wide -->",
                                                        "```",
                                                        "a|b|c|d|e",
                                                        "  | indented |",
                                                        "=== | ==="};
        const std::string& line =
            kLines[static_cast<size_t>(pick(static_cast<int>(kLines.size())))];
        return (pick(4) == 0 ? std::string() : prefix) + line + "\n";
    }

    std::string block() {
        switch (pick(14)) {
            case 11:
                return "> > " + row(2, true) + "\n> > |-|-|\n> " + row(2, false) + "\n";
            case 12:
                return "1. " + row(2, true) + "\n   |--|--|\n" + row(2, true) + "\n";
            case 13:
                return "* a\n\t|x|y|\n\t|-|-|\n";
            case 0:
                return "Some prose, with | a pipe.\n";
            case 1:
                return "# Heading " + word() + "\n";
            case 2:
                return "```\n" + table("") + "```\n";
            case 3:
                return "<div>\n" + table("") + "</div>\n";
            case 4:
                return table("> ");
            case 5:
                return "- item\n\n" + table("  ");
            case 6:
                return "    " + row(2, true) + "\n";
            case 7:
                return "<!-- zentab: ignore -->\n" + table("");
            case 8:
                return "text line\n" + table("");
            default:
                return table("");
        }
    }

    std::mt19937 random_;
};

std::string cmark_html(const std::string& markdown, bool sourcepos) {
    std::vector<std::string> argv = {"cmark-gfm", "-e", "table"};
    if (sourcepos) {
        argv.push_back("--sourcepos");
    }
    return document_testing::run_program(argv, markdown).out;
}

// The last lines of the tables cmark-gfm renders, from its source positions:
// a table's first line is that of the paragraph its header ended.
std::vector<int64_t> cmark_table_lines(const std::string& markdown) {
    const std::string html = cmark_html(markdown, true);
    static const std::regex kTable("<table data-sourcepos=\"[0-9]+:[0-9]+-([0-9]+):");
    std::vector<int64_t> lines;
    for (std::sregex_iterator it(html.begin(), html.end(), kTable), end; it != end; ++it) {
        lines.push_back(std::stoll((*it)[1]));
    }
    return lines;
}

TEST(MarkdownTables, FindsTheTablesGitHubRendersAndRendersThemTheSame) {
    if (!document_testing::have_program("cmark-gfm")) {
        GTEST_SKIP() << "cmark-gfm is not installed";
    }
    const uint32_t seeds = std::getenv("ZENTAB_SEEDS")
                               ? static_cast<uint32_t>(std::atoi(std::getenv("ZENTAB_SEEDS")))
                               : 150;
    for (uint32_t seed = 1; seed <= seeds; ++seed) {
        const std::string input = DocumentMaker(seed).document();
        const WidthModel model = seed % 2 == 0 ? WidthModel::Narrow : WidthModel::Wide;
        DocumentRequest request;
        request.text = input;
        request.widthModel = model;
        const DocumentOutcome outcome = format_document(request);
        ASSERT_TRUE(outcome.ok());
        // Tables behind an ignore comment are left out of the outcome.
        std::set<int64_t> found;
        for (const DocumentTable& table : outcome.tables) {
            found.insert(table.line + static_cast<int64_t>(table.lines.size()) - 1);
        }
        for (int64_t line : cmark_table_lines(input)) {
            const bool ignored = input.find("<!-- zentab: ignore -->") != std::string::npos;
            if (!ignored) {
                EXPECT_TRUE(found.count(line) == 1) << "seed " << seed << " line " << line << "\n"
                                                    << input;
            }
        }
        EXPECT_LE(found.size(), cmark_table_lines(input).size()) << "seed " << seed;
        EXPECT_EQ(cmark_html(outcome.text, false), cmark_html(input, false))
            << "seed " << seed << "\n"
            << input << "\n----\n"
            << outcome.text;
        EXPECT_EQ(formatted(outcome.text, DocumentKind::Markdown, model), outcome.text)
            << "seed " << seed;
    }
}

// In every table lined up, each row's pipes stand in the same display
// columns as the header's.
TEST(MarkdownTables, PipesStandInTheSameColumnsOnEveryRow) {
    for (uint32_t seed = 1; seed <= 500; ++seed) {
        const std::string input = DocumentMaker(seed).document();
        if (input.find("zentab: wide") != std::string::npos) {
            continue;  // its tables after the comment are measured in the other model
        }
        const WidthModel model = seed % 2 == 0 ? WidthModel::Narrow : WidthModel::Wide;
        DocumentRequest request;
        request.text = input;
        request.widthModel = model;
        const DocumentOutcome outcome = format_document(request);
        DocumentRequest again = request;
        again.text = outcome.text;
        for (const DocumentTable& table : plan_document(again).tables) {
            if (table.refusal.kind != RefusalKind::None) {
                continue;
            }
            std::vector<int64_t> headerPipes;
            for (const TableLine& line : table.lines) {
                const std::string_view row =
                    std::string_view(outcome.text).substr(line.start, line.end - line.start);
                std::vector<int64_t> pipes;
                for (size_t at = 0; at < row.size(); ++at) {
                    if (row[at] == '\\' && at + 1 < row.size() && row[at + 1] == '|') {
                        ++at;
                    } else if (row[at] == '|') {
                        pipes.push_back(display_width(row.substr(0, at), model));
                    }
                }
                if (headerPipes.empty()) {
                    headerPipes = pipes;
                }
                EXPECT_EQ(pipes, headerPipes) << "seed " << seed << ": " << row;
            }
        }
    }
}

}  // namespace
