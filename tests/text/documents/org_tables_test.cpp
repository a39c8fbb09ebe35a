#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "document_testing.h"
#include "text/documents/document_kinds.h"

namespace {

using document_testing::formatted;

struct Case {
    const char* name;
    std::string input;
    std::string expected;
};

TEST(OrgTables, LinesUpEachShape) {
    const Case cases[] = {
        {"rule_and_numbers", "|a|b|\n|-\n|ccc|10|\n", "| a   |  b |\n|-----+----|\n| ccc | 10 |\n"},
        {"open_row_and_short_row", "| a | b\n| c\n", "| a | b |\n| c |   |\n"},
        {"row_of_no_cells", "|\n|a|\n", "|   |\n| a |\n"},
        {"trailing_blanks", "| a |   \n", "| a |\n"},
        {"tblfm_kept", "| 1 |\n| 22 |\n#+TBLFM: $1=2\n", "|  1 |\n| 22 |\n#+TBLFM: $1=2\n"},
        {"indent_kept", "  | a |\n  |bb|\n", "  | a  |\n  | bb |\n"},
        {"indent_of_first_row", "  | a |\n|bb|\n", "  | a  |\n  | bb |\n"},
        {"crlf_kept", "|a|bb|\r\n|-\r\n", "| a | bb |\r\n|---+----|\r\n"},
        {"rules_alone", "|-+-\n", "|---+---|\n"},
        {"partial_rule", "|a|bb|\n|---+--\n", "| a | bb |\n|---+----|\n"},
        {"number_column", "| 1e3 |\n| -3.5 |\n| x |\n", "|  1e3 |\n| -3.5 |\n|    x |\n"},
        {"words_outnumber", "| 1 |\n| x |\n| y |\n", "| 1 |\n| x |\n| y |\n"},
        {"centre_cookie", "|<c>|\n|a|\n|bbbb|\n", "| <c>  |\n|  a   |\n| bbbb |\n"},
        {"upper_cookie_left", "|<R>|\n|1|\n|22|\n", "| <R> |\n| 1   |\n| 22  |\n"},
        {"width_cookie_no_cut", "|<l3>|\n|abcdef|\n", "| <l3>   |\n| abcdef |\n"},
        {"link_shows_description", "| [[https://x.org][ab]] | c |\n| xyz | d |\n",
         "| [[https://x.org][ab]]  | c |\n| xyz | d |\n"},
        {"link_shows_target", "| [[ab]] |\n| xyz |\n", "| [[ab]]  |\n| xyz |\n"},
        {"cjk", "|漢字|a|\n|b|かなかな|\n", "| 漢字 | a        |\n| b    | かなかな |\n"},
        {"ignore", "# zentab: ignore\n|a|\n\n|b|\n", "# zentab: ignore\n|a|\n\n| b |\n"},
        {"off_on", "# zentab: off\n|a|\n# zentab: on\n|b|\n",
         "# zentab: off\n|a|\n# zentab: on\n| b |\n"},
        {"wide", "|±|\n|ab|\n# zentab: wide\n\n|±|\n|ab|\n",
         "| ±  |\n| ab |\n# zentab: wide\n\n| ± |\n| ab |\n"},
        {"src_block", "#+BEGIN_SRC sh\n|a|\n#+end_src\n|b|\n",
         "#+BEGIN_SRC sh\n|a|\n#+end_src\n| b |\n"},
        {"open_example_is_text", "#+begin_example\n|a|\n", "#+begin_example\n| a |\n"},
        {"block_cut_by_headline", "#+begin_src\n|a|\n* h\n#+end_src\n",
         "#+begin_src\n| a |\n* h\n#+end_src\n"},
        {"quote_block_holds_tables", "#+begin_quote\n|a|\n#+end_quote\n",
         "#+begin_quote\n| a |\n#+end_quote\n"},
        {"blocks_one_after_another",
         "#+begin_src\n|a|\n#+end_src\n|b|\n#+begin_src\n|c|\n#+end_src\n",
         "#+begin_src\n|a|\n#+end_src\n| b |\n#+begin_src\n|c|\n#+end_src\n"},
        {"environment_on_one_line", "\\begin{x} \\end{x}\n|a|\n", "\\begin{x} \\end{x}\n| a |\n"},
        {"latex_environment", "\\begin{x}\n|a|\n\\end{x}\n", "\\begin{x}\n|a|\n\\end{x}\n"},
        {"table_el", "+---+\n|a|\n+---+\n\n|b|\n", "+---+\n|a|\n+---+\n\n| b |\n"},
        {"lone_rule_is_text", "+---+\n|a|\n", "+---+\n| a |\n"},
        {"comment_in_table_ends_it", "|a|\n# x\n|bb|\n", "| a |\n# x\n| bb |\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatted(c.input, DocumentKind::Org), c.expected) << c.name;
        EXPECT_EQ(formatted(c.expected, DocumentKind::Org), c.expected) << c.name << " twice";
    }
}

TEST(OrgTables, EditsOnlyLinesThatChange) {
    const std::string text = "x\n| a  |\n|bb|\n";
    const std::vector<DocumentTable> tables = documents::org_tables(text, {});
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].line, 2);
    ASSERT_EQ(tables[0].edits.size(), 1u);
    EXPECT_EQ(
        text.substr(tables[0].edits[0].start, tables[0].edits[0].end - tables[0].edits[0].start),
        "|bb|");
    EXPECT_EQ(tables[0].edits[0].text, "| bb |");
}

