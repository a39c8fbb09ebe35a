// What the frame command answers without framing anything: a bad command
// line, --help, --version, an input it cannot take. Shared by every face that
// runs the command's options, so each says the same words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"

constexpr int kExitTrouble = 1;
constexpr int kExitUsage = 2;

struct CommandAnswer {
    int status = 0;
    std::string out;
    std::string err;
};

// Usage errors, --help and --version, before any input is read; nullopt when
// the command goes on to read its input.
std::optional<CommandAnswer> answer_before_input(const OptionsResult& parsed,
                                                 const std::string& version);

// "zentab: message" and the hint of --help on standard error, exit status 2.
CommandAnswer usage_error(const std::string& message);

// fmt and lsp, for a face that runs only the frame command's options: a
// usage error in the command's words; nullopt for other arguments.
std::optional<CommandAnswer> refuse_command_only(const std::vector<std::string>& args);

// "zentab: message" on standard error, exit status 1.
CommandAnswer trouble(const std::string& message);

// Frames are read back as large as the text layer draws them.
size_t input_limit(const CliOptions& options);

// The words of the refusal an input past input_limit meets; size -1 when only
// more than the limit was read.
std::string too_large(const CliOptions& options, int64_t size);
