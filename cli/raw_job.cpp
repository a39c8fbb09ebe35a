#include "cli/raw_job.h"

#include "cli/line_ends.h"
#include "command/create_frame.h"

namespace {

// What the desktop application calls "internal error", in the user's terms.
std::string raw_render_failure(const CreateFrameResult& result) {
    if (result.renderResult == FT_BUFFER_TOO_SMALL) {
        return "the frame would be " + std::to_string(result.frameBytes) + " bytes; the limit is " +
               std::to_string(CF_FRAME_BUFFER - 1);
    }
    if (result.renderResult == FT_BAD_SHAPE) {
        return "no cells in the input";
    }
    return result.resultText;
}

std::string raw_too_long(std::string_view input, const CreateFrameResult& result) {
    const std::string size = std::to_string(result.convertedInput.size()) + " bytes";
    const std::string where =
        result.convertedInput.size() == input.size() ? size : size + " after tab conversion";
    return "the input is " + where + "; the limit is " + std::to_string(CF_INPUT_LIMIT) + " bytes";
}

}  // namespace

CommandAnswer raw_job(const CliOptions& options, std::string_view input) {
    if (input.find('\0') != std::string_view::npos) {
        return trouble(
            "the input holds a NUL byte, which ends the text for the desktop "
            "application; it cannot be framed in --raw mode");
    }
    CreateFrameResult result =
        create_frame_text(std::string(input), options.frameType, options.positionType);
    if (result.outcome == CF_FRAME) {
        return CommandAnswer{0, std::move(result.resultText), {}};
    }
    if (result.outcome == CF_NONE) {
        if (result.convertedInput.size() > CF_INPUT_LIMIT) {
            return trouble(raw_too_long(input, result));
        }
        return {};
    }
    if (result.renderResult != FT_OK) {
        return trouble(raw_render_failure(result));
    }
    return CommandAnswer{kExitTrouble, {}, crlf_to_lf(result.resultText) + "\n"};
}
