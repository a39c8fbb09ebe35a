// Fuzz target: conversions between every pair of formats. The first byte
// chooses from and to, the second the encoding, width model, line end, frame
// and position types; the rest is the input. Below 128 the first byte pairs
// the formats that read back what they write: whatever frame_text writes
// without refusing reads back as the cells it read, exactly for psv, tsv, csv
// and Markdown, and for a frame as its reader gives cells back: each line
// trimmed of blanks. From 128 on it pairs every format read with every
// format written, which must give text or a refusal and nothing else.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_rules.h"
#include "text/formats/frame_pieces.h"
#include "text/frame_text.h"
#include "text/public_names.h"
#include "text/unicode/cell_wrap.h"
#include "text/unicode/code_point_props.h"

namespace {

using Texts = std::vector<std::vector<std::string>>;

constexpr TableFormat kFormats[] = {TableFormat::Psv, TableFormat::Csv, TableFormat::Tsv,
                                    TableFormat::Markdown, TableFormat::Frame};
constexpr size_t kFormatCount = sizeof(kFormats) / sizeof(kFormats[0]);

// Every format read and every one written, in the table of names' order.
struct FormatLists {
    std::vector<TableFormat> read;
    std::vector<TableFormat> written;
};

const FormatLists& format_lists() {
    static const FormatLists lists = [] {
        FormatLists made;
        for (const NamedValue<TableFormat>& named : kFormatNames) {
            if (!is_output_only(named.value)) {
                made.read.push_back(named.value);
            }
            if (named.value != TableFormat::Aligned) {
                made.written.push_back(named.value);
            }
        }
        return made;
    }();
    return lists;
}
constexpr uint8_t kEveryPairFrom = 128;

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

FrameRequest request_of(const uint8_t* data, size_t size) {
    FrameRequest request;
    const uint8_t formats = size > 0 ? data[0] : 0;
    const uint8_t options = size > 1 ? data[1] : 0;
    if (formats < kEveryPairFrom) {
        request.from = kFormats[formats % kFormatCount];
        request.to = kFormats[(formats / kFormatCount) % kFormatCount];
    } else {
        const size_t pair = formats - kEveryPairFrom;
        const FormatLists& lists = format_lists();
        request.from = lists.read[pair % lists.read.size()];
        request.to = lists.written[(pair / lists.read.size()) % lists.written.size()];
    }
    request.encoding = options & 1 ? TextEncoding::Cp932 : TextEncoding::Utf8;
    request.widthModel = options & 2 ? WidthModel::Wide : WidthModel::Narrow;
    request.lineEnd = options & 4 ? LineEnd::CrLf : LineEnd::Lf;
    request.frameType = 1 + (options >> 3) % 6;
    request.positionType = (options >> 3) % 18;  // 0: none given
    if (size > 2) {
        request.text = std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2);
    }
    return request;
}

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

