#include "cli/command_answer.h"

#include "command/create_frame.h"
#include "text/text_limits.h"

CommandAnswer usage_error(const std::string& message) {
    return CommandAnswer{
        kExitUsage, {}, "zentab: " + message + "\nTry 'zentab --help' for more information.\n"};
}

std::optional<CommandAnswer> refuse_command_only(const std::vector<std::string>& args) {
    if (!args.empty() && (args[0] == "fmt" || args[0] == "lsp")) {
        return usage_error("'" + args[0] + "' runs only in the zentab command");
    }
    return std::nullopt;
}

std::optional<CommandAnswer> answer_before_input(const OptionsResult& parsed,
                                                 const std::string& version) {
    if (!parsed.error.empty()) {
        return usage_error(parsed.error);
    }
    if (parsed.options.help) {
        return CommandAnswer{0, usage_text(), {}};
    }
    if (parsed.options.version) {
        return CommandAnswer{0, "zentab " + version + "\n", {}};
    }
    return std::nullopt;
}

CommandAnswer trouble(const std::string& message) {
    return CommandAnswer{kExitTrouble, {}, "zentab: " + message + "\n"};
}

size_t input_limit(const CliOptions& options) {
    return static_cast<size_t>(
        options.from == TableFormat::Frame && !options.raw ? kTextFrameLimit : kTextInputLimit);
}

std::string too_large(const CliOptions& options, int64_t size) {
    const std::string limit = options.raw ? std::to_string(CF_INPUT_LIMIT) + " bytes"
                                          : std::to_string(input_limit(options));
    const std::string given =
        size >= 0 ? std::to_string(size) : "more than " + std::to_string(input_limit(options));
    return "the input is " + given + " bytes; the limit is " + limit;
}
