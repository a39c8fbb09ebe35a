#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "document_testing.h"
#include "text/unicode/display_width.h"

namespace {

using document_testing::formatted;

DocumentOutcome planned(std::string_view text, WidthModel model = WidthModel::Narrow) {
    DocumentRequest request;
    request.text = text;
    request.kind = DocumentKind::Rst;
    request.widthModel = model;
    return format_document(request);
}

// A table as its author meant it: rows of cells, each cell a few lines.
struct ModelTable {
    bool header = false;
    std::vector<std::vector<std::vector<std::string>>> rows;  // row, column, line
};

class TableMaker {
  public:
    explicit TableMaker(uint32_t seed) : rng_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // Words that start no markup; CJK ones are two columns in both models.
    std::string text() {
        static const char* const kWords[] = {"a",
                                             "bc",
                                             "cell",
                                             "x1",
                                             "Zeta",
                                             "\xC3\xB1u",
                                             "qz",
                                             "word",
                                             "\xE8\xA1\xA8",
                                             "\xE6\xBC\xA2\xE5\xAD\x97",
                                             "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88",
                                             "\xED\x95\x9C\xEA\xB5\xAD"};
        std::string out = kWords[below(12)];
        for (int n = below(3); n > 0; --n) {
            out += std::string(" ") + kWords[below(12)];
        }
        return out;
    }

    // Grid cells may be empty and hold several lines.
    ModelTable grid() {
        ModelTable table;
        table.header = below(2) == 0;
        const int columns = 1 + below(4);
        for (int r = 1 + below(4); r > 0; --r) {
            const int height = 1 + below(3) / 2;
            table.rows.emplace_back();
            for (int c = 0; c < columns; ++c) {
                table.rows.back().emplace_back();
                for (int l = 0; l < height; ++l) {
                    table.rows.back().back().push_back(below(5) == 0 ? "" : text());
                }
            }
        }
        return table;
    }

    // Simple tables need text in the first column of a row; a second line of
    // a row leaves it empty.
    ModelTable simple() {
        ModelTable table;
        table.header = below(2) == 0;
        const int columns = 2 + below(3);
        for (int r = 1 + below(4); r > 0; --r) {
            table.rows.emplace_back();
            const bool twoLines = r > 1 && below(4) == 0;
            for (int c = 0; c < columns; ++c) {
                table.rows.back().push_back({text()});
                if (twoLines) {
                    table.rows.back().back().push_back(c == 0 ? "" : text());
                }
            }
        }
        if (table.header && table.rows.size() == 1) {
            table.header = false;
        }
        return table;
    }

  private:
    std::mt19937 rng_;
};

int64_t width_of(const std::string& text) {
    return display_width(text, WidthModel::Narrow);
}

std::vector<int64_t> widths_of(const ModelTable& table) {
    std::vector<int64_t> widths(table.rows[0].size(), 1);
    for (const auto& row : table.rows) {
        for (size_t c = 0; c < row.size(); ++c) {
            for (const std::string& line : row[c]) {
                widths[c] = std::max(widths[c], width_of(line));
            }
        }
    }
    return widths;
}

std::string spaces(int64_t n) {
    return std::string(static_cast<size_t>(std::max<int64_t>(n, 0)), ' ');
}

std::string grid_rule(const std::vector<int64_t>& widths, char fill) {
    std::string out = "+";
    for (int64_t width : widths) {
        out += std::string(static_cast<size_t>(width), fill) + "+";
    }
    return out;
}

// Lines of the grid table; every column of width at least widths[c] + 2.
// Unless aligned, rules are as wide as they please and each content line
// pads its cells as it pleases on the right, so the borders drift; a cell
// keeps one left padding on all its lines, as an author keeps it.
std::vector<std::string> grid_lines(const ModelTable& table, std::vector<int64_t> widths,
                                    TableMaker& maker, bool aligned) {
    for (int64_t& width : widths) {
        width += 2 + (aligned ? maker.below(3) : 0);
    }
    auto rule = [&](char fill) {
        std::vector<int64_t> drawn = widths;
        for (int64_t& width : drawn) {
            width = std::max<int64_t>(3, width + (aligned ? 0 : maker.below(4) - 1));
        }
        return grid_rule(drawn, fill);
    };
    std::vector<std::string> lines{rule('-')};
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const auto& row = table.rows[r];
        std::vector<int64_t> left(row.size(), 1);
        for (int64_t& pad : left) {
            pad = aligned ? 1 : maker.below(3);
        }
        for (size_t l = 0; l < row[0].size(); ++l) {
            std::string line = "|";
            for (size_t c = 0; c < row.size(); ++c) {
                const int64_t right = aligned ? widths[c] - 1 - width_of(row[c][l])
                                              : maker.below(4) + (row[c][l].empty() ? 1 : 0);
                line += spaces(left[c]) + row[c][l] + spaces(right) + "|";
            }
            lines.push_back(line);
        }
        lines.push_back(rule(r == 0 && table.header && table.rows.size() > 1 ? '=' : '-'));
    }
    return lines;
}

