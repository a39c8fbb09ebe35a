// zentab fmt as users run it: standard input to standard output, files
// checked, diffed and rewritten in place, and the exit statuses of each.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "cli/document_file.h"
#include "cli/fmt_options.h"
#include "cli/unified_diff.h"
#include "cli_case.h"
#include "process_runner.h"

namespace {

const std::string kTry = "Try 'zentab fmt --help' for more information.\n";
const std::string kMisaligned = "| a | b |\n|---|---|\n| 1 | 2222 |\n";
const std::string kAligned = "| a   | b    |\n| --- | ---- |\n| 1   | 2222 |\n";
const std::string kJapanese = "|品名|数量|\n|-|-|\n|りんご|12|\n";
const std::string kJapaneseAligned = "| 品名   | 数量 |\n| ------ | ---- |\n| りんご | 12   |\n";
// Org's rule joins its columns with +, which a Markdown delimiter row cannot.
const std::string kOrg = "|a|b|\n|---+---|\n|xyz|w|\n";
const std::string kOrgAligned = "| a   | b |\n|-----+---|\n| xyz | w |\n";
const std::string kBomCrlf = "\xEF\xBB\xBF| a | b |\r\n|---|---|\r\n| 1 | 2222 |\r\n";
const std::string kBomCrlfAligned =
    "\xEF\xBB\xBF| a   | b    |\r\n| --- | ---- |\r\n| 1   | 2222 |\r\n";

std::string usage(const std::string& message) {
    return "zentab: " + message + "\n" + kTry;
}

class ZentabFmt : public ZentabTool {};

TEST_P(ZentabFmt, WritesExpectedOutputAndExitStatus) {
    const CliCase& c = GetParam();
    std::vector<std::string> args = {"fmt"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    ProcessRun run = run_zentab(args, c.input);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.exitCode, c.exitCode);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    StandardInput, ZentabFmt,
    ::testing::Values(
        CliCase{"lined_up", {}, kMisaligned, kAligned, "", 0},
        CliCase{"dash_is_standard_input", {"-"}, kMisaligned, kAligned, "", 0},
        CliCase{"already_aligned", {}, kAligned, kAligned, "", 0},
        CliCase{"japanese", {}, kJapanese, kJapaneseAligned, "", 0},
        CliCase{"bom_and_crlf_kept", {}, kBomCrlf, kBomCrlfAligned, "", 0},
        CliCase{"no_tables", {}, "text\n", "text\n", "", 0},
        CliCase{"empty", {}, "", "", "", 0},
        CliCase{"padding", {"--padding", "0"}, kMisaligned,
                "|a  |b   |\n|---|----|\n|1  |2222|\n", "", 0},
        CliCase{"org_is_not_markdown", {}, kOrg, kOrg, "", 0},
        CliCase{"org_with_in", {"--in", "org"}, kOrg, kOrgAligned, "", 0},
        CliCase{"in_attached", {"--in=ORG"}, kOrg, kOrgAligned, "", 0},
        CliCase{"check_finds_work", {"--check"}, "text\n\n" + kMisaligned, "",
                "<stdin>:3: table not aligned\n", 1},
        CliCase{"check_aligned", {"--check"}, kAligned, "", "", 0},
        CliCase{"diff", {"--diff"}, kMisaligned,
                "--- <stdin>\n+++ <stdin>\n@@ -1,3 +1,3 @@\n-| a | b |\n-|---|---|\n"
                "-| 1 | 2222 |\n+| a   | b    |\n+| --- | ---- |\n+| 1   | 2222 |\n", "", 0},
        CliCase{"diff_and_check", {"--diff", "--check"}, kAligned + "\n" + "|x|\n|-|\n",
                "--- <stdin>\n+++ <stdin>\n@@ -2,5 +2,5 @@\n | --- | ---- |\n | 1   | 2222 |\n \n"
                "-|x|\n-|-|\n+| x   |\n+| --- |\n",
                "<stdin>:5: table not aligned\n", 1},
        CliCase{"document_not_utf8", {}, "ok\n|\x82\xA0|\n", "",
                "<stdin>:2:2: not UTF-8 (byte 0x82)\n", 1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    BadOptions, ZentabFmt,
    ::testing::Values(
        CliCase{"unknown", {"--frame", "2"}, "", "", usage("unrecognized option '--frame'"), 2},
        CliCase{"bad_kind", {"--in", "html"}, "", "",
                usage("invalid --in 'html' (use markdown, org, rst or text)"), 2},
        CliCase{"kind_missing", {"--in"}, "", "", usage("option '--in' requires an argument"), 2},
        CliCase{"bad_padding", {"--padding=-1"}, "", "",
                usage("invalid --padding '-1' (use a number of spaces, 0 to 1000)"), 2},
        CliCase{"bad_width_model", {"-a", "double"}, "", "",
                usage("invalid width model 'double' (use narrow, wide or auto)"), 2},
        CliCase{"flag_with_value", {"--write=yes", "a.md"}, "", "",
                usage("option '--write' doesn't allow an argument"), 2},
        CliCase{"write_standard_input", {"--write"}, "", "",
                usage("--write rewrites files in place; give a FILE"), 2},
        CliCase{"write_and_check", {"--write", "--check", "a.md"}, "", "",
                usage("--check changes nothing; it cannot be used with --write"), 2},
        CliCase{"dash_among_files", {"a.md", "-"}, "", "",
                usage("standard input (-) cannot be formatted with other files"), 2}),
    [](const auto& testCase) { return std::string(testCase.param.name); });
// clang-format on

TEST(ZentabFmtHelp, ShowsTheUsageAndAnExampleThatHolds) {
    ProcessRun run = run_zentab({"fmt", "--help"}, "");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("Usage: zentab fmt [OPTION]... [FILE]...\n", 0), 0U);
    // The help's example is what the command prints.
    EXPECT_NE(run.out.find("  | 品名   | 数量 |\n  | ------ | ---- |\n  | りんご | 12   |\n"),
              std::string::npos);
    EXPECT_NE(run_zentab({"--help"}, "").out.find("zentab fmt"), std::string::npos);
}

TEST(ZentabFmtTables, ATableLeftAsItIsIsNamedAndTheRestIsFormatted) {
    const std::string document = "| x |\n|---|\n| 1 | 2 |\n\n" + kMisaligned;
    ProcessRun run = run_zentab({"fmt"}, document);
    EXPECT_EQ(run.out, "| x |\n|---|\n| 1 | 2 |\n\n" + kAligned);
    EXPECT_EQ(run.err.rfind("<stdin>:3:", 0), 0U) << run.err;
    EXPECT_NE(run.err.find(": table left as it is: "), std::string::npos) << run.err;
    EXPECT_EQ(run.exitCode, 1);
}

TEST(ZentabFmtOptions, TheEnvironmentGivesTheWidthModelTheCommandLineLeavesOpen) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* variable;
        WidthModel model;
        bool ambiguousAuto;
        std::string error;
    };
    const Case cases[] = {
        {"unset", {}, nullptr, WidthModel::Narrow, false, ""},
        {"wide", {}, "wide", WidthModel::Wide, false, ""},
        {"auto", {}, "AUTO", WidthModel::Narrow, true, ""},
        {"option_wins", {"-anarrow"}, "wide", WidthModel::Narrow, false, ""},
        {"option_wins_over_a_bad_value",
         {"--ambiguous=wide"},
         "double",
         WidthModel::Wide,
         false,
         ""},
        {"bad_value",
         {},
         "double",
         WidthModel::Narrow,
         false,
         "ZENTAB_AMBIGUOUS: invalid width model 'double' (use narrow, wide or auto)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FmtOptionsResult parsed = parse_fmt_options(c.args, c.variable);
        EXPECT_EQ(parsed.error, c.error);
        if (c.error.empty()) {
            EXPECT_EQ(parsed.options.widthModel, c.model);
            EXPECT_EQ(parsed.options.ambiguousAuto, c.ambiguousAuto);
        }
    }
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct stat state_of(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info;
}

// A folder of documents, removed with them.
class DocumentFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/zentab-fmt-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir_ = name;
    }
    void TearDown() override {
        const std::string command = "chmod -R u+rwx '" + dir_ + "' && rm -rf '" + dir_ + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

    std::string put(const std::string& name, const std::string& bytes) {
        const std::string path = dir_ + "/" + name;
        write_file(path, bytes);
        return path;
    }

    // A time long past, so that a rewrite would show.
    static void age(const std::string& path) {
        const timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }

    std::vector<std::string> names() const {
        std::vector<std::string> found;
        const std::string command = "ls -A '" + dir_ + "'";
        FILE* list = popen(command.c_str(), "r");
        char line[512];
        while (list != nullptr && fgets(line, sizeof line, list) != nullptr) {
            found.emplace_back(line);
        }
        if (list != nullptr) {
            pclose(list);
        }
        return found;
    }

    std::string dir_;
};

TEST_F(DocumentFolder, FilesAreLeftAloneUnlessAsked) {
    const std::string path = put("a.md", kMisaligned);
    age(path);
    ProcessRun run = run_zentab({"fmt", path}, "");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(read_file(path), kMisaligned);
    EXPECT_EQ(state_of(path).st_mtim.tv_sec, 1000000000);
}

TEST_F(DocumentFolder, CheckNamesEachTableNotAlignedByItsFirstLine) {
    const std::string a = put("a.md", kAligned + "\ntext\n\n" + kMisaligned + "\n" + kJapanese);
    const std::string b = put("b.markdown", kAligned);
    const std::string c = put("c.MKD", "# c\n" + kMisaligned);
    ProcessRun run = run_zentab({"fmt", "--check", a, b, c}, "");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, a + ":7: table not aligned\n" + a + ":11: table not aligned\n" + c +
                           ":2: table not aligned\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(read_file(a), kAligned + "\ntext\n\n" + kMisaligned + "\n" + kJapanese);
    EXPECT_EQ(run_zentab({"fmt", "--check", b}, "").exitCode, 0);
}

TEST_F(DocumentFolder, TheKindComesFromTheNameOrFromIn) {
    const std::string org = put("notes.org", kOrg);
    const std::string text = put("notes.txt", kOrg);
    EXPECT_EQ(run_zentab({"fmt", "--check", org}, "").err, org + ":1: table not aligned\n");
    EXPECT_EQ(run_zentab({"fmt", "--check", "--in", "org", text}, "").err,
              text + ":1: table not aligned\n");
    const std::string md = put("notes.md", kOrg);
    EXPECT_EQ(run_zentab({"fmt", "--check", md}, "").exitCode, 0);
}

TEST_F(DocumentFolder, WriteRewritesOnlyChangedFilesKeepingModesAndLinks) {
    const std::string changed = put("changed.md", "# Title\n\n" + kMisaligned);
    ASSERT_EQ(chmod(changed.c_str(), 0640), 0);
    const std::string aligned = put("aligned.md", kAligned);
    age(aligned);
    const std::string target = put("target.md", kJapanese);
    ASSERT_EQ(chmod(target.c_str(), 0604), 0);
    const std::string link = dir_ + "/link.md";
    ASSERT_EQ(symlink("target.md", link.c_str()), 0);
    const ino_t alignedInode = state_of(aligned).st_ino;

    ProcessRun run = run_zentab({"fmt", "--write", changed, aligned, link}, "");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(read_file(changed), "# Title\n\n" + kAligned);
    EXPECT_EQ(state_of(changed).st_mode & 07777, 0640U);
    EXPECT_EQ(read_file(aligned), kAligned);
    EXPECT_EQ(state_of(aligned).st_mtim.tv_sec, 1000000000);
    EXPECT_EQ(state_of(aligned).st_ino, alignedInode);
    EXPECT_TRUE(S_ISLNK(state_of(link).st_mode));
    EXPECT_EQ(read_file(target), kJapaneseAligned);
    EXPECT_EQ(state_of(target).st_mode & 07777, 0604U);
    // No temporary file is left behind.
    EXPECT_EQ(names().size(), 4U);
    // Formatted once, nothing more changes.
    EXPECT_EQ(run_zentab({"fmt", "--check", changed, aligned, link}, "").exitCode, 0);
}

TEST_F(DocumentFolder, WriteFormatsTheRestOfADocumentWithATableLeftAsItIs) {
    const std::string left = "| x |\n|---|\n| 1 | 2 |\n\n";
    const std::string path = put("a.md", left + kMisaligned);
    ProcessRun run = run_zentab({"fmt", "--write", path}, "");
    EXPECT_EQ(run.err.rfind(path + ":3:", 0), 0U) << run.err;
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(read_file(path), left + kAligned);
}

TEST_F(DocumentFolder, AFileThatCannotBeReadIsRefusedAndTheOthersGoOn) {
    const std::string missing = dir_ + "/missing.md";
    const std::string folder = dir_ + "/folder.md";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string big = put("big.md", "");
    ASSERT_EQ(truncate(big.c_str(), (off_t{64} << 20) + 1), 0);
    const std::string good = put("good.md", kMisaligned);
    ProcessRun run = run_zentab({"fmt", "--write", missing, folder, big, good}, "");
    EXPECT_EQ(run.err, missing + ": cannot read: No such file or directory\n" + folder +
                           ": cannot read: not a regular file\n" + big +
                           ": the document is 67108865 bytes; the limit is 67108864\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(read_file(good), kAligned);
}

TEST_F(DocumentFolder, AFileWithoutReadPermissionIsRefusedByName) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    const std::string locked = put("locked.md", kMisaligned);
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    const std::string good = put("good.md", kMisaligned);
    ProcessRun run = run_zentab({"fmt", "--write", locked, good}, "");
    EXPECT_EQ(run.err, locked + ": cannot read: Permission denied\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(read_file(good), kAligned);
}

TEST_F(DocumentFolder, AFileChangedWhileBeingFormattedIsLeftAlone) {
    const std::string path = put("a.md", kMisaligned);
    const DocumentFile read = read_document_file(path, 1 << 20);
    ASSERT_EQ(read.error, "");
    struct Edit {
        const char* name;
        std::string bytes;
    };
    // The same size too: only the bytes tell.
    const Edit edits[] = {{"longer", kMisaligned + "more\n"},
                          {"same_size", "| A | B |" + kMisaligned.substr(9)}};
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        write_file(path, edit.bytes);
        EXPECT_EQ(replace_document_file(read, kAligned),
                  "changed while it was being formatted; left as it is");
        EXPECT_EQ(read_file(path), edit.bytes);
        EXPECT_EQ(names().size(), 1U);
    }
    write_file(path, kMisaligned);
    const DocumentFile again = read_document_file(path, 1 << 20);
    EXPECT_EQ(replace_document_file(again, kAligned), "");
    EXPECT_EQ(read_file(path), kAligned);
}

// diff -u's own output for two texts, headed by label alone.
std::string diff_u(const std::string& dir, const std::string& before, const std::string& after,
                   const std::string& label) {
    write_file(dir + "/before", before);
    write_file(dir + "/after", after);
    const std::string command = "diff -u --label '" + label + "' --label '" + label + "' '" + dir +
                                "/before' '" + dir + "/after'";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    size_t got = 0;
    while (pipe != nullptr && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, got);
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    return out;
}

bool have_diff() {
    return std::system("diff --version >/dev/null 2>&1") == 0;
}

// Lines as a formatted document changes them: some lines of some runs
// rewritten in place, others kept, blank and repeated lines among them. A
// rewritten line's text is found on neither side elsewhere, as a table's
// rows seldom are; where it is, diff -u may pair the lines otherwise, and
// the diff printed is as correct but not its twin.
struct EditedText {
    std::string before;
    std::string after;
};

EditedText random_edit(std::mt19937& random) {
    static const char* const kKept[] = {"", "text", "| a | b |", "# Title", "  - item"};
    EditedText text;
    const size_t lines = random() % 30;
    for (size_t i = 0; i < lines; ++i) {
        std::string line =
            random() % 3 == 0 ? kKept[random() % std::size(kKept)] : "line " + std::to_string(i);
        const bool changes = random() % 5 == 0;
        const bool last = i + 1 == lines;
        const std::string end = last && random() % 3 == 0 ? "" : random() % 4 == 0 ? "\r\n" : "\n";
        text.before += (changes ? "|" + line + "|" : line) + end;
        text.after += (changes ? "| " + line + " |" : line) + end;
    }
    return text;
}

TEST_F(DocumentFolder, TheDiffIsDiffUs) {
    if (!have_diff()) {
        GTEST_SKIP() << "diff is not installed";
    }
    std::mt19937 random(1209);
    for (int round = 0; round < 300; ++round) {
        const EditedText text = random_edit(random);
        SCOPED_TRACE(text.before);
        EXPECT_EQ(unified_diff(text.before, text.after, "doc.md"),
                  diff_u(dir_, text.before, text.after, "doc.md"));
    }
}

TEST_F(DocumentFolder, TheDiffOfLinesAddedOrTakenAwayIsDiffUs) {
    if (!have_diff()) {
        GTEST_SKIP() << "diff is not installed";
    }
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"from_nothing", "", "a\nb\n"},
        {"to_nothing", "a\nb\n", ""},
        {"line_added_between", "1\n2\n3\n4\n5\n6\n7\n8\n", "1\n2\n3\n4\nnew\n5\n6\n7\n8\n"},
        {"newline_added_at_end", "1\n2\n3\n4\n5", "1\n2\n3\n4\n5\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(unified_diff(c.before, c.after, "x"), diff_u(dir_, c.before, c.after, "x"));
    }
}

TEST_F(DocumentFolder, DiffPrintsWhatWriteWouldDoAndChangesNothing) {
    if (!have_diff()) {
        GTEST_SKIP() << "diff is not installed";
    }
    const std::string body = "intro\n\n" + kMisaligned + "\n" + std::string(8, '\n') + kJapanese;
    const std::string path = put("doc.md", body);
    const std::string aligned = put("aligned.md", kAligned);
    ProcessRun run = run_zentab({"fmt", "--diff", aligned, path}, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(read_file(path), body);
    const std::string after =
        "intro\n\n" + kAligned + "\n" + std::string(8, '\n') + kJapaneseAligned;
    EXPECT_EQ(run.out, diff_u(dir_, body, after, path));
}

}  // namespace
