// Fuzz target: the text layer on arbitrary bytes, with the request's choices
// taken from the first byte. A frame is always whole: one line per rule and
// per row, each ended alike, all of one byte length in code page 932, and
// the input's text found in its lines; a refusal always has a kind and no
// frame.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/frame_text.h"

namespace {

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

FrameRequest request_of(const uint8_t* data, size_t size) {
    FrameRequest request;
    const uint8_t choice = size > 0 ? data[0] : 0;
    request.frameType = 1 + choice % 7;            // 7: out of range on purpose
    request.positionType = 1 + (choice / 7) % 18;  // 18 likewise
    request.encoding = choice & 0x80 ? TextEncoding::Cp932 : TextEncoding::Utf8;
    request.widthModel = choice & 0x40 ? WidthModel::Wide : WidthModel::Narrow;
    request.lineEnd = choice & 0x20 ? LineEnd::CrLf : LineEnd::Lf;
    if (size > 0) {
        request.text = std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1);
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
    require(lines % 2 == 1 && lines >= 3);
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