// Lines of the simple table. Unless aligned, each border's runs start where
// their columns do but are too wide or too narrow, and a line may push its
// later cells to the right, as a cell that grew does.
std::vector<std::string> simple_lines(const ModelTable& table, std::vector<int64_t> widths,
                                      TableMaker& maker, bool aligned) {
    for (int64_t& width : widths) {
        width += aligned ? maker.below(3) : 0;
    }
    auto border = [&]() {
        std::string out;
        for (size_t c = 0; c < widths.size(); ++c) {
            const bool last = c + 1 == widths.size();
            const int64_t run =
                aligned ? widths[c] : 1 + maker.below(static_cast<int>(widths[c] + (last ? 4 : 1)));
            out += std::string(static_cast<size_t>(run), '=');
            if (!last) {
                out += spaces(widths[c] + 2 - run);
            }
        }
        return out;
    };
    std::vector<std::string> lines{border()};
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const auto& row = table.rows[r];
        for (size_t l = 0; l < row[0].size(); ++l) {
            // In a row of two lines a push would read as indentation.
            const bool pushes = !aligned && row[0].size() == 1;
            std::string line;
            int64_t at = 0;
            int64_t shift = 0;
            for (size_t c = 0; c < row.size(); ++c) {
                const int64_t start = (c == 0 ? 0 : at + 2);
                if (pushes && c > 0) {
                    shift += maker.below(3);
                }
                line += spaces(start + shift - width_of(line)) + row[c][l];
                at = start + widths[c];
            }
            while (!line.empty() && line.back() == ' ') {
                line.pop_back();
            }
            lines.push_back(line);
        }
        if (r == 0 && table.header && table.rows.size() > 1) {
            lines.push_back(border());
        }
    }
    lines.push_back(border());
    return lines;
}

void append_block(std::string& doc, const std::vector<std::string>& lines,
                  const std::string& indent) {
    for (const std::string& line : lines) {
        doc += indent + line + "\n";
    }
    doc += "\n";
}

struct TwoDocuments {
    std::string edited;
    std::string intended;
    size_t tables = 0;
};

// A document of a grid table, a simple table under a table directive, a
// literal block holding an edited table and one more table in a block
// quote; the edited document's tables have drifted, the intended one's are
// drawn aligned with room to spare.
TwoDocuments documents_of(TableMaker& maker) {
    TwoDocuments docs;
    const ModelTable grid = maker.grid();
    const ModelTable simple = maker.simple();
    const bool quotedSimple = maker.below(2) == 0;
    const ModelTable quoted = quotedSimple ? maker.simple() : maker.grid();
    const std::vector<std::string> literal = grid_lines(grid, widths_of(grid), maker, false);
    for (int pass = 0; pass < 2; ++pass) {
        const bool aligned = pass == 1;
        std::string& doc = aligned ? docs.intended : docs.edited;
        doc += "Tables\n======\n\nSome text.\n\n";
        append_block(doc, grid_lines(grid, widths_of(grid), maker, aligned), "");
        doc += ".. table:: Caption\n\n";
        append_block(doc, simple_lines(simple, widths_of(simple), maker, aligned), "   ");
        doc += "A literal block::\n\n";
        append_block(doc, literal, "    ");
        doc += "A quote:\n\n";
        append_block(doc,
                     quotedSimple ? simple_lines(quoted, widths_of(quoted), maker, aligned)
                                  : grid_lines(quoted, widths_of(quoted), maker, aligned),
                     "  ");
        doc += "The end.\n";
    }
    docs.tables = 3;
    return docs;
}

