#include "cli/frame_job.h"

#include "cli/box_drawing_utf8.h"
#include "cli/line_ends.h"
#include "cli/text_encoding.h"
#include "cli/text_position.h"
#include "command/create_frame.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct Prepared {
    std::string text;
    std::string error;
};

// The pipeline reads NUL-terminated text, so a NUL would silently end it.
std::string nul_error(std::string_view text, CharacterRule rule) {
    size_t nul = text.find('\0');
    if (nul == std::string_view::npos) {
        return {};
    }
    return describe_position(text, nul, rule) + ": NUL byte in the input";
}

Prepared prepare_input(const CliOptions& options, std::string_view input) {
    Prepared prepared;
    CharacterRule rule = options.raw || options.encoding == TextEncoding::Cp932
                             ? CharacterRule::Cp932
                             : CharacterRule::Utf8;
    if (rule == CharacterRule::Utf8 && input.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        input.remove_prefix(kUtf8Bom.size());
    }
    prepared.error = nul_error(input, rule);
    if (!prepared.error.empty() || options.raw) {
        prepared.text = std::string(input);
        return prepared;
    }
    if (rule == CharacterRule::Cp932) {
        prepared.text = lone_lf_to_crlf(input);
        return prepared;
    }
    Conversion converted = utf8_to_cp932(input);
    prepared.error = std::move(converted.error);
    prepared.text = lone_lf_to_crlf(converted.text);
    return prepared;
}

Prepared render_output(const CliOptions& options, std::string_view frame) {
    Prepared output;
    if (options.raw) {
        output.text = std::string(frame);
        return output;
    }
    std::string lineEnded = options.crlf ? std::string(frame) : crlf_to_lf(frame);
    if (options.encoding == TextEncoding::Cp932) {
        output.text = std::move(lineEnded);
        return output;
    }
    if (box_drawing_to_utf8(lineEnded, output.text)) {
        return output;
    }
    Conversion converted = cp932_to_utf8(lineEnded);
    output.text = std::move(converted.text);
    output.error = std::move(converted.error);
    return output;
}

JobOutput failure(std::string message) {
    JobOutput job;
    job.err = "zentab: " + message + "\n";
    job.exitCode = 1;
    return job;
}

// The pipeline's own messages are shown as they stand, one line per line.
JobOutput pipeline_message(const std::string& message) {
    JobOutput job;
    job.err = crlf_to_lf(message) + "\n";
    job.exitCode = 1;
    return job;
}

}  // namespace

JobOutput frame_job(const CliOptions& options, const std::string& input) {
    Prepared prepared = prepare_input(options, input);
    if (!prepared.error.empty()) {
        return failure(prepared.error);
    }
    CreateFrameResult result =
        create_frame_text(prepared.text, options.frameType, options.positionType);
    if (result.outcome == CF_MESSAGE) {
        return pipeline_message(result.resultText);
    }
    if (result.outcome == CF_NONE) {
        if (result.convertedInput.size() > CF_INPUT_LIMIT) {
            return failure("the input is " + std::to_string(result.convertedInput.size()) +
                           " bytes after tab conversion; the limit is " +
                           std::to_string(CF_INPUT_LIMIT) + " bytes");
        }
        return {};
    }
    Prepared output = render_output(options, result.resultText);
    if (!output.error.empty()) {
        return failure(output.error);
    }
    JobOutput job;
    job.out = std::move(output.text);
    return job;
}
