// Fuzz target: create_frame_text on arbitrary bytes with arbitrary frame and
// position types, checked against what the input's shape demands.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "command/create_frame.h"
#include "command/frame_line_ends.h"
#include "core/frame_core.h"
#include "frame_oracle.h"

namespace {

constexpr size_t kReferenceCheckLimit = 16 * 1024;

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool store_closed() {
    const FrameTable& table = ft_table();
    const char zeros[sizeof table.signature] = {};
    return std::memcmp(table.signature, zeros, sizeof zeros) == 0 && table.grid == nullptr;
}

bool is_ascii(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool store_open() {
    return std::strcmp(ft_table().signature, "zentabrix") == 0;
}

// The rendered frame holds no CR LF of its own (the input was split at every
// CR LF), so each CR LF of the result is one inserted CR.
struct RawFrame {
    std::string bytes;
    std::vector<bool> crInsertedBefore;
};

RawFrame remove_inserted_crs(const std::string& text) {
    RawFrame raw;
    for (size_t at = 0; at < text.size(); ++at) {
        bool inserted = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
        if (inserted) {
            ++at;
        }
        raw.bytes += text[at];
        raw.crInsertedBefore.push_back(inserted);
    }
    return raw;
}

void check_frame(const std::string& frame, const ExpectedFrame& expected, bool asciiInput) {
    RawFrame raw = remove_inserted_crs(frame);
    require(static_cast<int64_t>(raw.bytes.size()) == expected.frameBytes);
    require(frame_crlf_line_ends(raw.bytes) == frame);
    // The plain eleven passes are slow on large frames; small ones cover the rule.
    if (frame.size() <= kReferenceCheckLimit) {
        require(eleven_pass_line_ends(raw.bytes) == frame);
    }
    int64_t lineBytes = expected.frameBytes / expected.frameLines;
    require(lineBytes * expected.frameLines == expected.frameBytes);
    // A cell that ends in a lead byte takes the right border as its second
    // byte, and that line keeps its bare LF; ASCII text cannot do that.
    for (int64_t line = 1; line <= expected.frameLines; ++line) {
        size_t lf = static_cast<size_t>(line * lineBytes - 1);
        require(raw.bytes[lf] == '\n');
        require(raw.crInsertedBefore[lf] || !asciiInput);
    }
    require(store_closed());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    int32_t frameType = data[0] % 8;
    int32_t positionType = data[1] % 19;
    std::string input(reinterpret_cast<const char*>(data + 2), size - 2);
    CreateFrameResult result = create_frame_text(input, frameType, positionType);
    ExpectedFrame expected = expect_frame(input, frameType, positionType);
    require(result.convertedInput == expected.convertedInput);
    require(result.outcome == expected.outcome);
    if (result.outcome == CF_NONE) {
        require(result.resultText.empty());
    } else if (result.outcome == CF_MESSAGE) {
        require(result.resultText == expected.message);
        require(store_open());
    } else {
        check_frame(result.resultText, expected, is_ascii(input));
    }
    return 0;
}
