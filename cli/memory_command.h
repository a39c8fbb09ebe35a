// The frame command for a face with no files or terminal of its own (the npm
// package's module): the caller hands over the input and $COLUMNS, and gets
// back what the command would write. The same parser and messages as the
// command's, so the two cannot drift.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_answer.h"
#include "cli/options.h"

struct MemoryStart {
    std::optional<CommandAnswer> answer;  // set when the command answers without input
    CliOptions options;
};

MemoryStart start_memory_command(const std::vector<std::string>& args, const char* ambiguousDefault,
                                 const std::string& version);

// inputSize: of the regular file the input is, or -1 for a stream.
// columns: $COLUMNS, or the terminal's width when standard output is one.
CommandAnswer finish_memory_command(CliOptions options, const std::string& input, int64_t inputSize,
                                    const char* columns);