TEST(OrgTables, LeavesUnmeasurableTables) {
    const Case cases[] = {
        {"tab", "|a|\n|b\tc|\n", ""},
        {"control", "|a\x01|\n", ""},
        {"malformed", "|a\xff|\n", ""},
    };
    for (const Case& c : cases) {
        const std::vector<DocumentTable> tables = documents::org_tables(c.input, {});
        ASSERT_EQ(tables.size(), 1u) << c.name;
        EXPECT_NE(tables[0].refusal.kind, RefusalKind::None) << c.name;
        EXPECT_TRUE(tables[0].edits.empty()) << c.name;
    }
    // Blanks before the first "|" are indentation, copied as they are.
    EXPECT_EQ(formatted("\t|a|\n", DocumentKind::Org), "\t| a |\n");
}

// Random Org documents: tables of words, numbers, CJK text, links and
// cookies in many shapes, among the text, blocks and formulas around them.

const char* const kWords[] = {"a", "bb", "word", "Zentab", "x-y", "two words", "e\u0301"};
// Ambiguous, but one column in Emacs's Japanese width table: narrow runs only.
const char* const kLatin[] = {"é", "Ä", "ß"};
const char* const kNumbers[] = {"12",   "-3.5", "1e3",   "0x1F", "2.4e-08", ">3.5",
                                "1:30", "NaN",  "16#FF", "+inf", "2.7(10)", "1,5"};
const char* const kWide[] = {"漢字", "かな", "カタカナ", "한국어", "中文テキスト", "😀"};
const char* const kCookies[] = {"<l>", "<c>", "<r>", "<L>", "<r5>", "<10>", "<l3>"};
const char* const kLinks[] = {"[[https://example.org][link]]", "[[target]]", "[[a][漢字]]"};
// East Asian "ambiguous", and two columns in Emacs's Japanese width table.
const char* const kAmbiguous[] = {"±", "α", "─", "°", "Д", "…", "①", "×", "§", "Ω", "→", "☆", "※"};

template <size_t N>
std::string pick(std::mt19937& rng, const char* const (&pool)[N]) {
    return pool[std::uniform_int_distribution<size_t>(0, N - 1)(rng)];
}

bool chance(std::mt19937& rng, int percent) {
    return std::uniform_int_distribution<int>(0, 99)(rng) < percent;
}

