// One run of zentab on an input already read: what goes to standard output
// and standard error, and the exit status.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "cli/options.h"

struct zentab_result;
struct zentab_options;

struct JobOutput {
    std::string text;  // standard output of the byte-exact path
    // Standard output from the library, written from where it lies: a frame
    // can be many times its input, and is not copied again.
    std::shared_ptr<zentab_result> result;
    std::string err;
    int exitCode = 0;
    std::string writeError;  // why output streamed to a descriptor stopped

    std::string_view out() const;
};

// With outFd, the library's output goes there as it is made, never held
// whole; the byte-exact path's and any message still come back.
JobOutput frame_job(const CliOptions& options, std::string_view input, int outFd = -1);

using LibraryOptions = std::unique_ptr<zentab_options, void (*)(zentab_options*)>;

// The command's options as the library's; null when out of memory.
LibraryOptions library_options(const CliOptions& options);
