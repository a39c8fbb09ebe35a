#include "command/create_frame.h"

#include <cstring>
#include <string_view>
#include <utility>

#include "command/crlf_lines.h"
#include "command/frame_line_ends.h"
#include "command/tab_conversion.h"
#include "core/frame_core.h"

namespace {

constexpr size_t kWorkingBufferSize = 10240;
constexpr char kInternalError[] = "internal error";
static_assert(CF_INPUT_LIMIT < kWorkingBufferSize, "the working copy holds the text and its NUL");

// Fixed buffers, as the pipeline allocates nothing of its own; it is not
// reentrant anyway, since the table store is one static record.
char workingCopy[kWorkingBufferSize];
char frameBuffer[CF_FRAME_BUFFER];

char* reserve_frame_buffer(int64_t bytes, void* context) {
    *static_cast<int64_t*>(context) = bytes;
    return bytes < CF_FRAME_BUFFER ? frameBuffer : nullptr;
}

std::string illegal_line_message(int32_t lineNumber) {
    return "Illegal input data!!\r\nCheck the " + std::to_string(lineNumber) +
           " line of your input data.";
}

void set_message(CreateFrameResult& result, std::string message) {
    result.outcome = CF_MESSAGE;
    result.resultText = std::move(message);
}

// Returns 0 when every line was accepted, else the refused line's number.
// loneLf tells whether any line holds an LF of its own.
int32_t add_lines(const std::string& text, bool& loneLf) {
    std::memcpy(workingCopy, text.data(), text.size());
    workingCopy[text.size()] = '\0';
    int32_t refusedLine = 0;
    for_each_crlf_line(
        workingCopy, text.size(),
        [&refusedLine](const char* line, size_t length) {
            // The line's length is known: the parser need not measure it again.
            int32_t lineNumber = 0;
            int32_t failedAt = 0;
            if (ft_add_line_with(line, static_cast<int32_t>(length), FtLineRule{}, &lineNumber,
                                 &failedAt) == FT_OK) {
                return true;
            }
            refusedLine = lineNumber;
            return false;
        },
        &loneLf);
    return refusedLine;
}

// Every line of a frame is as long as the first, the top rule, which holds no
// cell text. Returns that length when the LF that should end the frame is
// there with the cleared byte after it, else 0.
size_t even_line_length(int32_t rows) {
    const void* firstLf = std::memchr(frameBuffer, '\n', sizeof frameBuffer);
    if (firstLf == nullptr || rows <= 0) {
        return 0;
    }
    size_t lineLength = static_cast<size_t>(static_cast<const char*>(firstLf) - frameBuffer) + 1;
    size_t length = lineLength * (2 * static_cast<size_t>(rows) + 1);
    if (length < sizeof frameBuffer && frameBuffer[length - 1] == '\n' &&
        frameBuffer[length] == '\0') {
        return lineLength;
    }
    return 0;
}

// The frame with CR LF line ends. Without an LF of their own in any cell, the
// frame's only LFs end its even lines, and the rewrite need not search.
std::string frame_with_crlf(int32_t rows, bool cellsHoldLf) {
    const size_t lineLength = even_line_length(rows);
    if (lineLength == 0) {
        return frame_crlf_line_ends(std::string_view(frameBuffer));
    }
    std::string_view frame(frameBuffer, lineLength * (2 * static_cast<size_t>(rows) + 1));
    return cellsHoldLf ? frame_crlf_line_ends(frame)
                       : frame_crlf_line_ends_of_even_lines(frame, lineLength);
}

// Drawing straight into the result with CR LF ends: the frame's size as the
// buffer would have seen it is the size without the CRs, one a line.
struct CrlfTarget {
    std::string* text;
    int64_t* lfBytes;
    int64_t lines;
};

char* reserve_crlf_frame(int64_t bytes, void* context) {
    auto* target = static_cast<CrlfTarget*>(context);
    *target->lfBytes = bytes - target->lines;
    if (*target->lfBytes >= CF_FRAME_BUFFER) {
        return nullptr;
    }
    target->text->resize(static_cast<size_t>(bytes) + 1);
    return target->text->data();
}

// A frame of `rows` rows drawn with CR LF ends when that gives the bytes the
// rewrite would: cells without an LF of their own, and a right border the
// rewrite finds on every line. Sets `drawn` when the frame was drawn, which
// a refusal is too.
int draw_crlf_frame(int32_t frameType, int32_t positionType, int32_t rows,
                    CreateFrameResult& result, bool& drawn) {
    std::string frame;
    CrlfTarget target{&frame, &result.frameBytes, 2 * int64_t{rows} + 1};
    const int rendered = ft_render_with(frameType, positionType, FtLook{false, false, true},
                                        reserve_crlf_frame, &target);
    drawn = rendered != FT_OK;
    if (rendered == FT_OK) {
        frame.pop_back();  // the terminator
        const size_t firstLf = frame.find('\n');
        drawn = firstLf != std::string::npos && frame_crlf_ends_match_rewrite(frame, firstLf + 1);
        if (drawn) {
            result.resultText = std::move(frame);
        }
    }
    return rendered;
}

}  // namespace

CreateFrameResult create_frame_text(const std::string& input, int32_t frameType,
                                    int32_t positionType) {
    // The texts are NUL-terminated byte strings: a NUL ends the input.
    std::string_view text(input.c_str());
    CreateFrameResult result;
    if (text.empty()) {
        return result;
    }
    result.convertedInput = convert_tabs(text);
    if (result.convertedInput.size() > CF_INPUT_LIMIT) {
        return result;
    }
    if (ft_open() != FT_OK) {
        set_message(result, kInternalError);
        return result;
    }
    bool cellsHoldLf = false;
    int32_t refusedLine = add_lines(result.convertedInput, cellsHoldLf);
    if (refusedLine != 0) {
        set_message(result, illegal_line_message(refusedLine));
        return result;
    }
    const int32_t rows = ft_table().rows;
    bool drawn = false;
    if (!cellsHoldLf) {
        result.renderResult = draw_crlf_frame(frameType, positionType, rows, result, drawn);
    }
    if (drawn) {
        if (result.renderResult != FT_OK) {
            set_message(result, kInternalError);
            return result;
        }
        ft_close();
        result.outcome = CF_FRAME;
        return result;
    }
    // Only the frame and its terminator are written: nothing reads the
    // buffer past them, so it need not be cleared.
    result.renderResult =
        ft_render_with(frameType, positionType, FtLook{}, reserve_frame_buffer, &result.frameBytes);
    if (result.renderResult != FT_OK) {
        set_message(result, kInternalError);
        return result;
    }
    ft_close();
    result.outcome = CF_FRAME;
    result.resultText = frame_with_crlf(rows, cellsHoldLf);
    return result;
}
