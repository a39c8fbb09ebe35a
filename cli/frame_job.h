// One run of zentab on an input already read: what goes to standard output
// and standard error, and the exit status.
#pragma once

#include <string>

#include "cli/options.h"

struct JobOutput {
    std::string out;
    std::string err;
    int exitCode = 0;
};

JobOutput frame_job(const CliOptions& options, const std::string& input);
