// Titles and footers: random tables and titles drawn in every style, width
// model, encoding, rule choice and padding read back as the table they were,
// with the title and footer recovered; and the formats that hold captions.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "text/cp932_codec.h"
#include "text/formats/table.h"
#include "text/formats/table_formats.h"
#include "text/frame_text.h"

namespace {

// Words of every width class: ASCII, CJK, emoji (a ZWJ sequence too) and
// combining marks; code page 932 gets only what it holds.
const std::vector<std::string> kUnicodeWords = {
    "a",
    "Total",
    "x1",
    "\xE6\xBC\xA2\xE5\xAD\x97",                      // 漢字
    "\xF0\x9F\x98\x80",                              // 😀
    "\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB",  // 👩‍💻
    "e\xCC\x81t\xC3\xA9",                            // a combining mark
    "\xE3\x81\x8B\xE3\x81\xAA",                      // かな
    "\xCE\xB1\xCE\xB2"};                             // αβ, ambiguous width
const std::vector<std::string> kCp932Words = {"a",
                                              "Total",
                                              "x1",
                                              "\xE6\xBC\xA2\xE5\xAD\x97",
                                              "\xE3\x81\x8B\xE3\x81\xAA",
                                              "\xEF\xBD\xB1\xEF\xBD\xB2"};  // ｱｲ, half-width kana

std::string words(std::mt19937& random, const std::vector<std::string>& pool, int most) {
    std::string text;
    const int count = 1 + static_cast<int>(random() % static_cast<unsigned>(most));
    for (int i = 0; i < count; ++i) {
        text += (i == 0 ? "" : " ") + pool[random() % pool.size()];
    }
    return text;
}

struct Case {
    std::string psv;  // UTF-8; encoded for code page 932 cases
    std::string title;
    std::string footer;
};

Case random_case(std::mt19937& random, const std::vector<std::string>& pool) {
    Case made;
    const int columns = 2 + static_cast<int>(random() % 3);
    const int rows = 1 + static_cast<int>(random() % 4);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            made.psv += (c == 0 ? "" : "|") + words(random, pool, 2);
        }
        made.psv += "\n";
    }
    if (random() % 4 != 0) {
        made.title = words(random, pool, 12);  // often wider than the table
        if (random() % 4 == 0) {
            made.title += "\n" + words(random, pool, 3);
        }
    }
    if (made.title.empty() || random() % 2 == 0) {
        made.footer = words(random, pool, 6);
    }
    return made;
}

std::string without_blanks(const std::string& text) {
    std::string ink;
    for (char c : text) {
        if (c != ' ' && c != '\n') {
            ink += c;
        }
    }
    return ink;
}

// What the frame shows of a title: every character, in order; lines break
// where it wraps, so a title that fits comes back exactly.
void expect_recovered(const std::string& given, const std::string& read, bool wrapped) {
    if (wrapped) {
        EXPECT_EQ(without_blanks(read), without_blanks(given));
    } else {
        EXPECT_EQ(read, given);
    }
}

bool widest_line_fits(const std::string& frame, const std::string& title) {
    return frame.find(title.substr(0, title.find('\n'))) != std::string::npos;
}

TEST(TitleRows, FramesReadBackAsTheTableWithTitleAndFooterRecovered) {
    std::mt19937 random(33);
    for (int i = 0; i < 1500; ++i) {
        const bool cp932 = i % 5 == 4;
        Case made = random_case(random, cp932 ? kCp932Words : kUnicodeWords);
        const TextEncoding encoding = cp932 ? TextEncoding::Cp932 : TextEncoding::Utf8;
        auto encoded = [&](const std::string& text) {
            return cp932 ? cp932_encode_utf8(text).bytes : text;
        };
        const std::string psv = encoded(made.psv);
        const std::string title = encoded(made.title);
        const std::string footer = encoded(made.footer);
        FrameRequest request;
        request.text = psv;
        request.encoding = encoding;
        request.frameType = 1 + static_cast<int32_t>(random() % 6);
        request.widthModel = random() % 2 == 0 ? WidthModel::Narrow : WidthModel::Wide;
        request.fit.rules = static_cast<RuleLines>(random() % 3);
        request.fit.padding = static_cast<int32_t>(random() % 3);
        request.titles.title = title;
        request.titles.footer = footer;
        request.titles.align = static_cast<TitleAlign>(random() % 3);
        const bool head = random() % 4 == 0;
        if (head) {
            request.shape.head = 0;  // only the header, and the elision row under it
        }
        const FrameOutcome frame = frame_text(request);
        ASSERT_TRUE(frame.ok()) << made.psv << made.title;

        const TableRead read =
            read_table(frame.text, TableFormat::Frame, encoding, request.widthModel);
        ASSERT_TRUE(read.ok()) << frame.text;
        const TableWrite back = write_table(read.table, TableFormat::Psv, WriteOptions{});
        const std::string expected = head ? psv.substr(0, psv.find('\n') + 1) : psv;
        EXPECT_EQ(back.text, expected) << frame.text;
        expect_recovered(title, read.title, !widest_line_fits(frame.text, title));
        expect_recovered(footer, read.footer, !widest_line_fits(frame.text, footer));
    }
}

