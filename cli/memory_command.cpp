#include "cli/memory_command.h"

#include "cli/columns_variable.h"
#include "cli/options_request.h"
#include "cli/raw_job.h"

MemoryStart start_memory_command(const std::vector<std::string>& args, const char* ambiguousDefault,
                                 const std::string& version) {
    MemoryStart start;
    start.answer = refuse_command_only(args);
    if (start.answer) {
        return start;
    }
    OptionsResult parsed = parse_options(args, ambiguousDefault);
    start.answer = answer_before_input(parsed, version);
    start.options = std::move(parsed.options);
    return start;
}

CommandAnswer finish_memory_command(CliOptions options, const std::string& input, int64_t inputSize,
                                    const char* columns) {
    if (input.size() > input_limit(options)) {
        return trouble(too_large(options, inputSize));
    }
    if (options.raw) {
        return raw_job(options, input);
    }
    // No terminal to ask: as the command when standard output is none.
    if (options.ambiguousAuto) {
        options.widthModel = WidthModel::Narrow;
    }
    if (options.widthAuto) {
        options.width = columns_from_environment(columns);
    }
    FrameOutcome outcome = frame_text(options_request(options, input));
    if (!outcome.ok()) {
        return trouble(describe_refusal(outcome.refusal));
    }
    return CommandAnswer{0, std::move(outcome.text), {}};
}
