#include "cli/frame_job.h"

#include "cli/line_ends.h"
#include "command/create_frame.h"
#include "text/frame_text.h"

namespace {

JobOutput failure(std::string message) {
    JobOutput job;
    job.err = "zentab: " + message + "\n";
    job.exitCode = 1;
    return job;
}

JobOutput success(std::string frame) {
    JobOutput job;
    job.out = std::move(frame);
    return job;
}

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

std::string raw_too_long(const std::string& input, const CreateFrameResult& result) {
    const std::string size = std::to_string(result.convertedInput.size()) + " bytes";
    const std::string where =
        result.convertedInput.size() == input.size() ? size : size + " after tab conversion";
    return "the input is " + where + "; the limit is " + std::to_string(CF_INPUT_LIMIT) + " bytes";
}

// Exactly the bytes the desktop application makes, and its messages.
JobOutput raw_job(const CliOptions& options, const std::string& input) {
    if (input.find('\0') != std::string::npos) {
        return failure(
            "the input holds a NUL byte, which ends the text for the desktop "
            "application; it cannot be framed in --raw mode");
    }
    CreateFrameResult result = create_frame_text(input, options.frameType, options.positionType);
    if (result.outcome == CF_FRAME) {
        return success(std::move(result.resultText));
    }
    if (result.outcome == CF_NONE) {
        if (result.convertedInput.size() > CF_INPUT_LIMIT) {
            return failure(raw_too_long(input, result));
        }
        return {};
    }
    if (result.renderResult != FT_OK) {
        return failure(raw_render_failure(result));
    }
    JobOutput job;
    job.err = crlf_to_lf(result.resultText) + "\n";
    job.exitCode = 1;
    return job;
}

}  // namespace

JobOutput frame_job(const CliOptions& options, const std::string& input) {
    if (options.raw) {
        return raw_job(options, input);
    }
    FrameRequest request;
    request.text = input;
    request.encoding = options.encoding;
    request.from = options.from;
    request.to = options.to;
    request.frameType = options.frameType;
    request.positionType =
        options.positionGiven || options.to == TableFormat::Frame ? options.positionType : 0;
    request.widthModel = options.widthModel;
    request.lineEnd = options.crlf ? LineEnd::CrLf : LineEnd::Lf;
    request.jsonNested = options.jsonNested;
    request.header = options.header;
    FrameOutcome outcome = frame_text(request);
    if (!outcome.ok()) {
        return failure(describe_refusal(outcome.refusal));
    }
    return success(std::move(outcome.text));
}
