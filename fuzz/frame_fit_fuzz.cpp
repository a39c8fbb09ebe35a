// Fuzz target: frames fitted to a width, on arbitrary bytes read as psv or
// csv (whose quoted fields hold line breaks), with the fitting choices taken
// from the first four bytes. A frame drawn always reads back; a refusal
// always has words and no frame. Where every character stands alone as a
// cluster, the frame's lines all end in the same column, within the width
// asked for. (A cell that starts with a combining mark or ends with a prepended
// one is measured alone, but merges with its border when a whole line is.)
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/text_rules.h"
#include "text/frame_text.h"
#include "text/unicode/display_width.h"

namespace {

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

constexpr size_t kChoiceBytes = 4;

FrameRequest request_of(const uint8_t* data) {
    FrameRequest request;
    request.frameType = 1 + data[0] % 6;
    request.positionType = 1 + (data[0] / 6) % 17;
    request.encoding = data[1] & 0x80 ? TextEncoding::Cp932 : TextEncoding::Utf8;
    request.widthModel = data[1] & 0x40 ? WidthModel::Wide : WidthModel::Narrow;
    request.from = data[1] & 0x20 ? TableFormat::Csv : TableFormat::Psv;
    request.fit.overflow = data[1] & 0x10 ? Overflow::Truncate : Overflow::Wrap;
    request.fit.rules = static_cast<RuleLines>((data[1] >> 2) % 3);
    request.fit.padding = data[1] & 0x03;
    request.fit.width = data[2] < 32 ? 0 : data[2] / 2;
    const char* const kAligns = ".lrcd";
    for (uint8_t bits = data[3]; bits > 7; bits /= 5) {
        request.fit.align.push_back(
            static_cast<ColumnAlign>(std::string_view(kAligns).find(kAligns[bits % 5])));
    }
    if (data[3] & 0x01) {
        request.fit.cellWidths.push_back(data[3] / 8);
    }
    return request;
}

bool stands_alone(uint32_t cp) {
    return (cp >= 0x20 && cp < 0x7F) || cp == '\t' || cp == '\r' || cp == '\n' ||
           (cp >= 0x3041 && cp <= 0x3096) || (cp >= 0x30A1 && cp <= 0x30FA) ||
           (cp >= 0x4E00 && cp <= 0x9FFF);
}

bool lines_measurable(const FrameRequest& request) {
    if (request.encoding == TextEncoding::Cp932) {
        return true;  // widths are bytes
    }
    for (size_t at = 0; at < request.text.size();) {
        const text_rules::Utf8Char c = text_rules::decode_utf8(request.text, at);
        if (c.length == 0 || !stands_alone(c.codePoint)) {
            return false;
        }
        at += c.length;
    }
    return true;
}

// Columns of one line: bytes in code page 932, display columns in UTF-8.
int64_t line_columns(const FrameRequest& request, std::string_view line) {
    return request.encoding == TextEncoding::Cp932 ? static_cast<int64_t>(line.size())
                                                   : display_width(line, request.widthModel);
}

void check_frame(const FrameRequest& request, const std::string& frame) {
    const bool measurable = lines_measurable(request);
    int64_t columns = -1;
    for (size_t start = 0; start < frame.size();) {
        const size_t end = frame.find('\n', start);
        require(end != std::string::npos);
        const int64_t lineColumns = line_columns(request, {frame.data() + start, end - start});
        require(!measurable || columns < 0 || lineColumns == columns);
        columns = lineColumns;
        start = end + 1;
    }
    require(!measurable || request.fit.width == 0 || columns <= request.fit.width);
    FrameRequest readBack;
    readBack.text = frame;
    readBack.encoding = request.encoding;
    readBack.widthModel = request.widthModel;
    readBack.from = TableFormat::Frame;
    readBack.to = TableFormat::Csv;
    require(frame_text(readBack).ok());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kChoiceBytes) {
        return 0;
    }
    FrameRequest request = request_of(data);
    request.text =
        std::string_view(reinterpret_cast<const char*>(data) + kChoiceBytes, size - kChoiceBytes);
    const FrameOutcome outcome = frame_text(request);
    if (outcome.ok()) {
        if (!outcome.text.empty()) {
            check_frame(request, outcome.text);
        }
    } else {
        require(outcome.text.empty());
        require(!describe_refusal(outcome.refusal).empty());
    }
    return 0;
}
