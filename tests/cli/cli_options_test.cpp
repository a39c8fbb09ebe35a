// The layout options as the command parses them, and as they reach the
// library's request; bad values refused with the option named.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/frame_job.h"
#include "cli/options.h"
#include "options_state.h"

namespace {

struct ParseCase {
    const char* name;
    std::vector<std::string> args;
    void (*expect)(CliOptions&);
    const char* ambiguousVariable = nullptr;
};

std::string letters_of(const std::vector<ColumnAlign>& align) {
    std::string letters;
    for (ColumnAlign placed : align) {
        letters += ".lrcd"[static_cast<int>(placed)];
    }
    return letters;
}

std::string lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return text;
}

const ParseCase kAccepted[] = {
    {"none_given", {}, [](CliOptions&) {}},
    {"width", {"-w", "80"}, [](CliOptions& o) { o.width = 80; }},
    {"width_attached", {"-w132"}, [](CliOptions& o) { o.width = 132; }},
    {"width_long_equals", {"--width=007"}, [](CliOptions& o) { o.width = 7; }},
    {"width_auto", {"--width", "AUTO"}, [](CliOptions& o) { o.widthAuto = true; }},
    {"width_last_wins_auto", {"-w", "auto", "-w", "40"}, [](CliOptions& o) { o.width = 40; }},
    {"width_last_wins_number",
     {"-w", "40", "--width=auto"},
     [](CliOptions& o) { o.widthAuto = true; }},
    {"one_cell_width", {"--cell-width", "12"}, [](CliOptions& o) { o.cellWidths = {12}; }},
    {"cell_width_list",
     {"--cell-width=5,-,30"},
     [](CliOptions& o) {
         o.cellWidths = {5, 0, 30};
     }},
    {"cell_width_no_limit", {"--cell-width", "-"}, [](CliOptions& o) { o.cellWidths = {0}; }},
    {"truncate",
     {"--overflow", "Truncate"},
     [](CliOptions& o) { o.overflow = Overflow::Truncate; }},
    {"wrap", {"--overflow=wrap"}, [](CliOptions&) {}},
    {"align", {"--align", "lrcd."}, [](CliOptions& o) { o.align = "lrcd."; }},
    {"align_capitals", {"--align=DR"}, [](CliOptions& o) { o.align = "DR"; }},
    {"align_empty", {"--align="}, [](CliOptions&) {}},
    {"padding", {"--padding", "2"}, [](CliOptions& o) { o.padding = 2; }},
    {"padding_zero", {"--padding=0"}, [](CliOptions&) {}},
    {"rules_header", {"--rules", "header"}, [](CliOptions& o) { o.rules = RuleLines::Header; }},
    {"rules_none", {"--rules=NONE"}, [](CliOptions& o) { o.rules = RuleLines::None; }},
    {"rules_all", {"--rules", "all"}, [](CliOptions&) {}},
    {"ambiguous_auto", {"-a", "auto"}, [](CliOptions& o) { o.ambiguousAuto = true; }},
    {"ambiguous_auto_then_wide",
     {"-a", "auto", "-a", "wide"},
     [](CliOptions& o) { o.widthModel = WidthModel::Wide; }},
    {"environment_auto", {}, [](CliOptions& o) { o.ambiguousAuto = true; }, "Auto"},
    {"environment_auto_option_wins", {"-a", "narrow"}, [](CliOptions&) {}, "auto"},
    {"everything",
     {"-w", "60", "--cell-width", "-,20", "--overflow", "truncate", "--align", "ld", "--padding",
      "1", "--rules", "header", "--from", "csv"},
     [](CliOptions& o) {
         o.width = 60;
         o.cellWidths = {0, 20};
         o.overflow = Overflow::Truncate;
         o.align = "ld";
         o.padding = 1;
         o.rules = RuleLines::Header;
         o.from = TableFormat::Csv;
     }},
};

class LayoutOption : public ::testing::TestWithParam<ParseCase> {};

