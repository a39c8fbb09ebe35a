#include "table_testing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/text_rules.h"
#include "text/chosen_table.h"
#include "text/input_check.h"
#include "text/text_limits.h"
#include "text/unicode/display_width.h"
#include "text/formats/table_formats.h"

Texts texts_of(const Table& table) {
    Texts texts;
    for (const Row& row : table.rows()) {
        texts.emplace_back();
        for (const Cell& cell : row) {
            texts.back().emplace_back(cell.text);
        }
    }
    return texts;
}

Table table_of(const Texts& texts, TextEncoding encoding) {
    Table table;
    table.encoding = encoding;
    for (size_t r = 0; r < texts.size(); ++r) {
        for (size_t c = 0; c < texts[r].size(); ++c) {
            table.add_cell(texts[r][c], Table::given_place(static_cast<int64_t>(r + 1),
                                                           static_cast<int64_t>(c + 1)));
        }
        table.end_row();
    }
    return table;
}

Texts random_texts(std::mt19937& random, const std::vector<std::string>& pieces, size_t maxPieces,
                   bool ragged) {
    auto upTo = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(random); };
    const size_t rows = 1 + upTo(5);
    const size_t columns = 1 + upTo(4);
    Texts texts(rows);
    for (auto& row : texts) {
        row.resize(ragged ? 1 + upTo(4) : columns);
        for (auto& cell : row) {
            for (size_t n = upTo(maxPieces); n > 0; --n) {
                cell += pieces[upTo(pieces.size() - 1)];
            }
        }
    }
    return texts;
}

Texts trimmed(Texts texts) {
    for (auto& row : texts) {
        for (auto& cell : row) {
            size_t first = cell.find_first_not_of(" \t");
            size_t last = cell.find_last_not_of(" \t");
            cell = first == std::string::npos ? "" : cell.substr(first, last - first + 1);
        }
    }
    return texts;
}

namespace {

struct Pieces {
    const char* first;
    const char* second;
    const char* later;
    const char* fill;
    const char* right;
};

struct Style {
    Pieces top, content, header, inner, bottom;
};

// The six types in UTF-8, piece by piece as the core draws them.
const Style kUtf8Styles[6] = {
    {{"┏", "┳", "┳", "━", "┓"},
     {"┃", "┃", "┃", "", "┃"},
     {"┣", "╋", "╋", "━", "┫"},
     {"┣", "╋", "╋", "━", "┫"},
     {"┗", "┻", "┻", "━", "┛"}},
    {{"┌", "┬", "┬", "─", "┐"},
     {"│", "│", "│", "", "│"},
     {"├", "┼", "┼", "─", "┤"},
     {"├", "┼", "┼", "─", "┤"},
     {"└", "┴", "┴", "─", "┘"}},
    {{"┏", "┯", "┯", "━", "┓"},
     {"┃", "│", "│", "", "┃"},
     {"┣", "┿", "┿", "━", "┫"},
     {"┠", "┼", "┼", "─", "┨"},
     {"┗", "┷", "┷", "━", "┛"}},
    {{"┏", "┳", "┯", "━", "┓"},
     {"┃", "┃", "│", "", "┃"},
     {"┠", "╂", "┼", "─", "┨"},
     {"┠", "╂", "┼", "─", "┨"},
     {"┗", "┻", "┷", "━", "┛"}},
    {{"┏", "┳", "┯", "━", "┓"},
     {"┃", "┃", "│", "", "┃"},
     {"┣", "╋", "┿", "━", "┫"},
     {"┠", "╂", "┼", "─", "┨"},
     {"┗", "┻", "┷", "━", "┛"}},
    {{"+", "+", "+", "-", "+"},
     {"|", "|", "|", "", "|"},
     {"+", "+", "+", "-", "+"},
     {"+", "+", "+", "-", "+"},
     {"+", "+", "+", "-", "+"}},
};

// Code page 932 bytes of the box pieces above.
std::string to_cp932(const std::string& piece) {
    static const char* const kOrder[] = {"─", "│", "┌", "┐", "┘", "└", "├", "┬", "┤", "┴", "┼",
                                         "━", "┃", "┏", "┓", "┛", "┗", "┣", "┳", "┫", "┻", "╋",
                                         "┠", "┯", "┨", "┷", "┿", "┝", "┰", "┥", "┸", "╂"};
    for (size_t i = 0; i < sizeof kOrder / sizeof kOrder[0]; ++i) {
        if (piece == kOrder[i]) {
            return std::string{'\x84', static_cast<char>(0x9F + i)};
        }
    }
    return piece;
}

int64_t columns_of(const std::string& text, WidthModel model, TextEncoding encoding) {
    return encoding == TextEncoding::Cp932 ? static_cast<int64_t>(text.size())
                                           : display_width(text, model);
}

}  // namespace

