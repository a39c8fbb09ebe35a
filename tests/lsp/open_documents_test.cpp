#include "cli/lsp/open_documents.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using lsp::JsonValue;
using lsp::PositionEncoding;

// A simple model of a document: its characters, each one code point's
// UTF-8 bytes, and the units each encoding counts for it.
struct Model {
    std::vector<std::string> chars;

    std::string text() const {
        std::string text;
        for (const std::string& c : chars) {
            text += c;
        }
        return text;
    }

    // The position of the character at index, counting as the protocol does.
    lsp::Position position(size_t index, PositionEncoding encoding) const {
        lsp::Position position;
        for (size_t i = 0; i < index; ++i) {
            const std::string& c = chars[i];
            const bool crBeforeLf = c == "\r" && i + 1 < chars.size() && chars[i + 1] == "\n";
            if (c == "\n" || (c == "\r" && !crBeforeLf)) {
                ++position.line;
                position.character = 0;
            } else if (!crBeforeLf) {
                position.character +=
                    encoding == PositionEncoding::Utf8    ? static_cast<int64_t>(c.size())
                    : encoding == PositionEncoding::Utf16 ? (c.size() == 4 ? 2 : 1)
                                                          : 1;
            }
        }
        return position;
    }
};

JsonValue position_json(lsp::Position position) {
    return JsonValue::object().set("line", position.line).set("character", position.character);
}

// Random edits, made both to the model and through the server's changes, in
// each encoding, leave the same text.
TEST(OpenDocuments, IncrementalChangesMatchAModel) {
    const char* const alphabet[] = {
        "a", "|", " ", "\n", "\r", "\xC3\xA9", "\xE6\xBC\xA2", "\xF0\x9F\x98\x80", "\xCC\x81", "-"};
    std::mt19937_64 random(28);
    for (const PositionEncoding encoding :
         {PositionEncoding::Utf8, PositionEncoding::Utf16, PositionEncoding::Utf32}) {
        lsp::OpenDocuments documents;
        Model model;
        documents.open("file:///m.md", "markdown", 1, "");
        for (int round = 0; round < 600; ++round) {
            // A CR and an LF apart may meet; an edit never splits a CR LF,
            // whose halves stand at one position.
            size_t from = random() % (model.chars.size() + 1);
            size_t to = from + random() % (model.chars.size() - from + 1);
            auto inside_crlf = [&](size_t at) {
                return at > 0 && at < model.chars.size() && model.chars[at - 1] == "\r" &&
                       model.chars[at] == "\n";
            };
            if (inside_crlf(from)) {
                --from;
            }
            if (inside_crlf(to)) {
                ++to;
            }
            std::vector<std::string> inserted;
            for (size_t n = random() % 5; n > 0; --n) {
                inserted.push_back(alphabet[random() % std::size(alphabet)]);
            }
            std::string insertedText;
            for (const std::string& c : inserted) {
                insertedText += c;
            }
            JsonValue range = JsonValue::object()
                                  .set("start", position_json(model.position(from, encoding)))
                                  .set("end", position_json(model.position(to, encoding)));
            JsonValue changes = JsonValue::array().push(
                JsonValue::object().set("range", std::move(range)).set("text", insertedText));
            model.chars.erase(model.chars.begin() + static_cast<std::ptrdiff_t>(from),
                              model.chars.begin() + static_cast<std::ptrdiff_t>(to));
            model.chars.insert(model.chars.begin() + static_cast<std::ptrdiff_t>(from),
                               inserted.begin(), inserted.end());
            ASSERT_TRUE(documents.change("file:///m.md", round + 2, changes, encoding));
            ASSERT_EQ(documents.find("file:///m.md")->text, model.text()) << "round " << round;
        }
    }
}

TEST(OpenDocuments, AFullChangeReplacesTheText) {
    lsp::OpenDocuments documents;
    documents.open("file:///a.org", "", 1, "old\n");
    JsonValue changes = JsonValue::array().push(JsonValue::object().set("text", "new\ntext"));
    ASSERT_TRUE(documents.change("file:///a.org", 2, changes, PositionEncoding::Utf16));
    const lsp::OpenDocument* document = documents.find("file:///a.org");
    EXPECT_EQ(document->text, "new\ntext");
    EXPECT_EQ(document->index.lines(), 2u);
    EXPECT_EQ(document->version, 2);
    JsonValue bad = JsonValue::array().push(JsonValue::object().set("range", 1).set("text", ""));
    EXPECT_FALSE(documents.change("file:///a.org", 3, bad, PositionEncoding::Utf16));
    EXPECT_FALSE(documents.change("file:///closed.md", 1, changes, PositionEncoding::Utf16));
}

TEST(OpenDocuments, KindByLanguageThenByName) {
    const std::tuple<const char*, const char*, DocumentKind> cases[] = {
        {"markdown", "file:///x.txt", DocumentKind::Markdown},
        {"org", "untitled:1", DocumentKind::Org},
        {"restructuredtext", "file:///x", DocumentKind::Rst},
        {"rst", "file:///x", DocumentKind::Rst},
        {"", "file:///notes.mkd", DocumentKind::Markdown},
        {"plaintext", "file:///a/b.rest?x=1", DocumentKind::Rst},
        {"plaintext", "file:///a/b.org#top", DocumentKind::Org},
        {"c", "file:///main.c", DocumentKind::Text},
    };
    for (const auto& [language, uri, kind] : cases) {
        EXPECT_EQ(lsp::kind_of_document(language, uri), kind) << language << " " << uri;
    }
}

}  // namespace
