// The command's options as the text layer's request, for faces that frame
// without the C library (the npm package's module); the command itself goes
// through library_options.
#pragma once

#include <string_view>

#include "cli/options.h"
#include "text/frame_text.h"

// The request views options' strings and text: both must outlive it.
FrameRequest options_request(const CliOptions& options, std::string_view text);
