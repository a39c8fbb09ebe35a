// Whole-input reading and checked writing on file descriptors.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/large_buffers.h"

struct InputRead {
    LargeString bytes;
    std::string error;      // set when the input cannot be read
    bool tooLarge = false;  // more than the limit: bytes is empty
    int64_t size = -1;      // of a too large regular file; -1 for a stream
};

// path "-" reads standard input. Reads at most limit + 1 bytes, enough to
// know that the input is too large, so memory stays near the limit whatever
// is piped in.
InputRead read_input(const std::string& path, size_t limit);

// Reads fd to its end into bytes, stopping past limit bytes (bytes then
// holds limit + 1). Returns 0, or the errno of a failed read.
int read_up_to(int fd, size_t limit, LargeString& bytes);

// Writes all of text; returns an empty string or the reason for the failure.
std::string write_all(int fd, std::string_view text);