std::string random_cell(std::mt19937& rng, WidthModel model) {
    switch (std::uniform_int_distribution<int>(0, 10)(rng)) {
        case 0:
            return "";
        case 1:
        case 2:
            return pick(rng, kWords);
        case 3:
        case 4:
            return pick(rng, kNumbers);
        case 5:
            return pick(rng, kWide);
        case 6:
            return pick(rng, kCookies);
        case 7:
            return pick(rng, kLinks);
        case 8:
            return pick(rng, kAmbiguous);
        case 9:
            return pick(rng, kWords) + pick(rng, kWide);
        default:
            return model == WidthModel::Narrow ? pick(rng, kLatin) : pick(rng, kWords);
    }
}

std::string random_row(std::mt19937& rng, WidthModel model) {
    if (chance(rng, 15)) {
        const char* const kRules[] = {"|-", "|---+--", "|-----|", "|--+--+--|"};
        return pick(rng, kRules);
    }
    const int cells = std::uniform_int_distribution<int>(0, 4)(rng);
    std::string row = "|";
    for (int c = 0; c < cells; ++c) {
        row += chance(rng, 50) ? " " : "";
        row += random_cell(rng, model);
        row += chance(rng, 30) ? "  " : "";
        if (c + 1 < cells || chance(rng, 80)) {
            row += "|";
        }
    }
    return row + (chance(rng, 10) ? "  " : "");
}

std::string random_table(std::mt19937& rng, const std::string& lineEnd, WidthModel model) {
    const char* const kIndents[] = {"", "", "  ", "    ", "\t"};
    const std::string indent = pick(rng, kIndents);
    const int rows = std::uniform_int_distribution<int>(1, 6)(rng);
    std::string table;
    for (int r = 0; r < rows; ++r) {
        table += (r > 0 && chance(rng, 5) ? std::string(" ") : indent) + random_row(rng, model) +
                 lineEnd;
    }
    if (chance(rng, 15)) {
        table += indent + "#+TBLFM: $1=1" + lineEnd;
    }
    return table;
}

std::string random_document(std::mt19937& rng, int tables, const std::string& lineEnd,
                            WidthModel model) {
    const char* const kBetween[] = {"Some text.", "* A headline",    "- an item", ":PROPERTIES:",
                                    ":END:",      "#+NAME: numbers", "",          "+---+"};
    std::string document = "#+TITLE: random tables" + lineEnd;
    for (int t = 0; t < tables; ++t) {
        if (chance(rng, 15)) {
            // Blocks whose contents Org does not parse, one left open.
            const char* const kOpen[] = {"#+BEGIN_SRC text", "#+begin_example", "#+BEGIN_VERSE",
                                         "\\begin{align*}", "#+BEGIN_EXAMPLE"};
            const char* const kClose[] = {"#+END_SRC", "#+end_example", "#+END_VERSE",
                                          "\\end{align*}", "* The example left open"};
            const size_t kind = std::uniform_int_distribution<size_t>(0, 4)(rng);
            document += std::string(kOpen[kind]) + lineEnd + "|a|b|" + lineEnd + "| c" + lineEnd +
                        kClose[kind] + lineEnd;
        }
        document += pick(rng, kBetween) + lineEnd;
        document += random_table(rng, lineEnd, model);
    }
    return document;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Aligns every Org table of out.org as Emacs's org-table-align does and
// prints the cells Org reads from each table of in.org, then of out.org
// before aligning: "T" before a table, "H" a rule, "R" and a TAB before each
// cell a row.
std::string referee_script(const std::string& in, const std::string& out, WidthModel model) {
    std::string script = "(require 'org)\n";
    if (model == WidthModel::Wide) {
        script += "(use-cjk-char-width-table 'ja_JP)\n";
    }
    script += R"((defun zentab-tables (file align)
  (with-current-buffer (find-file-noselect file)
    (goto-char (point-min))
    (while (re-search-forward "^[ \t]*|" nil t)
      (beginning-of-line)
      (if (not (org-at-table-p))
          (forward-line 1)
        (princ "T\n")
        (dolist (row (org-table-to-lisp))
          (if (eq row 'hline)
              (princ "H\n")
            (princ "R")
            (dolist (cell row) (princ "\t") (princ (substring-no-properties cell)))
            (princ "\n")))
        (when align (org-table-align))
        (goto-char (org-table-end))))
    (when align (save-buffer))))
)";
    script += "(zentab-tables \"" + in + "\" nil)\n(princ \"=\\n\")\n";
    script += "(zentab-tables \"" + out + "\" t)\n";
    return script;
}

