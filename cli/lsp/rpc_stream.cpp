#include "cli/lsp/rpc_stream.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "cli/stream_io.h"

namespace lsp {

namespace {

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// The length a Content-Length value gives, or npos when it gives none.
size_t content_length(std::string_view value) {
    if (value.empty() || value.size() > 12) {
        return std::string_view::npos;
    }
    size_t length = 0;
    for (const char c : value) {
        if (c < '0' || c > '9') {
            return std::string_view::npos;
        }
        length = length * 10 + static_cast<size_t>(c - '0');
    }
    return length;
}

}  // namespace

void MessageFramer::feed(std::string_view bytes) {
    if (skipping_ > 0) {
        const size_t dropped = std::min(skipping_, bytes.size());
        skipping_ -= dropped;
        bytes.remove_prefix(dropped);
    }
    buffer_.append(bytes);
}

// Reads the headers at the front of the buffer once they are whole. Lines
// end in CR LF, or LF from a lenient client.
bool MessageFramer::take_headers(std::string& error) {
    size_t end = buffer_.find("\r\n\r\n");
    size_t bodyStart = end + 4;
    const size_t bare = buffer_.find("\n\n");
    if (bare < end) {
        end = bare;
        bodyStart = bare + 2;
    }
    if (end == std::string::npos) {
        if (buffer_.size() > 64 * 1024) {
            error = "headers without an end";
            buffer_.clear();
        }
        return false;
    }
    const std::string_view headers = std::string_view(buffer_).substr(0, end);
    size_t length = std::string_view::npos;
    for (size_t at = 0; at <= headers.size();) {
        size_t lineEnd = headers.find('\n', at);
        if (lineEnd == std::string_view::npos) {
            lineEnd = headers.size();
        }
        const std::string_view line = headers.substr(at, lineEnd - at);
        const size_t colon = line.find(':');
        if (colon != std::string_view::npos &&
            equal_ignoring_case(trimmed(line.substr(0, colon)), "Content-Length")) {
            length = content_length(trimmed(line.substr(colon + 1)));
            if (length == std::string_view::npos) {
                error = "a Content-Length that is not a number";
            }
        }
        at = lineEnd + 1;
    }
    buffer_.erase(0, bodyStart);
    if (error.empty() && length == std::string_view::npos) {
        error = "headers without a Content-Length";
    }
    if (error.empty() && length > kMessageLimit) {
        error = "a message of " + std::to_string(length) + " bytes; the limit is " +
                std::to_string(kMessageLimit);
        const size_t dropped = std::min(length, buffer_.size());
        buffer_.erase(0, dropped);
        skipping_ = length - dropped;
    }
    if (!error.empty()) {
        return false;
    }
    bodyWanted_ = length;
    inBody_ = true;
    return true;
}

std::optional<Frame> MessageFramer::take() {
    if (!inBody_) {
        std::string error;
        if (!take_headers(error)) {
            if (!error.empty()) {
                return Frame{"", error};
            }
            return std::nullopt;
        }
    }
    if (buffer_.size() < bodyWanted_) {
        return std::nullopt;
    }
    Frame frame;
    if (buffer_.size() == bodyWanted_) {
        frame.body = std::move(buffer_);
        buffer_.clear();
    } else {
        frame.body = buffer_.substr(0, bodyWanted_);
        buffer_.erase(0, bodyWanted_);
    }
    inBody_ = false;
    bodyWanted_ = 0;
    return frame;
}

bool RpcReader::read_some(bool wait) {
    if (ended_) {
        return false;
    }
    if (!wait) {
        pollfd poller{fd_, POLLIN, 0};
        if (poll(&poller, 1, 0) <= 0) {
            return false;
        }
    }
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = read(fd_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            ended_ = true;
            return false;
        }
        framer_.feed(std::string_view(chunk, static_cast<size_t>(got)));
        return true;
    }
}

std::optional<Frame> RpcReader::next() {
    for (;;) {
        if (!ready_.empty()) {
            Frame frame = std::move(ready_.front());
            ready_.pop_front();
            return frame;
        }
        if (std::optional<Frame> frame = framer_.take()) {
            return frame;
        }
        if (!read_some(true)) {
            return std::nullopt;
        }
    }
}

const std::deque<Frame>& RpcReader::read_ahead() {
    while (read_some(false)) {
        while (std::optional<Frame> frame = framer_.take()) {
            ready_.push_back(std::move(*frame));
        }
    }
    while (std::optional<Frame> frame = framer_.take()) {
        ready_.push_back(std::move(*frame));
    }
    return ready_;
}

bool write_message(int fd, std::string_view body) {
    const std::string header = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    return write_all(fd, header).empty() && write_all(fd, body).empty();
}

}  // namespace lsp
