// Colour, hyperlink and erase-to-end sequences in the input: accepted in UTF-8 text, every
// other control sequence refused at its place, and a coloured table framed
// in line and read back to the same cells.
#include <gtest/gtest.h>

#include <string>

#include "text/frame_text.h"
#include "text/input_check.h"
#include "text/text_limits.h"
#include "text/unicode/display_width.h"

namespace {

struct EscapeCase {
    const char* name;
    std::string text;
    TextEncoding encoding;
    int64_t line;  // 0: accepted
    int64_t column;
};

const EscapeCase kEscapes[] = {
    {"colour and reset", "a\x1b[31mb\x1b[0m", TextEncoding::Utf8, 0, 0},
    {"short reset", "\x1b[m", TextEncoding::Utf8, 0, 0},
    {"true colour, colon form", "\x1b[38;2;255;0;0m\x1b[4:3mx", TextEncoding::Utf8, 0, 0},
    {"link ended by ESC \\", "\x1b]8;;http://a.test/\x1b\\link\x1b]8;;\x1b\\", TextEncoding::Utf8,
     0, 0},
    {"link with an id, ended by BEL", "\x1b]8;id=1;http://a.test/?a=1;b=2\x07x\x1b]8;;\x07",
     TextEncoding::Utf8, 0, 0},
    {"erase in line", "ab\x1b[2J", TextEncoding::Utf8, 1, 3},
    {"erase to the end after a colour, as grep writes", "\x1b[01;31m\x1b[Kx\x1b[m\x1b[K",
     TextEncoding::Utf8, 0, 0},
    {"erase to the end, parameter 0", "x\x1b[0K", TextEncoding::Utf8, 0, 0},
    {"erase to the line's start", "x\x1b[1K", TextEncoding::Utf8, 1, 2},
    {"erase the whole line", "\x1b[31mx\x1b[2K", TextEncoding::Utf8, 1, 7},
    {"erase with two parameters", "\x1b[0;0K", TextEncoding::Utf8, 1, 1},
    {"erase in code page 932", "x\x1b[K", TextEncoding::Cp932, 1, 2},
    {"private mode", "x|\x1b[?25l", TextEncoding::Utf8, 1, 3},
    {"SGR never ended", "\x1b[31", TextEncoding::Utf8, 1, 1},
    {"link never ended", "ok\n\x1b]8;;http://a.test/", TextEncoding::Utf8, 2, 1},
    {"window title", "\x1b]0;title\x07", TextEncoding::Utf8, 1, 1},
    {"charset switch", "漢\x1b(B", TextEncoding::Utf8, 1, 2},
    {"ESC at the end", "x\x1b", TextEncoding::Utf8, 1, 2},
    {"BEL after a colour", "\x1b[31m\x07", TextEncoding::Utf8, 1, 6},
    {"link with a control in its URI", "\x1b]8;;http://a\x01\x1b\\", TextEncoding::Utf8, 1, 1},
    {"link with non-ASCII in its URI", "\x1b]8;;http://\xC3\xA9\x1b\\", TextEncoding::Utf8, 1, 1},
    {"C1 introducer",
     "\xC2\x9B"
     "31m",
     TextEncoding::Utf8, 1, 1},
    {"colour in code page 932", "\x1b[31mx", TextEncoding::Cp932, 1, 1},
};

TEST(EscapeInput, ColourAndLinksAcceptedOthersRefusedAtTheirPlace) {
    for (const EscapeCase& c : kEscapes) {
        const Refusal refusal = check_input_text(c.text, c.encoding, kTextInputLimit);
        if (c.line == 0) {
            EXPECT_EQ(refusal.kind, RefusalKind::None) << c.name;
            continue;
        }
        EXPECT_EQ(refusal.kind, RefusalKind::ControlCharacter) << c.name;
        EXPECT_EQ(refusal.line, c.line) << c.name;
        EXPECT_EQ(refusal.column, c.column) << c.name;
    }
}

TEST(EscapeInput, ColouredCellsLineUpAndReadBack) {
    const std::string table =
        "\x1b[1mName\x1b[0m|Note\n"
        "\x1b[01;34mdocs\x1b[0m|\x1b]8;;https://example.test/\x1b\\漢字\x1b]8;;\x1b\\\n"
        "a|\x1b[38;5;0mplain\x1b[m\n"
        "a|\x1b[01;31m\x1b[Kred\x1b[m\x1b[K\n";
    for (WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
        FrameRequest request;
        request.text = table;
        request.widthModel = model;
        const FrameOutcome framed = frame_text(request);
        ASSERT_TRUE(framed.ok());
        int64_t width = -1;
        size_t start = 0;
        for (size_t lf = framed.text.find('\n'); lf != std::string::npos;
             lf = framed.text.find('\n', start)) {
            const int64_t line = display_width(framed.text.substr(start, lf - start), model);
            EXPECT_TRUE(width == -1 || line == width) << framed.text;
            width = line;
            start = lf + 1;
        }
        FrameRequest back;
        back.text = framed.text;
        back.from = TableFormat::Frame;
        back.to = TableFormat::Psv;
        back.widthModel = model;
        const FrameOutcome read = frame_text(back);
        ASSERT_TRUE(read.ok()) << framed.text;
        EXPECT_EQ(read.text, table);
    }
}

}  // namespace

