// --raw: exactly the bytes the desktop application makes, and its messages.
#pragma once

#include <string>

#include "cli/command_answer.h"
#include "cli/options.h"

CommandAnswer raw_job(const CliOptions& options, const std::string& input);