// A cell as a frame gives it back: each of its lines trimmed of blanks, the
// blank lines at its end dropped, its line breaks LF.
std::string as_framed(const std::string& cell) {
    std::vector<std::string> lines;
    for (size_t start = 0;;) {
        const size_t end = cell.find_first_of("\r\n", start);
        const std::string line = cell.substr(start, end - start);
        const size_t first = line.find_first_not_of(" \t");
        const size_t last = line.find_last_not_of(" \t");
        lines.push_back(first == std::string::npos ? "" : line.substr(first, last - first + 1));
        if (end == std::string::npos) {
            break;
        }
        start = end + (cell.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    while (lines.size() > 1 && lines.back().empty()) {
        lines.pop_back();
    }
    std::string framed;
    for (size_t k = 0; k < lines.size(); ++k) {
        framed += (k > 0 ? "\n" : "") + lines[k];
    }
    return framed;
}

Texts as_framed(Texts texts) {
    for (auto& row : texts) {
        for (auto& cell : row) {
            cell = as_framed(cell);
        }
    }
    return texts;
}

Texts with_lf(Texts texts) {
    for (auto& row : texts) {
        for (auto& cell : row) {
            std::string lf;
            for (size_t k = 0; k < cell.size(); ++k) {
                const bool crlf = cell[k] == '\r' && k + 1 < cell.size() && cell[k + 1] == '\n';
                lf += cell[k] == '\r' ? '\n' : cell[k];
                k += crlf ? 1 : 0;
            }
            cell = lf;
        }
    }
    return texts;
}

// A cell whose colour or link is still on at its end reads back with the
// reset the frame writes before the border.
bool still_coloured(const Texts& texts) {
    for (const auto& row : texts) {
        for (const auto& cell : row) {
            if (!escapes_in_force(cell).close.empty()) {
                return true;
            }
        }
    }
    return false;
}

// With one row, or a header and one body row, a frame whose cells hold line
// breaks looks like a frame ruled only under its header, and reads back as
// one row per line.
bool rows_ambiguous(const Texts& texts) {
    if (texts.size() > 2) {
        return false;
    }
    for (const auto& row : texts) {
        for (const auto& cell : row) {
            if (cell.find_first_of("\r\n") != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

// A frame of one column has no joints in its rules, so a reader takes its
// columns from the vertical pieces its content lines have in common: where
// cells hold one at the same place, the frame may read back as more columns;
// where a line does not hold it, as the one column it is.
bool columns_ambiguous(const Texts& texts) {
    static const char* const kVerticals[] = {
        "|", "\xE2\x94\x82", "\xE2\x94\x83", "\xE2\x95\x91", "\x84\xA0", "\x84\xAB"};
    for (const auto& row : texts) {
        if (row.size() != 1) {
            return false;
        }
    }
    for (const auto& row : texts) {
        for (const char* vertical : kVerticals) {
            if (row[0].find(vertical) != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

// A Prepend character takes what follows it into its cluster, a vertical
// piece too: where cells hold vertical pieces, one after a Prepend character
// or one at a cell's end, before the border, lets the frame line up as other
// cells as well, and the reader may take those.
bool prepend_before_a_vertical(const Texts& texts) {
    bool vertical = false;
    bool prependBeforeOne = false;
    for (const auto& row : texts) {
        for (const auto& cell : row) {
            bool afterPrepend = false;
            for (size_t at = 0; at < cell.size();) {
                const text_rules::Utf8Char c = text_rules::decode_utf8_unchecked(cell, at);
                const std::string_view ch = std::string_view(cell).substr(at, c.length);
                const bool isVertical = formats::piece_of(formats::piece_code(
                                            ch, TextEncoding::Utf8)) == formats::Piece::Vertical;
                vertical = vertical || isVertical;
                prependBeforeOne = prependBeforeOne || (afterPrepend && isVertical);
                afterPrepend =
                    code_point_props(c.codePoint).grapheme_break() == GraphemeBreak::Prepend ||
                    (afterPrepend && (ch == " " || ch == "\t"));
                at += c.length;
            }
            prependBeforeOne = prependBeforeOne || afterPrepend;
        }
    }
    return vertical && prependBeforeOne;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FrameRequest request = request_of(data, size);
    const FrameOutcome outcome = frame_text(request);
    if (!outcome.ok()) {
        require(outcome.text.empty());
        return 0;
    }
    if (outcome.text.empty() || (size > 0 && data[0] >= kEveryPairFrom)) {
        return 0;  // input of nothing but line ends, or a pair that need not read back
    }
    const TableRead input = read_text(request);
    require(input.ok());
    FrameRequest back = request;
    back.text = outcome.text;
    back.from = request.to;
    const TableRead output = read_text(back);
    const Texts cells = texts_of(input.table);
    require(output.ok());
    if (request.to == TableFormat::Frame) {
        require(rows_ambiguous(cells) || still_coloured(cells) || columns_ambiguous(cells) ||
                prepend_before_a_vertical(cells) || texts_of(output.table) == as_framed(cells));
    } else if (request.to == TableFormat::Markdown) {
        require(texts_of(output.table) == with_lf(cells));  // <br> is every line break
    } else {
        require(texts_of(output.table) == cells);
    }
    return 0;
}
