// The C interface's documents against the text layer's format_document, over
// random documents of each kind, and the requests it refuses.
#include <gtest/gtest.h>
#include <zentab.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "text/documents/document.h"

namespace {

using DocumentHandle = std::unique_ptr<zentab_document, decltype(&zentab_document_free)>;

DocumentHandle formatted(const std::string& text, int kind, int width, int padding) {
    return DocumentHandle(
        zentab_format_document(text.data(), text.size(), static_cast<zentab_document_kind>(kind),
                               static_cast<zentab_width>(width), padding),
        &zentab_document_free);
}

std::string without_place(Refusal refusal) {
    if (refusal.kind == RefusalKind::None) {
        return "";
    }
    refusal.line = 0;
    return describe_refusal(refusal);
}

// Tables misaligned, tables with a cell past the header's, tables in block
// quotes and Org tables, text between them, and bytes that are not UTF-8 now
// and then.
std::string random_document(std::mt19937& random) {
    static const char* const kPieces[] = {
        "| a | b |\n|---|---|\n| 1 | 2222 |\n",
        "|名前|値|\n|-|-|\n|りんご|①|\n",
        "| x |\n|---|\n| 1 | 2 |\n",
        "> | q | r |\n> |--|--|\n> | long cell | s |\n",
        "|a|b|\n|---+---|\n|1|2|\n",
        "Some text, a | in it.\n",
        "\n",
        "```\n| not | a table |\n```\n",
        "<!-- zentab: ignore -->\n",
        "+--+--+\n|a |b |\n+--+--+\n",
        "\r\n",
        "\xEF\xBB\xBF",
        "\x82\xA0\n",
    };
    std::string text;
    for (size_t i = random() % 8; i > 0; --i) {
        const size_t piece = random() % std::size(kPieces);
        // The byte order mark only leads; the bad byte only seldom.
        if ((piece == 11 && !text.empty()) || (piece == 12 && random() % 4 != 0)) {
            continue;
        }
        text += kPieces[piece];
    }
    return text;
}

TEST(CDocuments, GiveWhatTheTextLayerGives) {
    std::mt19937 random(20261209);
    for (int round = 0; round < 400; ++round) {
        const std::string text = random_document(random);
        const int kind = static_cast<int>(random() % 4);
        const int width = static_cast<int>(random() % 2);
        const int padding = static_cast<int>(random() % 4) - 1;
        SCOPED_TRACE(text + " kind " + std::to_string(kind) + " padding " +
                     std::to_string(padding));
        DocumentRequest request;
        request.text = text;
        request.kind = static_cast<DocumentKind>(kind);
        request.widthModel = static_cast<WidthModel>(width);
        request.padding = padding;
        const DocumentOutcome expected = format_document(request);
        const DocumentHandle document = formatted(text, kind, width, padding);
        const zentab_document* got = document.get();

        EXPECT_EQ(zentab_document_ok(got) != 0, expected.ok());
        EXPECT_EQ(static_cast<int>(zentab_document_refusal(got)),
                  static_cast<int>(expected.refusal.kind));
        EXPECT_EQ(zentab_document_line(got), expected.refusal.line);
        EXPECT_EQ(zentab_document_column(got), expected.refusal.column);
        EXPECT_EQ(zentab_document_message(got), without_place(expected.refusal));
        EXPECT_EQ(std::string(zentab_document_data(got), zentab_document_size(got)), expected.text);
        EXPECT_EQ(zentab_document_changed(got) != 0, expected.changed());
        ASSERT_EQ(zentab_document_tables(got), expected.tables.size());
        for (size_t i = 0; i < expected.tables.size(); ++i) {
            const DocumentTable& table = expected.tables[i];
            EXPECT_EQ(zentab_document_table_line(got, i), table.line);
            EXPECT_EQ(zentab_document_table_changes(got, i) != 0, table.changes());
            EXPECT_EQ(static_cast<int>(zentab_document_table_refusal(got, i)),
                      static_cast<int>(table.refusal.kind));
            EXPECT_EQ(zentab_document_table_refusal_line(got, i), table.refusal.line);
            EXPECT_EQ(zentab_document_table_refusal_column(got, i), table.refusal.column);
            EXPECT_EQ(zentab_document_table_message(got, i), without_place(table.refusal));
        }
        const size_t past = expected.tables.size();
        EXPECT_EQ(zentab_document_table_line(got, past), 0);
        EXPECT_EQ(zentab_document_table_changes(got, past), 0);
        EXPECT_EQ(zentab_document_table_refusal(got, past), ZENTAB_REFUSAL_NONE);
        EXPECT_STREQ(zentab_document_table_message(got, past), "");
    }
}

TEST(CDocuments, RefuseWhatTheyCannotAsk) {
    struct Case {
        const char* name;
        int kind;
        int width;
        int padding;
        const char* message;
    };
    const Case cases[] = {
        {"kind_past_text", 4, 0, -1, "no such kind of document (4)"},
        {"negative_kind", -1, 0, -1, "no such kind of document (-1)"},
        {"width_past_wide", 0, 2, -1, "no such width model (2)"},
        {"padding_below_the_kinds_own", 0, 0, -2,
         "padding cannot be below -1, the kind's own (-2)"},
    };
    const std::string text = "| a | b |\n|---|---|\n| 1 | 2222 |\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DocumentHandle document = formatted(text, c.kind, c.width, c.padding);
        EXPECT_EQ(zentab_document_ok(document.get()), 0);
        EXPECT_EQ(zentab_document_refusal(document.get()), ZENTAB_REFUSAL_BAD_LAYOUT);
        EXPECT_STREQ(zentab_document_message(document.get()), c.message);
        EXPECT_EQ(zentab_document_size(document.get()), 0U);
        EXPECT_EQ(zentab_document_tables(document.get()), 0U);
    }
}

TEST(CDocuments, ANullDocumentIsRefusedForLackOfMemory) {
    EXPECT_EQ(zentab_document_ok(nullptr), 0);
    EXPECT_EQ(zentab_document_refusal(nullptr), ZENTAB_REFUSAL_OUT_OF_MEMORY);
    EXPECT_STREQ(zentab_document_message(nullptr), "out of memory");
    EXPECT_STREQ(zentab_document_data(nullptr), "");
    EXPECT_EQ(zentab_document_tables(nullptr), 0U);
    zentab_document_free(nullptr);
}

TEST(CDocuments, AnEmptyDocumentHasNoTables) {
    const DocumentHandle document(
        zentab_format_document(nullptr, 0, ZENTAB_DOCUMENT_MARKDOWN, ZENTAB_WIDTH_NARROW, -1),
        &zentab_document_free);
    EXPECT_NE(zentab_document_ok(document.get()), 0);
    EXPECT_EQ(zentab_document_size(document.get()), 0U);
    EXPECT_EQ(zentab_document_tables(document.get()), 0U);
    EXPECT_EQ(zentab_document_changed(document.get()), 0);
}

}  // namespace
