// --raw: exactly the bytes the desktop application makes, and its messages.
#pragma once

#include <string>
#include <string_view>

#include "cli/command_answer.h"
#include "cli/options.h"

CommandAnswer raw_job(const CliOptions& options, std::string_view input);