// A cell is text as input must be, so the whole input being text is not
// enough: cutting an escape sequence into two cells drew a link that never
// ends and a frame that did not read back, and wrote tsv that did not either.
// A JSON string may spell any text, which only a frame refuses.
struct CutCase {
    const char* name;
    TableFormat from;
    std::string text;
    int64_t line;
    int64_t column;
    uint32_t codePoint;
    bool spelt;  // by a JSON string: refused only where it is drawn
};

// line 0: accepted.
const CutCase kCuts[] = {
    {"psv: whole links, each ended by ESC \\", TableFormat::Psv,
     "a|\x1b]8;;http://a.test/\x1b\\x\x1b]8;;\x1b\\|\x1b[1mb\x1b[0m", 0, 0, 0, false},
    {"psv: a '|' in a link's URI", TableFormat::Psv,
     "a|\x1b]8;;http://a.test/?x|y\x1b\\link\x1b]8;;\x1b\\", 1, 3, 0x1B, false},
    {"psv, second line", TableFormat::Psv, "ok|ok|ok\nb|\x1b]8;;p|q\x1b\\x\x1b]8;;\x1b\\", 2, 3,
     0x1B, false},
    {"csv: an unquoted ',' in a link's URI", TableFormat::Csv,
     "\x1b]8;;http://a.test/a,b\x1b\\link\x1b]8;;\x1b\\,c", 1, 1, 0x1B, false},
    {"Markdown: a '|' in a link's URI", TableFormat::Markdown,
     "| a |\n|---|\n| \x1b]8;;p|q\x1b\\x\x1b]8;;\x1b\\ |", 3, 3, 0x1B, false},
    {"aligned: a blank in a link's parameters", TableFormat::Aligned,
     "NAME   SIZE\n\x1b]8;id=a  b;p\x1b\\x\x1b]8;;\x1b\\  1", 2, 1, 0x1B, false},
    {"JSON: a control character spelt", TableFormat::Json, R"([["a\u0007b"]])", 1, 4, 0x07, true},
    {"JSON: an escape sequence spelt, never ended", TableFormat::Json, R"([["\u001b[31"]])", 1, 3,
     0x1B, true},
};

TEST(EscapeInput, CellHoldingPartOfAnEscapeRefusedAtItsPlace) {
    for (const CutCase& c : kCuts) {
        for (TableFormat to : {TableFormat::Frame, TableFormat::Tsv, TableFormat::Json}) {
            for (bool fitted : {false, true}) {
                FrameRequest request;
                request.text = c.text;
                request.from = c.from;
                request.to = to;
                request.fit.width = fitted ? 12 : 0;
                const FrameOutcome outcome = frame_text(request);
                if (c.line == 0 || (c.spelt && to != TableFormat::Frame)) {
                    EXPECT_TRUE(outcome.ok()) << c.name;
                    continue;
                }
                EXPECT_EQ(outcome.refusal.kind, RefusalKind::ControlCharacter)
                    << c.name << outcome.text;
                EXPECT_EQ(outcome.refusal.line, c.line) << c.name;
                EXPECT_EQ(outcome.refusal.column, c.column) << c.name;
                EXPECT_EQ(outcome.refusal.codePoint, c.codePoint) << c.name;
            }
        }
    }
}

TEST(EscapeInput, JsonColourSpeltIsDrawn) {
    FrameRequest request;
    request.text = R"([["\u001b[31mred\u001b[0m","b"]])";
    request.from = TableFormat::Json;
    EXPECT_TRUE(frame_text(request).ok());
}
