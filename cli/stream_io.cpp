#include "cli/stream_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "text/large_buffers.h"

namespace {

std::string read_error(const std::string& path, int error) {
    const std::string source = path == "-" ? std::string("standard input") : "'" + path + "'";
    return "cannot read " + source + ": " + std::strerror(error);
}

// A regular file too large is refused by its size, unread.
bool too_large_file(int fd, size_t limit, InputRead& input) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<uint64_t>(info.st_size) <= limit) {
        return false;
    }
    input.tooLarge = true;
    input.size = static_cast<int64_t>(info.st_size);
    return true;
}

InputRead read_fd(int fd, const std::string& path, size_t limit) {
    InputRead input;
    if (too_large_file(fd, limit, input)) {
        return input;
    }
    const int error = read_up_to(fd, limit, input.bytes);
    if (error != 0) {
        input.error = read_error(path, error);
        input.bytes.clear();
    } else if (input.bytes.size() > limit) {
        input.tooLarge = true;
        input.bytes = LargeString();
    }
    return input;
}

}  // namespace

InputRead read_input(const std::string& path, size_t limit) {
    if (path == "-") {
        return read_fd(STDIN_FILENO, path, limit);
    }
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        InputRead failed;
        failed.error = read_error(path, errno);
        return failed;
    }
    InputRead input = read_fd(fd, path, limit);
    close(fd);
    return input;
}

int read_up_to(int fd, size_t limit, LargeString& bytes) {
    bytes.clear();
    // Untouched pages cost nothing, and the string never doubles past the limit.
    bytes.reserve(limit + 1);
    constexpr size_t kChunk = 64 * 1024;
    while (bytes.size() <= limit) {
        const size_t used = bytes.size();
        const size_t want = std::min(kChunk, limit + 1 - used);
        // read() writes the chunk: filling it first would be a pass more.
        char* chunk = grow_unfilled(bytes, used + want) + used;
        const ssize_t got = read(fd, chunk, want);
        if (got < 0) {
            bytes.resize(used);
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.resize(used + static_cast<size_t>(got));
        if (got == 0) {
            break;
        }
    }
    release_unused(bytes.data(), bytes.size() + 1, bytes.capacity() + 1);
    return 0;
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
