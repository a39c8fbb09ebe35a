// One table chosen from a document for the table readers, and the document
// outcome's own bookkeeping.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_testing.h"
#include "text/frame_text.h"
#include "text/text_limits.h"

namespace {

struct ChoiceCase {
    const char* name;
    std::string input;
    int32_t table;
    std::string expected;  // as psv
    RefusalKind refusal;
    int64_t line;
};

FrameOutcome as_psv(const std::string& input, int32_t table) {
    FrameRequest request;
    request.text = input;
    request.from = TableFormat::Markdown;
    request.to = TableFormat::Psv;
    request.table = table;
    return frame_text(request);
}

TEST(ChosenTable, MarkdownInputIsOneTableOrATableIsChosen) {
    const std::string readme =
        "# Title\n\nProse.\n\n| a | b |\n|---|---|\n| 1 | 2 |\n\n"
        "- list\n\n  > | x |\n  > |---|\n  > | 漢字 |\n\n```\n|c|d|\n|-|-|\n```\n";
    const std::vector<ChoiceCase> cases = {
        {"one_table", "\n| a | b |\n|---|---|\n| 1 | 2 |\n\n", 0, "a|b\n1|2\n", RefusalKind::None,
         0},
        {"prose_before", "Prose.\n| a |\n|---|\n", 0, "", RefusalKind::TextOutsideTable, 1},
        {"prose_after", "| a |\n|---|\n\nmore\n", 0, "", RefusalKind::TextOutsideTable, 4},
        {"two_tables", "| a |\n|---|\n\n| b |\n|---|\n", 0, "", RefusalKind::TextOutsideTable, 4},
        {"whole_table_quoted", "> | a |\n> |---|\n> | b |\n", 0, "a\nb\n", RefusalKind::None, 0},
        {"first_of_readme", readme, 1, "a|b\n1|2\n", RefusalKind::None, 0},
        {"second_in_quote_in_list", readme, 2, "x\n漢字\n", RefusalKind::None, 0},
        {"code_is_not_a_table", readme, 3, "", RefusalKind::NoSuchTable, 0},
        {"no_table_at_all", "just prose\n", 0, "", RefusalKind::NoDelimiterRow, 2},
    };
    for (const ChoiceCase& c : cases) {
        const FrameOutcome outcome = as_psv(c.input, c.table);
        EXPECT_EQ(outcome.refusal.kind, c.refusal)
            << c.name << ": " << describe_refusal(outcome.refusal);
        EXPECT_EQ(outcome.text, c.expected) << c.name;
        EXPECT_EQ(outcome.refusal.line, c.line) << c.name;
    }
}

// A refusal inside a chosen table points at its place in the document.
TEST(ChosenTable, PlacesInAChosenTableAreThoseOfTheDocument) {
    FrameRequest request;
    request.text = "intro\n\n> | a | b |\n> |---|---|\n> | c |\n";
    request.from = TableFormat::Markdown;
    request.to = TableFormat::Frame;
    request.table = 1;
    const FrameOutcome outcome = frame_text(request);
    EXPECT_EQ(outcome.refusal.kind, RefusalKind::RaggedRow);
    EXPECT_EQ(outcome.refusal.line, 5);
    EXPECT_EQ(outcome.refusal.column, 5);
}

TEST(DocumentOutcome, EditsOnlyTheTablesAndSaysSo) {
    DocumentRequest request;
    request.text =
        "a\n\n| xxx | yyy |\n| --- | --- |\n\n|ok |\n|---|\n\n| 1 | 2 |\n|---|---|\n| 3 | 4 | 5 "
        "|\n";
    const DocumentOutcome outcome = format_document(request);
    ASSERT_TRUE(outcome.ok());
    ASSERT_EQ(outcome.tables.size(), 3u);
    EXPECT_FALSE(outcome.tables[0].changes());
    EXPECT_TRUE(outcome.tables[1].changes());
    EXPECT_EQ(outcome.tables[2].refusal.kind, RefusalKind::CellsPastHeader);
    EXPECT_TRUE(outcome.changed());
    EXPECT_TRUE(outcome.any_table_left());
    EXPECT_EQ(outcome.tables[1].line, 6);
    EXPECT_EQ(table_source(request.text, outcome.tables[1]), "|ok |\n|---|\n");
}

TEST(DocumentOutcome, RefusesADocumentPastTheLimit) {
    const std::string big(static_cast<size_t>(kDocumentLimit) + 1, 'a');
    DocumentRequest request;
    request.text = big;
    EXPECT_EQ(format_document(request).refusal.kind, RefusalKind::InputTooLarge);
}

}  // namespace