std::string draw_frame(const Texts& cells, int frameType, WidthModel model, TextEncoding encoding,
                       std::mt19937& random) {
    const Style& style = kUtf8Styles[frameType - 1];
    const bool ascii = frameType == 6;
    const bool twoColumnPieces =
        !ascii && (model == WidthModel::Wide || encoding == TextEncoding::Cp932);
    auto piece = [&](const char* text) {
        return encoding == TextEncoding::Cp932 ? to_cp932(text) : std::string(text);
    };
    std::vector<int64_t> widths(cells[0].size(), 0);
    for (const auto& row : cells) {
        for (size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], columns_of(row[c], model, encoding));
        }
    }
    if (!ascii) {
        for (int64_t& width : widths) {
            width += width % 2;
        }
    }
    auto joint = [&](const Pieces& pieces, size_t c) {
        return piece(c + 1 == widths.size() ? pieces.right : c == 0 ? pieces.second : pieces.later);
    };
    auto rule = [&](const Pieces& pieces) {
        std::string line = piece(pieces.first);
        for (size_t c = 0; c < widths.size(); ++c) {
            for (int64_t n = twoColumnPieces ? widths[c] / 2 : widths[c]; n > 0; --n) {
                line += piece(pieces.fill);
            }
            line += joint(pieces, c);
        }
        return line + "\n";
    };
    std::string frame = rule(style.top);
    for (size_t r = 0; r < cells.size(); ++r) {
        frame += piece(style.content.first);
        for (size_t c = 0; c < widths.size(); ++c) {
            const int64_t pad = widths[c] - columns_of(cells[r][c], model, encoding);
            const int64_t before = std::uniform_int_distribution<int>(0, 2)(random) == 0 ? 0
                                   : (random() & 1) != 0                                 ? pad
                                                                                         : pad / 2;
            frame += std::string(static_cast<size_t>(before), ' ') + cells[r][c] +
                     std::string(static_cast<size_t>(pad - before), ' ');
            frame += joint(style.content, c);
        }
        frame += "\n";
        frame += rule(r + 1 == cells.size() ? style.bottom : r == 0 ? style.header : style.inner);
    }
    return frame;
}

std::string describe(const Texts& texts) {
    std::string out;
    for (const auto& row : texts) {
        out += "[";
        for (const auto& cell : row) {
            out += "\"" + cell + "\" ";
        }
        out += "]\n";
    }
    return out;
}

FrameOutcome framed_through_table(const FrameRequest& given) {
    FrameOutcome outcome;
    // The table the request reads, as every path chooses it.
    const ChosenTable chosen = choose_table(given);
    if (chosen.refusal.kind != RefusalKind::None) {
        outcome.refusal = chosen.refusal;
        return outcome;
    }
    FrameRequest request = given;
    if (!chosen.whole) {
        request.text = chosen.text;
    }
    const auto limit = request.from == TableFormat::Frame ? kTextFrameLimit : kTextInputLimit;
    outcome.refusal = check_input_text(request.text, request.encoding, limit);
    const std::string_view table = text_rules::without_trailing_line_ends(request.text);
    if (!outcome.ok() || without_bom(table, request.encoding).empty()) {
        return outcome;
    }
    TableRead read = read_table(table, request.from, request.encoding, request.widthModel);
    if (!read.ok()) {
        outcome.refusal = read.refusal;
        return outcome;
    }
    WriteOptions options;
    options.frameType = request.frameType;
    options.positionType = request.positionType;
    options.widthModel = request.widthModel;
    options.lineEnd = request.lineEnd;
    TableWrite written = write_table(read.table, TableFormat::Frame, options);
    outcome.text = std::move(written.text);
    outcome.refusal = written.refusal;
    return outcome;
}

void expect_same(const FrameOutcome& got, const FrameOutcome& want, const std::string& input) {
    EXPECT_EQ(got.text, want.text) << input;
    EXPECT_EQ(got.refusal.kind, want.refusal.kind) << input;
    EXPECT_EQ(got.refusal.line, want.refusal.line) << input;
    EXPECT_EQ(got.refusal.column, want.refusal.column) << input;
    EXPECT_EQ(got.refusal.codePoint, want.refusal.codePoint) << input;
    EXPECT_EQ(got.refusal.found, want.refusal.found) << input;
}