// Each document's doctree, column widths left out, or FAIL and docutils'
// first complaint.
constexpr const char* kDoctrees = R"(
import io, re, sys
from docutils.core import publish_doctree
from docutils.utils import SystemMessage
out = []
for doc in sys.stdin.buffer.read().decode('utf-8').split('\x1e')[:-1]:
    try:
        tree = publish_doctree(doc, settings_overrides={
            'report_level': 5, 'halt_level': 2, 'warning_stream': io.StringIO()})
        out.append(re.sub(r' colwidth="\d+"', '', tree.pformat()))
    except SystemMessage as e:
        out.append('FAIL ' + str(e))
sys.stdout.buffer.write('\x1e'.join(out).encode('utf-8') + b'\x1e')
)";

bool have_docutils() {
    return document_testing::have_program("python3") &&
           document_testing::run_program({"python3", "-c", "import docutils"}, "").status == 0;
}

std::vector<std::string> doctrees(const std::vector<std::string>& docs) {
    std::string input;
    for (const std::string& doc : docs) {
        input += doc + "\x1e";
    }
    const document_testing::RunResult run =
        document_testing::run_program({"python3", "-c", kDoctrees}, input);
    EXPECT_EQ(run.status, 0);
    std::vector<std::string> trees;
    size_t at = 0;
    for (size_t end; (end = run.out.find('\x1e', at)) != std::string::npos; at = end + 1) {
        trees.push_back(run.out.substr(at, end - at));
    }
    return trees;
}

// The referee: drifted tables come back as docutils reads the tables they
// were meant to be, warning-free, and a second formatting changes nothing.
TEST(RstReferee, EditedTablesReadAsTheirModels) {
    if (!have_docutils()) {
        GTEST_SKIP() << "python3 with docutils is not installed";
    }
    for (WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
        TableMaker maker(model == WidthModel::Narrow ? 7 : 11);
        std::vector<std::string> docs;
        int changed = 0;
        for (int i = 0; i < 60; ++i) {
            const TwoDocuments two = documents_of(maker);
            const DocumentOutcome outcome = planned(two.edited, model);
            ASSERT_TRUE(outcome.ok());
            ASSERT_EQ(outcome.tables.size(), two.tables) << two.edited;
            for (const DocumentTable& table : outcome.tables) {
                EXPECT_EQ(table.refusal.kind, RefusalKind::None)
                    << describe_refusal(table.refusal) << "\n"
                    << two.edited;
                changed += table.changes() ? 1 : 0;
            }
            EXPECT_EQ(formatted(outcome.text, DocumentKind::Rst, model), outcome.text);
            docs.push_back(outcome.text);
            docs.push_back(two.intended);
        }
        EXPECT_GT(changed, 150);  // the drift is real
        const std::vector<std::string> trees = doctrees(docs);
        ASSERT_EQ(trees.size(), docs.size());
        for (size_t i = 0; i < docs.size(); i += 2) {
            EXPECT_EQ(trees[i].rfind("FAIL", 0), std::string::npos) << trees[i] << "\n" << docs[i];
            EXPECT_EQ(trees[i + 1].rfind("FAIL", 0), std::string::npos) << trees[i + 1] << "\n"
                                                                        << docs[i + 1];
            EXPECT_EQ(trees[i], trees[i + 1]) << docs[i] << "\n" << docs[i + 1];
        }
    }
}

struct Case {
    const char* name;
    const char* text;
    const char* expected;
};

void expect_formatted(const Case& c, WidthModel model = WidthModel::Narrow) {
    const std::string out = formatted(c.text, DocumentKind::Rst, model);
    EXPECT_EQ(out, c.expected) << c.name;
    EXPECT_EQ(formatted(out, DocumentKind::Rst, model), out) << c.name;
}