TEST_P(LayoutOption, ReachesTheLibrarysRequest) {
    const ParseCase& c = GetParam();
    const OptionsResult parsed = parse_options(c.args, c.ambiguousVariable);
    ASSERT_EQ(parsed.error, "");
    CliOptions expected;
    c.expect(expected);
    const CliOptions& got = parsed.options;
    EXPECT_EQ(got.width, expected.width);
    EXPECT_EQ(got.widthAuto, expected.widthAuto);
    EXPECT_EQ(got.cellWidths, expected.cellWidths);
    EXPECT_EQ(got.overflow, expected.overflow);
    EXPECT_EQ(got.align, expected.align);
    EXPECT_EQ(got.padding, expected.padding);
    EXPECT_EQ(got.rules, expected.rules);
    EXPECT_EQ(got.ambiguousAuto, expected.ambiguousAuto);
    EXPECT_EQ(got.widthModel, expected.widthModel);

    const LibraryOptions library = library_options(got);
    ASSERT_NE(library, nullptr);
    const FrameRequest& request = library->request;
    EXPECT_EQ(request.width, expected.width);
    EXPECT_EQ(request.cellWidths, expected.cellWidths);
    EXPECT_EQ(request.overflow, expected.overflow);
    EXPECT_EQ(letters_of(request.align), lower(expected.align));
    EXPECT_EQ(request.padding, expected.padding);
    EXPECT_EQ(request.rules, expected.rules);
    EXPECT_EQ(request.widthModel, expected.widthModel);
}

INSTANTIATE_TEST_SUITE_P(Accepted, LayoutOption, ::testing::ValuesIn(kAccepted),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

struct RefusedCase {
    std::vector<std::string> args;
    std::string error;
};

TEST(LayoutOption, BadValuesAreRefusedNamingTheOption) {
    const std::string cellHint =
        "' (use a number of columns, or one a column separated by commas, - for no limit)";
    const RefusedCase cases[] = {
        {{"-w", "0"}, "invalid --width '0' (use a number of columns, or auto)"},
        {{"--width=-3"}, "invalid --width '-3' (use a number of columns, or auto)"},
        {{"-w", "80x"}, "invalid --width '80x' (use a number of columns, or auto)"},
        {{"-w", "1000001"}, "invalid --width '1000001' (use a number of columns, or auto)"},
        {{"-w", "99999999999"}, "invalid --width '99999999999' (use a number of columns, or auto)"},
        {{"-w"}, "option '-w' requires an argument"},
        {{"--cell-width", "0"}, "invalid --cell-width '0" + cellHint},
        {{"--cell-width", "5,,3"}, "invalid --cell-width '5,,3" + cellHint},
        {{"--cell-width", "5,"}, "invalid --cell-width '5," + cellHint},
        {{"--cell-width", ""}, "invalid --cell-width '" + cellHint},
        {{"--cell-width", "--"}, "invalid --cell-width '--" + cellHint},
        {{"--overflow", "cut"}, "invalid --overflow 'cut' (use wrap or truncate)"},
        {{"--align", "lrx"}, "invalid --align 'lrx' (use a letter a column: l, r, c, d or .)"},
        {{"--align", "l,r"}, "invalid --align 'l,r' (use a letter a column: l, r, c, d or .)"},
        {{"--padding", "-1"}, "invalid --padding '-1' (use a number of spaces, 0 to 1000)"},
        {{"--padding", "1001"}, "invalid --padding '1001' (use a number of spaces, 0 to 1000)"},
        {{"--rules", "some"}, "invalid --rules 'some' (use all, header or none)"},
        {{"-a", "automatic"}, "invalid width model 'automatic' (use narrow, wide or auto)"},
        {{"--raw", "-w", "80"},
         "--raw draws the desktop application's frame exactly; it cannot be used with --width"},
        {{"--padding", "1", "--raw", "--rules", "none"},
         "--raw draws the desktop application's frame exactly; it cannot be used with "
         "--padding"},
    };
    for (const RefusedCase& c : cases) {
        EXPECT_EQ(parse_options(c.args).error, c.error) << c.args[0];
    }
}

// The byte-exact path counts bytes: asking the terminal would change nothing.
TEST(LayoutOption, RawTakesAmbiguousAutoAsItTakesAnyWidthModel) {
    const OptionsResult parsed = parse_options({"--raw", "-a", "auto"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_TRUE(parsed.options.raw);
}

}  // namespace
