// Whole-input reading and checked writing on file descriptors.
#pragma once

#include <string>
#include <string_view>

#include "text/text_limits.h"

// Frames are read back as large as the text layer draws them.
constexpr size_t kMaxInputBytes = static_cast<size_t>(kTextFrameLimit);

struct InputRead {
    std::string bytes;
    std::string error;  // set when the input cannot be read, or is too large
};

// path "-" reads standard input.
InputRead read_input(const std::string& path);

// Writes all of text; returns an empty string or the reason for the failure.
std::string write_all(int fd, std::string_view text);
