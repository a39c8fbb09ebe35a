#include "cli/stream_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/text_limits.h"

namespace {

std::string describe_source(const std::string& path) {
    return path == "-" ? std::string("standard input") : "'" + path + "'";
}

std::string read_error(const std::string& path, int error) {
    return "cannot read " + describe_source(path) + ": " + std::strerror(error);
}

// Reads until end of input; stops with an error past kMaxInputBytes, since
// no input that large can be framed or read back.
InputRead read_fd(int fd, const std::string& path) {
    InputRead input;
    constexpr size_t kChunk = 64 * 1024;
    for (;;) {
        size_t used = input.bytes.size();
        input.bytes.resize(used + kChunk);
        ssize_t got = read(fd, input.bytes.data() + used, kChunk);
        if (got < 0 && errno == EINTR) {
            input.bytes.resize(used);
            continue;
        }
        if (got < 0) {
            input.error = read_error(path, errno);
            input.bytes.clear();
            return input;
        }
        input.bytes.resize(used + static_cast<size_t>(got));
        if (got == 0) {
            return input;
        }
        if (input.bytes.size() > kMaxInputBytes) {
            input.error = describe_source(path) + " holds more than " +
                          std::to_string(kMaxInputBytes) + " bytes; at most " +
                          std::to_string(kTextInputLimit) + " bytes of a table, or " +
                          std::to_string(kTextFrameLimit) + " of a frame, can be read";
            input.bytes.clear();
            return input;
        }
    }
}

}  // namespace

InputRead read_input(const std::string& path) {
    if (path == "-") {
        return read_fd(STDIN_FILENO, path);
    }
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        InputRead failed;
        failed.error = read_error(path, errno);
        return failed;
    }
    InputRead input = read_fd(fd, path);
    close(fd);
    return input;
}

std::string write_all(int fd, std::string_view text) {
    size_t written = 0;
    while (written < text.size()) {
        ssize_t put = write(fd, text.data() + written, text.size() - written);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            return std::strerror(errno);
        }
        written += static_cast<size_t>(put);
    }
    return {};
}