TEST(RstTables, DriftedTablesAreDrawnAgain) {
    const Case cases[] = {
        {"grid cells grown and shrunk, read by the order of their borders",
         "+---+---+\n| a | b |\n+===+===+\n| ccc | d |\n| e || \n+---+---+\n",
         "+-----+---+\n| a   | b |\n+=====+===+\n| ccc | d |\n| e   |   |\n+-----+---+\n"},
        {"a grid cell's lines keep their indentation under its first",
         "+------+\n| - a  |\n|   bcd  |\n+------+\n",
         "+-------+\n| - a   |\n|   bcd |\n+-------+\n"},
        {"a bar in an aligned grid cell is text",
         "+-----+---+\n| a|b | c |\n| d | e |\n+-----+---+\n",
         "+-----+---+\n| a|b | c |\n| d   | e |\n+-----+---+\n"},
        {"CJK cells are two columns", "+--+--+\n| \xE6\xBC\xA2\xE5\xAD\x97 | a |\n+--+--+\n",
         "+------+---+\n| \xE6\xBC\xA2\xE5\xAD\x97 | a |\n+------+---+\n"},
        {"a one-column grid keeps the top docutils needs", "+--------+\n|  |\n+--------+\n",
         "+---+\n|   |\n+---+\n"},
        {"simple borders too narrow and too wide",
         "==  ========\nabc  d\nee   ffff\n==  ========\n",
         "===  ====\nabc  d\nee   ffff\n===  ====\n"},
        {"a simple cell that grew pushes the rest of its line",
         "=====  =====\nab     cd\nabcdefgh     x\n=====  =====\n",
         "========  ==\nab        cd\nabcdefgh  x\n========  ==\n"},
        {"the last column runs past its border as docutils lets it",
         "===  ===\na    long text here\n===  ===\n",
         "=  ==============\na  long text here\n=  ==============\n"},
        {"a header, a rule of one run a column and a second line of a row",
         "====  ====\nh     head\n====  ====\nx     y\n      more text\n----  ----\nzz    w\n====  "
         "====\n",
         "==  =========\nh   head\n==  =========\nx   y\n    more text\n--  ---------\nzz  w\n==  "
         "=========\n"},
        {"a table under a directive keeps its indentation",
         ".. table:: T\n\n   +-+-+\n   | ab | c |\n   +-+-+\n\n   ==  ==\n   abc  d\n   ==  ==\n",
         ".. table:: T\n\n   +----+---+\n   | ab | c |\n   +----+---+\n\n   ===  =\n   abc  d\n   "
         "===  =\n"},
        {"trailing blanks after a table's lines go", "+---+  \n| a |   \n+---+\n",
         "+---+\n| a |\n+---+\n"},
    };
    for (const Case& c : cases) {
        expect_formatted(c);
    }
}

TEST(RstTables, PaddingIsTheRequests) {
    DocumentRequest request;
    request.kind = DocumentKind::Rst;
    request.text = "+-+-+\n| a | bb |\n+-+-+\n\n==  ==\na  bb\n==  ==\n";
    request.padding = 0;
    EXPECT_EQ(format_document(request).text, "+-+--+\n|a|bb|\n+-+--+\n\n= ==\na bb\n= ==\n");
    request.padding = 2;
    EXPECT_EQ(format_document(request).text,
              "+-----+------+\n|  a  |  bb  |\n+-----+------+\n\n=    ==\na    bb\n=    ==\n");
}

TEST(RstTables, OnlyChangedLinesAreEdited) {
    const std::string text = "Intro\n\n+-----+---+\n| aaa | b |\n| cc | d |\n+-----+---+\n";
    const DocumentOutcome outcome = planned(text);
    ASSERT_EQ(outcome.tables.size(), 1u);
    const DocumentTable& table = outcome.tables[0];
    EXPECT_EQ(table.line, 3);
    ASSERT_EQ(table.lines.size(), 4u);
    ASSERT_EQ(table.edits.size(), 1u);
    EXPECT_EQ(text.substr(table.edits[0].start, table.edits[0].end - table.edits[0].start),
              "| cc | d |");
    EXPECT_EQ(table.edits[0].text, "| cc  | d |");
}

TEST(RstTables, TablesThatCannotBeRedrawnAreLeft) {
    struct Left {
        const char* name;
        const char* text;
        RefusalKind kind;
        int64_t line;
    };
    const Left cases[] = {
        {"grid column span", "+---+---+\n| a | b |\n+---+---+\n| spans   |\n+-------+\n",
         RefusalKind::MergedCells, 4},
        {"grid row span under a short rule",
         "+---+---+\n| a | b |\n+   +---+\n|   | c |\n+---+---+\n", RefusalKind::MergedCells, 3},
        {"grid row span beside a rule", "+---+---+\n| a | b |\n|   +---+\n|   | c |\n+---+---+\n",
         RefusalKind::MergedCells, 3},
        {"simple column span", "=====  =====\na      b\n------------\nspans\n=====  =====\n",
         RefusalKind::MergedCells, 3},
        {"simple header group",
         "=====  =====  ======\n   Inputs     Output\n------------  ------\n  A      B    A or B\n"
         "=====  =====  ======\n",
         RefusalKind::MergedCells, 3},
        {"a TAB", "+---+---+\n| a\tb | c |\n+---+---+\n", RefusalKind::ControlCharacter, 2},
        {"a C1 control", "===  ===\na \xC2\x85  b\n===  ===\n", RefusalKind::ControlCharacter, 2},
        {"a drifted line with a bar in a cell", "+---+---+\n| a|b | c |\n+---+---+\n",
         RefusalKind::RaggedRow, 2},
        {"more simple cells than columns", "===  ===\na  b  c\n===  ===\n", RefusalKind::RaggedRow,
         2},
    };
    for (const Left& c : cases) {
        const DocumentOutcome outcome = planned(c.text);
        ASSERT_EQ(outcome.tables.size(), 1u) << c.name;
        EXPECT_EQ(outcome.text, c.text) << c.name;
        EXPECT_EQ(outcome.tables[0].refusal.kind, c.kind) << c.name;
        EXPECT_EQ(outcome.tables[0].refusal.line, c.line) << c.name;
    }
}