// The lines of a frame of request, as display columns (narrow model).
TEST(TitleRows, WrapAtTheTablesWidthAndPlaceEachLine) {
    struct {
        TitleAlign align;
        const char* frame;
    } const cases[] = {
        {TitleAlign::Centre, "+-----+\n| one |\n| two |\n| six |\n+--+--+\n|ab|cd|\n+--+--+\n"},
        {TitleAlign::Left, "+-----+\n|one  |\n|two  |\n|six  |\n+--+--+\n|ab|cd|\n+--+--+\n"},
        {TitleAlign::Right, "+-----+\n|  one|\n|  two|\n|  six|\n+--+--+\n|ab|cd|\n+--+--+\n"},
    };
    for (const auto& c : cases) {
        FrameRequest request;
        request.text = "ab|cd\n";
        request.frameType = 6;
        request.titles.title = "one two six";
        request.titles.align = c.align;
        EXPECT_EQ(frame_text(request).text, c.frame);
    }
}

TEST(TitleRows, EveryLineEndStartsALine) {
    for (const char* title : {"ab\ncd", "ab\r\ncd", "ab\rcd"}) {
        FrameRequest request;
        request.text = "abc|d\n";
        request.frameType = 6;
        request.titles.title = title;
        request.titles.align = TitleAlign::Left;
        EXPECT_EQ(frame_text(request).text,
                  "+-----+\n|ab   |\n|cd   |\n+---+-+\n|abc|d|\n+---+-+\n")
            << title;
    }
}

TEST(TitleRows, PlainRoundTripsLeaveTheTitleOut) {
    FrameRequest request;
    request.text = "a|b\n1|2\n";
    request.titles.title = "T";
    request.titles.footer = "F";
    const FrameOutcome frame = frame_text(request);
    FrameRequest back;
    back.text = frame.text;
    back.from = TableFormat::Frame;
    back.to = TableFormat::Psv;
    EXPECT_EQ(frame_text(back).text, "a|b\n1|2\n");
    back.to = TableFormat::Json;
    back.withTitle = true;
    EXPECT_EQ(frame_text(back).text,
              "{\"title\":\"T\",\"footer\":\"F\",\"rows\":[\n{\"a\":\"1\",\"b\":\"2\"}\n]}\n");
    back.to = TableFormat::Psv;  // a title read and kept has nowhere to go in psv
    EXPECT_EQ(frame_text(back).refusal.kind, RefusalKind::NoCaption);
}

TEST(TitleRows, TheElisionRowReadsBackLeftOut) {
    for (RuleLines rules : {RuleLines::All, RuleLines::Header, RuleLines::None}) {
        FrameRequest request;
        request.text = "a|b\n1|2\n3|4\n5|6\n";
        request.shape.tail = 1;
        request.fit.rules = rules;
        FrameRequest back;
        const FrameOutcome frame = frame_text(request);
        back.text = frame.text;
        back.from = TableFormat::Frame;
        back.to = TableFormat::Psv;
        EXPECT_EQ(frame_text(back).text, "a|b\n5|6\n") << frame.text;
    }
}

