// Colour and hyperlink sequences in the input: accepted in UTF-8 text, every
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
    {"grep's erase to the end", "\x1b[01;31m\x1b[Kx", TextEncoding::Utf8, 1, 9},
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
        "a|\x1b[38;5;0mplain\x1b[m\n";
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
