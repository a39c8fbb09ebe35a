// Fitted frames of text that code page 932 holds: drawn from code page 932
// bytes and decoded, they are the wide model's frames of the same text, line
// breaks, cuts and refusals alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "glibc_convert.h"
#include "text/frame_text.h"

namespace {

// Pieces of Japanese and Latin text around the places where the line-breaking
// rules differ from breaking after spaces: small kana and the long vowel mark
// that no line starts with, brackets no line ends with, half-width kana with
// sound marks that join their cluster, hyphens, numbers.
const char* const kPieces[] = {
    "table", "note",    "Zen",  "a",  "well-known", "x-y-z", "frame", "12", "3.5",
    "-0.25", "1,234.5", "100",  "7.", " ",          " ",     "  ",    "-",  "\xE2\x80\x90" /* ‐ */,
    "東京",  "日本語",  "漢字", "表", "あ",         "い",    "か",    "の", "っ",
    "ゃ",    "ょ",      "ァ",   "ッ", "ー",         "カ",    "キャ",  "、", "。",
    "「",    "」",      "（",   "）", "・",         "１２",  "Ａ",    "ｶ",  "ﾞ",
    "ﾟ",     "ｯ",       "ｬ",    "ｰ",  "ｱ",          "｡",     "｢",     "｣",  "､",
};

std::string random_cell_line(std::mt19937& rng) {
    std::string line;
    for (int n = std::uniform_int_distribution<int>(0, 8)(rng); n > 0; --n) {
        line += kPieces[std::uniform_int_distribution<size_t>(0, std::size(kPieces) - 1)(rng)];
    }
    return line;
}

// A csv table, every field quoted, of cells of one to three lines.
std::string random_csv(std::mt19937& rng) {
    std::string table;
    const int rows = std::uniform_int_distribution<int>(1, 4)(rng);
    const int columns = std::uniform_int_distribution<int>(1, 4)(rng);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            table += c > 0 ? ",\"" : "\"";
            for (int k = std::uniform_int_distribution<int>(1, 3)(rng); k > 0; --k) {
                table += random_cell_line(rng);
                table += k > 1 ? "\n" : "";
            }
            table += '"';
        }
        table += "\r\n";
    }
    return table;
}

std::vector<int32_t> random_cell_widths(std::mt19937& rng) {
    std::vector<int32_t> widths;
    const int count = std::uniform_int_distribution<int>(0, 4)(rng);
    for (int k = 0; k < count; ++k) {
        const bool none = std::uniform_int_distribution<int>(0, 3)(rng) == 0;
        widths.push_back(none ? 0 : std::uniform_int_distribution<int32_t>(1, 14)(rng));
    }
    return widths;
}

std::vector<ColumnAlign> random_align(std::mt19937& rng) {
    std::vector<ColumnAlign> align;
    for (int k = std::uniform_int_distribution<int>(0, 4)(rng); k > 0; --k) {
        align.push_back(static_cast<ColumnAlign>(std::uniform_int_distribution<int>(0, 4)(rng)));
    }
    return align;
}

FrameRequest random_fit(std::mt19937& rng) {
    FrameRequest request;
    request.from =
        std::uniform_int_distribution<int>(0, 1)(rng) == 0 ? TableFormat::Csv : TableFormat::Psv;
    request.frameType = std::uniform_int_distribution<int32_t>(1, 6)(rng);
    request.positionType = std::uniform_int_distribution<int32_t>(1, 17)(rng);
    request.lineEnd =
        std::uniform_int_distribution<int>(0, 1)(rng) == 0 ? LineEnd::Lf : LineEnd::CrLf;
    const bool widthGiven = std::uniform_int_distribution<int>(0, 3)(rng) != 0;
    request.fit.width = widthGiven ? std::uniform_int_distribution<int32_t>(4, 60)(rng) : 0;
    request.fit.cellWidths = random_cell_widths(rng);
    request.fit.overflow =
        std::uniform_int_distribution<int>(0, 1)(rng) == 0 ? Overflow::Wrap : Overflow::Truncate;
    request.fit.align = random_align(rng);
    request.fit.padding = std::uniform_int_distribution<int32_t>(0, 2)(rng);
    request.fit.rules = static_cast<RuleLines>(std::uniform_int_distribution<int>(0, 2)(rng));
    return request;
}

// psv cells hold no line break: the csv's become cells of their own.
std::string as_input(const std::string& csv, TableFormat from) {
    if (from == TableFormat::Csv) {
        return csv;
    }
    std::string psv;
    for (char c : csv) {
        psv += c == ',' ? '|' : c == '"' ? '\0' : c;
    }
    psv.erase(std::remove(psv.begin(), psv.end(), '\0'), psv.end());
    return psv;
}

TEST(FittedCp932Property, FramesAsTheWideModelsDecoded) {
    std::mt19937 rng(9321);
    int fitted = 0;
    int refused = 0;
    for (int round = 0; round < 4000; ++round) {
        FrameRequest request = random_fit(rng);
        const std::string utf8 = as_input(random_csv(rng), request.from);
        bool encodes = false;
        const std::string cp932Text = glibc_convert("CP932", "UTF-8", utf8, encodes);
        ASSERT_TRUE(encodes) << utf8;

        request.text = cp932Text;
        request.encoding = TextEncoding::Cp932;
        const FrameOutcome cp932 = frame_text(request);
        request.text = utf8;
        request.encoding = TextEncoding::Utf8;
        request.widthModel = WidthModel::Wide;
        const FrameOutcome wide = frame_text(request);

        ASSERT_EQ(cp932.refusal.kind, wide.refusal.kind) << utf8;
        EXPECT_EQ(cp932.refusal.found, wide.refusal.found) << utf8;
        EXPECT_EQ(cp932.refusal.limit, wide.refusal.limit) << utf8;
        bool decodes = false;
        EXPECT_EQ(glibc_convert("UTF-8", "CP932", cp932.text, decodes), wide.text)
            << utf8 << "\nwidth " << request.fit.width << ", overflow "
            << static_cast<int>(request.fit.overflow);
        EXPECT_TRUE(decodes);
        fitted += wide.ok() && request.fit.width != 0 ? 1 : 0;
        refused += wide.refusal.kind == RefusalKind::FrameTooNarrow ? 1 : 0;
        if (HasFailure()) {
            break;
        }
    }
    EXPECT_GT(fitted, 1000);
    EXPECT_GT(refused, 200);
}

}  // namespace