// The dumped cells of each table, every row as long as the table's longest
// as Org fills it.
std::vector<std::vector<std::vector<std::string>>> tables_of_dump(const std::string& dump) {
    std::vector<std::vector<std::vector<std::string>>> tables;
    std::istringstream lines(dump);
    std::string line;
    while (std::getline(lines, line)) {
        if (line == "T") {
            tables.emplace_back();
        } else if (!tables.empty() && (line == "H" || line.rfind("R", 0) == 0)) {
            std::vector<std::string> row;
            if (line == "H") {
                row.push_back("<rule>");
            }
            for (size_t at = line.find('\t'); at != std::string::npos;) {
                const size_t next = line.find('\t', at + 1);
                row.push_back(
                    line.substr(at + 1, next == std::string::npos ? next : next - at - 1));
                at = next;
            }
            tables.back().push_back(row);
        }
    }
    for (auto& table : tables) {
        size_t widest = 1;  // a row of no cells holds one empty cell
        for (const auto& row : table) {
            widest = row.size() > 0 && row[0] == "<rule>" ? widest : std::max(widest, row.size());
        }
        for (auto& row : table) {
            if (row.empty() || row[0] != "<rule>") {
                row.resize(widest);
            }
        }
    }
    return tables;
}

size_t first_difference(const std::string& a, const std::string& b) {
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) {
        ++at;
    }
    return at;
}

// A directory for the referee's files, removed with them.
struct TempDir {
    std::string path;
    TempDir() {
        char name[] = "/tmp/zentab-org-XXXXXX";
        path = mkdtemp(name) != nullptr ? name : "";
    }
    ~TempDir() {
        for (const char* file : {"/in.org", "/out.org", "/align.el"}) {
            std::remove((path + file).c_str());
        }
        rmdir(path.c_str());
    }
};

// A table line's cells split at every "|" and trimmed, as a reader who knows
// nothing of widths splits them; rules as one cell "<rule>".
std::vector<std::string> simple_cells(std::string_view line) {
    const size_t pipe = line.find('|');
    if (line.substr(pipe, 2) == "|-") {
        return {"<rule>"};
    }
    std::vector<std::string> cells;
    for (size_t at = pipe + 1; at <= line.size();) {
        size_t bar = std::min(line.find('|', at), line.size());
        std::string_view cell = line.substr(at, bar - at);
        while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) {
            cell.remove_prefix(1);
        }
        while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) {
            cell.remove_suffix(1);
        }
        cells.emplace_back(cell);
        at = bar + 1;
    }
    while (!cells.empty() && cells.back().empty()) {
        cells.pop_back();  // what follows the last "|", and empty cells Org fills in
    }
    return cells;
}

std::vector<std::string> lines_from(const std::string& text, int64_t first, size_t count) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    std::string line;
    for (int64_t number = 1; std::getline(in, line) && lines.size() < count; ++number) {
        if (number >= first) {
            lines.push_back(line.substr(0, line.find('\r')));
        }
    }
    return lines;
}

