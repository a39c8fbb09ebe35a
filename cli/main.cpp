#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/ambiguous_probe.h"
#include "cli/fmt_command.h"
#include "cli/frame_job.h"
#include "cli/lsp/lsp_command.h"
#include "cli/options.h"
#include "cli/stream_io.h"
#include "cli/terminal_width.h"
#include "command/create_frame.h"
#include "text/text_limits.h"

namespace {

constexpr int kExitTrouble = 1;
constexpr int kExitUsage = 2;

int report(const std::string& message, int exitCode) {
    write_all(STDERR_FILENO, "zentab: " + message + "\n");
    return exitCode;
}

int usage_error(const std::string& message) {
    return report(message + "\nTry 'zentab --help' for more information.", kExitUsage);
}

// Frames are read back as large as the text layer draws them.
size_t input_limit(const CliOptions& options) {
    return static_cast<size_t>(
        options.from == TableFormat::Frame && !options.raw ? kTextFrameLimit : kTextInputLimit);
}

// The words of the refusal the input would meet, without reading all of it.
std::string too_large(const CliOptions& options, const InputRead& input) {
    const std::string limit = options.raw ? std::to_string(CF_INPUT_LIMIT) + " bytes"
                                          : std::to_string(input_limit(options));
    const std::string size = input.size >= 0 ? std::to_string(input.size)
                                             : "more than " + std::to_string(input_limit(options));
    return "the input is " + size + " bytes; the limit is " + limit;
}

int write_stdout(std::string_view text, int exitCode) {
    std::string error = write_all(STDOUT_FILENO, text);
    return error.empty() ? exitCode
                         : report("cannot write to standard output: " + error, kExitTrouble);
}

// -a auto and --width auto, from the terminal standard output goes to. The
// byte-exact path counts bytes and draws at its own width: it asks nothing.
void resolve_from_terminal(CliOptions& options) {
    if (options.raw) {
        return;
    }
    if (options.ambiguousAuto) {
        options.widthModel =
            isatty(STDOUT_FILENO) != 0 ? ask_terminal_ambiguous_width() : WidthModel::Narrow;
    }
    if (options.widthAuto) {
        options.width = auto_frame_width(STDOUT_FILENO, std::getenv("COLUMNS"));
    }
}

}  // namespace

int main(int argc, char** argv) {
    // SIGPIPE keeps its default: a reader that has seen enough (head) ends
    // the filter quietly, as it ends cat.
    if (argc > 1 && std::string_view(argv[1]) == "fmt") {
        return run_fmt(std::vector<std::string>(argv + 2, argv + argc),
                       std::getenv("ZENTAB_AMBIGUOUS"));
    }
    if (argc > 1 && std::string_view(argv[1]) == "lsp") {
        return run_lsp(std::vector<std::string>(argv + 2, argv + argc), ZENTAB_VERSION);
    }
    OptionsResult parsed = parse_options(std::vector<std::string>(argv + 1, argv + argc),
                                         std::getenv("ZENTAB_AMBIGUOUS"));
    if (!parsed.error.empty()) {
        return usage_error(parsed.error);
    }
    if (parsed.options.help) {
        return write_stdout(usage_text(), 0);
    }
    if (parsed.options.version) {
        return write_stdout("zentab " ZENTAB_VERSION "\n", 0);
    }
    InputRead input = read_input(parsed.options.file, input_limit(parsed.options));
    if (!input.error.empty()) {
        return report(input.error, kExitTrouble);
    }
    if (input.tooLarge) {
        return report(too_large(parsed.options, input), kExitTrouble);
    }
    // After the input is read: keys typed as input never meet the question.
    resolve_from_terminal(parsed.options);
    JobOutput job = frame_job(parsed.options, input.bytes, STDOUT_FILENO);
    write_all(STDERR_FILENO, job.err);
    if (!job.writeError.empty()) {
        return report("cannot write to standard output: " + job.writeError, kExitTrouble);
    }
    return write_stdout(job.out(), job.exitCode);
}
