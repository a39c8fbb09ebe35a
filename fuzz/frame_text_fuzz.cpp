// Fuzz target: the text layer on arbitrary bytes, with the request's choices
// taken from the first byte and the format read from the second: any the
// table of names reads, or one it only writes, refused. A frame is always
// whole: at least three lines, each ended alike, all of one byte length in
// code page 932, and from psv one line per rule and per row; a refusal
// always has a kind and no frame.
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include "text/frame_text.h"
#include "text/public_names.h"

namespace {

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// Every format read, in the table's order, then the first one only written.
TableFormat format_read(uint8_t choice) {
    TableFormat read[std::size(kFormatNames)] = {};
    size_t count = 0;
    TableFormat written = TableFormat::Psv;
    for (const NamedValue<TableFormat>& named : kFormatNames) {
        if (!is_output_only(named.value)) {
            read[count++] = named.value;
        } else if (written == TableFormat::Psv) {
            written = named.value;
        }
    }
    const size_t index = choice % (count + 1);
    return index < count ? read[index] : written;
}

FrameRequest request_of(const uint8_t* data, size_t size) {
    FrameRequest request;
    const uint8_t choice = size > 0 ? data[0] : 0;
    request.frameType = 1 + choice % 7;            // 7: out of range on purpose
    request.positionType = 1 + (choice / 7) % 18;  // 18 likewise
    request.encoding = choice & 0x80 ? TextEncoding::Cp932 : TextEncoding::Utf8;
    request.widthModel = choice & 0x40 ? WidthModel::Wide : WidthModel::Narrow;
    request.lineEnd = choice & 0x20 ? LineEnd::CrLf : LineEnd::Lf;
    const uint8_t from = size > 1 ? data[1] : 0;
    request.from = format_read(from);
    // Now and then the second table of a document, where documents are read.
    if ((from & 0x80) != 0 &&
        (request.from == TableFormat::Markdown || request.from == TableFormat::Frame)) {
        request.table = 2;
    }
    if (size > 2) {
        request.text = std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2);
    }
    return request;
}

void check_frame(const FrameRequest& request, const std::string& frame) {
    const std::string_view lineEnd = request.lineEnd == LineEnd::CrLf ? "\r\n" : "\n";
    size_t lines = 0;
    size_t firstLength = 0;
    for (size_t start = 0; start < frame.size();) {
        const size_t end = frame.find(lineEnd, start);
        require(end != std::string::npos);
        if (lines == 0) {
            firstLength = end - start;
        } else if (request.encoding == TextEncoding::Cp932) {
            require(end - start == firstLength);
        }
        ++lines;
        start = end + lineEnd.size();
    }
    require(lines >= 3);
    // A psv cell is one line, so each row is; other formats' cells may hold
    // line breaks and make a row several lines high.
    require(request.from != TableFormat::Psv || lines % 2 == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FrameRequest request = request_of(data, size);
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