TEST(OrgTables, KeepsCellsAndIsAFixedPoint) {
    for (uint32_t seed = 100; seed < 300; ++seed) {
        std::mt19937 rng(seed);
        const WidthModel model = seed % 2 == 0 ? WidthModel::Narrow : WidthModel::Wide;
        const std::string input = random_document(rng, 8, seed % 3 == 0 ? "\r\n" : "\n", model);
        DocumentRequest request;
        request.text = input;
        request.kind = DocumentKind::Org;
        request.widthModel = model;
        const DocumentOutcome outcome = format_document(request);
        ASSERT_TRUE(outcome.ok());
        EXPECT_EQ(formatted(outcome.text, DocumentKind::Org, model), outcome.text)
            << "seed " << seed;
        for (const DocumentTable& table : outcome.tables) {
            const auto was = lines_from(input, table.line, table.lines.size());
            const auto is = lines_from(outcome.text, table.line, table.lines.size());
            ASSERT_EQ(was.size(), is.size()) << "seed " << seed;
            for (size_t i = 0; i < was.size(); ++i) {
                EXPECT_EQ(simple_cells(was[i]), simple_cells(is[i])) << "seed " << seed << "\n"
                                                                     << was[i] << "\n"
                                                                     << is[i];
            }
        }
    }
}

struct RefereeRun {
    uint32_t seed;
    int tables;
    const char* lineEnd;
    WidthModel model;
};

TEST(OrgTables, EmacsAlignsNothingFurther) {
    if (!document_testing::have_program("emacs")) {
        GTEST_SKIP() << "emacs is not installed";
    }
    // Few runs of many tables each: Emacs is slow to start.
    const RefereeRun runs[] = {{1, 150, "\n", WidthModel::Narrow},
                               {2, 60, "\r\n", WidthModel::Narrow},
                               {3, 100, "\n", WidthModel::Wide}};
    const TempDir dir;
    ASSERT_FALSE(dir.path.empty());
    const std::string in = dir.path + "/in.org";
    const std::string out = dir.path + "/out.org";
    const std::string script = dir.path + "/align.el";
    for (const RefereeRun& run : runs) {
        std::mt19937 rng(run.seed);
        const std::string input = random_document(rng, run.tables, run.lineEnd, run.model);
        DocumentRequest request;
        request.text = input;
        request.kind = DocumentKind::Org;
        request.widthModel = run.model;
        const DocumentOutcome outcome = format_document(request);
        ASSERT_TRUE(outcome.ok());
        EXPECT_EQ(formatted(outcome.text, DocumentKind::Org, run.model), outcome.text)
            << "seed " << run.seed << ": formatting twice changes it";
        write_file(in, input);
        write_file(out, outcome.text);
        write_file(script, referee_script(in, out, run.model));
        const document_testing::RunResult result = document_testing::run_program(
            {"env", "LANG=C.UTF-8", "LC_ALL=C.UTF-8", "emacs", "--batch", "-Q", "-l", script}, "");
        ASSERT_EQ(result.status, 0) << "seed " << run.seed;
        const size_t split = result.out.find("=\n");
        ASSERT_NE(split, std::string::npos) << result.out;
        const auto before = tables_of_dump(result.out.substr(0, split));
        const auto after = tables_of_dump(result.out.substr(split + 2));
        for (size_t t = 0; t < before.size() && t < after.size(); ++t) {
            EXPECT_EQ(before[t], after[t])
                << "seed " << run.seed << ": Org reads other cells in table " << t;
        }
        EXPECT_EQ(before.size(), after.size()) << "seed " << run.seed;
        EXPECT_EQ(before.size(), outcome.tables.size()) << "seed " << run.seed;
        const std::string aligned = read_file(out);
        const size_t at = first_difference(aligned, outcome.text);
        const size_t from = outcome.text.rfind('\n', std::min(at, outcome.text.size()) - 1);
        EXPECT_EQ(aligned, outcome.text)
            << "seed " << run.seed << ": Emacs realigns near\n"
            << outcome.text.substr(from == std::string::npos ? 0 : from, 200) << "\n-- Emacs:\n"
            << aligned.substr(from == std::string::npos ? 0 : from, 200);
    }
}

}  // namespace