// Every format either writes the title or refuses it as having no caption.
TEST(TitleRows, CaptionsWhereTheFormatHasThem) {
    struct {
        TableFormat to;
        const char* title;  // what the output starts with, or nullptr: refused
        bool footer;
    } const cases[] = {
        {TableFormat::Html, "<table>\n<caption>T &amp; U</caption>\n", true},
        {TableFormat::Latex, "\\begin{table}\n\\centering\n\\caption{T \\& U}\n", false},
        {TableFormat::RstGrid, ".. table:: T & U\n\n   +---", false},
        {TableFormat::RstSimple, ".. table:: T & U\n\n   =", false},
        {TableFormat::Org, "#+CAPTION: T & U\n|", false},
        {TableFormat::AsciiDoc, ".pass:c[T & U]\n[", false},
        {TableFormat::MediaWiki, "{| class=\"wikitable\"\n|+ T &#38; U\n", false},
        {TableFormat::Psv, nullptr, false},
        {TableFormat::Csv, nullptr, false},
        {TableFormat::Tsv, nullptr, false},
        {TableFormat::Markdown, nullptr, false},
        {TableFormat::Jira, nullptr, false},
        {TableFormat::Json, nullptr, false},
        {TableFormat::Jsonl, nullptr, false},
    };
    for (const auto& c : cases) {
        FrameRequest request;
        request.text = "a|b\n1|2\n";
        request.to = c.to;
        request.titles.title = "T & U";
        const FrameOutcome out = frame_text(request);
        if (c.title == nullptr) {
            EXPECT_EQ(out.refusal.kind, RefusalKind::NoCaption) << static_cast<int>(c.to);
            continue;
        }
        EXPECT_EQ(out.text.substr(0, std::string(c.title).size()), c.title);
        request.titles.footer = "F";
        EXPECT_EQ(frame_text(request).refusal.kind,
                  c.footer ? RefusalKind::None : RefusalKind::NoCaption);
    }
}

TEST(TitleRows, TitlesAreCheckedAsText) {
    struct {
        const char* title;
        RefusalKind kind;
    } const cases[] = {
        {"a\tb", RefusalKind::CellHoldsSeparator},  {"a\x01", RefusalKind::ControlCharacter},
        {"\xFF", RefusalKind::InvalidUtf8},         {"two\nlines", RefusalKind::None},
        {"two\rlines\r\nthree", RefusalKind::None},
    };
    for (const auto& c : cases) {
        FrameRequest request;
        request.text = "a|b\n";
        request.titles.title = c.title;
        EXPECT_EQ(frame_text(request).refusal.kind, c.kind) << c.title;
    }
}

// A titled frame is read without its spanning rows, but a refusal names the
// line of the frame as given: the cell "Q|" stands on the line that holds it.
TEST(TitleRows, RefusalsNameTheLinesOfTheFrameAsGiven) {
    struct {
        const char* name;
        std::string above;  // lines before the frame
        const char* title;
        const char* footer;
        const char* lineEnd;
    } const cases[] = {
        {"a title", "", "Title words", "", "\n"},
        {"a title of two lines", "", "Title\nwords", "", "\n"},
        {"title and footer, blank lines above", "\n\n", "T", "F", "\n"},
        {"CR LF", "\r\n", "Title", "Footer", "\r\n"},
    };
    for (const auto& c : cases) {
        FrameRequest request;
        request.text = "h|x\nQQ|c\n";
        request.titles.title = c.title;
        request.titles.footer = c.footer;
        const FrameOutcome framed = frame_text(request);
        ASSERT_TRUE(framed.ok()) << c.name;
        std::string frame = framed.text;
        const size_t cell = frame.find("QQ");
        frame.replace(cell, 2, "Q|");
        const std::string_view before(frame.data(), cell);
        const int64_t line = 1 + std::count(before.begin(), before.end(), '\n') +
                             std::count(c.above.begin(), c.above.end(), '\n');
        std::string given = c.above;
        for (char ch : frame) {
            given += ch == '\n' ? std::string(c.lineEnd) : std::string(1, ch);
        }
        FrameRequest back;
        back.text = given;
        back.from = TableFormat::Frame;
        back.to = TableFormat::Psv;
        const FrameOutcome read = frame_text(back);
        EXPECT_EQ(read.refusal.kind, RefusalKind::CellHoldsSeparator) << c.name;
        EXPECT_EQ(read.refusal.line, line) << c.name << "\n" << given;
        EXPECT_EQ(read.refusal.column, 2) << c.name;
    }
}

}  // namespace
