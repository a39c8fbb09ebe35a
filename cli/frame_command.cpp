#include "cli/frame_command.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "cli/ambiguous_probe.h"
#include "cli/frame_job.h"
#include "cli/stream_io.h"
#include "cli/terminal_width.h"

namespace {

int report(const std::string& message, int exitCode) {
    write_all(STDERR_FILENO, "zentab: " + message + "\n");
    return exitCode;
}

int write_stdout(std::string_view text, int exitCode) {
    std::string error = write_all(STDOUT_FILENO, text);
    return error.empty() ? exitCode
                         : report("cannot write to standard output: " + error, kExitTrouble);
}

int report_answer(const CommandAnswer& answer) {
    write_all(STDERR_FILENO, answer.err);
    return write_stdout(answer.out, answer.status);
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

// The options and the input, ready to frame; or the answer given instead.
struct PreparedRun {
    std::optional<CommandAnswer> answer;
    CliOptions options;
    LargeString input;
};

PreparedRun prepare(const std::vector<std::string>& args, const char* ambiguousDefault,
                    const std::string& version) {
    PreparedRun run;
    OptionsResult parsed = parse_options(args, ambiguousDefault);
    run.answer = answer_before_input(parsed, version);
    if (run.answer) {
        return run;
    }
    run.options = std::move(parsed.options);
    InputRead input = read_input(run.options.file, input_limit(run.options));
    if (!input.error.empty()) {
        run.answer = trouble(input.error);
    } else if (input.tooLarge) {
        run.answer = trouble(too_large(run.options, input.size));
    }
    run.input = std::move(input.bytes);
    // After the input is read: keys typed as input never meet the question.
    resolve_from_terminal(run.options);
    return run;
}

}  // namespace

int run_frame_command(const std::vector<std::string>& args, const char* ambiguousDefault,
                      const std::string& version) {
    PreparedRun run = prepare(args, ambiguousDefault, version);
    if (run.answer) {
        return report_answer(*run.answer);
    }
    JobOutput job = frame_job(run.options, run.input, STDOUT_FILENO);
    write_all(STDERR_FILENO, job.err);
    if (!job.writeError.empty()) {
        return report("cannot write to standard output: " + job.writeError, kExitTrouble);
    }
    return write_stdout(job.out(), job.exitCode);
}

CommandAnswer collect_face_command(const std::vector<std::string>& args,
                                   const char* ambiguousDefault, const std::string& version) {
    if (std::optional<CommandAnswer> refused = refuse_command_only(args)) {
        return *refused;
    }
    PreparedRun run = prepare(args, ambiguousDefault, version);
    if (run.answer) {
        return *run.answer;
    }
    JobOutput job = frame_job(run.options, run.input);
    return CommandAnswer{job.exitCode, std::string(job.out()), std::move(job.err)};
}