TEST(RstTables, WhatDocutilsDoesNotReadAsATableIsKept) {
    const char* const cases[] = {
        "A literal block::\n\n    +---+\n    | abc |\n    +---+\n\nAfter.\n",
        "::\n\n  ==  ==\n  abc  d\n  ==  ==\n",
        ".. a comment\n   +---+\n   | abc |\n   +---+\n",
        ".. code-block:: rst\n\n   +---+\n   | abc |\n   +---+\n",
        "A paragraph\n+---+\n| abc |\n+---+\n",
        "+---+\n| abc |\nno bottom\n",
        "==  ==\nabc  d\nno bottom border\n",
        "+--+\n| abc |\n+--+\n",
    };
    for (const char* text : cases) {
        const DocumentOutcome outcome = planned(text);
        EXPECT_EQ(outcome.text, text);
        EXPECT_TRUE(outcome.tables.empty()) << text;
    }
}

TEST(RstTables, DirectivesSteerTheFormatter) {
    const Case cases[] = {
        {"ignore leaves the next table",
         ".. zentab: ignore\n\n+---+\n| abc |\n+---+\n\n+---+\n| abc |\n+---+\n",
         ".. zentab: ignore\n\n+---+\n| abc |\n+---+\n\n+-----+\n| abc |\n+-----+\n"},
        {"off and on",
         ".. zentab: off\n\n+---+\n| abc |\n+---+\n\n.. ZENTAB: On\n\n+---+\n| abc |\n+---+\n",
         ".. zentab: off\n\n+---+\n| abc |\n+---+\n\n.. ZENTAB: On\n\n+-----+\n| abc |\n+-----+\n"},
        {"wide then narrow",
         ".. zentab: wide\n\n+-----+\n| \xC2\xB1 |\n+-----+\n\n.. zentab: narrow\n\n+-----+\n| "
         "\xC2\xB1 "
         "|\n+-----+\n",
         ".. zentab: wide\n\n+----+\n| \xC2\xB1 |\n+----+\n\n.. zentab: narrow\n\n+---+\n| "
         "\xC2\xB1 |\n+---+\n"},
    };
    for (const Case& c : cases) {
        expect_formatted(c);
    }
    // A table left by a directive is still found.
    EXPECT_EQ(planned(cases[0].text).tables.size(), 2u);
}

// Any lines of table pieces: nothing breaks, and what is drawn stays drawn.
TEST(RstTables, FormattingTwiceIsAFixedPointForAnyPieces) {
    static const char* const kLines[] = {
        "+---+---+", "+-----+",   "+===+===+", "+   +---+", "| a | bb |", "|\xE6\xBC\xA2| x|",
        "|  - a |",  "| a|b |",   "||",        "====  ===", "==  ==  ==", "a  b",
        "   c  d e", "---  --",   "-------",   "",          "",           ".. zentab: ignore",
        "Text::",    ".. note::", "text",      "  "};
    std::mt19937 rng(5);
    int changed = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        for (int n = std::uniform_int_distribution<int>(1, 16)(rng); n > 0; --n) {
            text += std::uniform_int_distribution<int>(0, 5)(rng) == 0 ? "   " : "";
            text += kLines[std::uniform_int_distribution<int>(0, 21)(rng)];
            text += "\n";
        }
        for (WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
            const std::string once = formatted(text, DocumentKind::Rst, model);
            changed += once != text ? 1 : 0;
            ASSERT_EQ(formatted(once, DocumentKind::Rst, model), once) << text;
        }
    }
    EXPECT_GT(changed, 30);  // some of them are tables
}

}  // namespace
