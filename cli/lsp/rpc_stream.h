// Messages framed as the protocol frames them: headers ending in an empty
// line, a Content-Length among them, then that many bytes of JSON.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace lsp {

// The body the largest document the formatter takes needs, escaped, with room.
constexpr size_t kMessageLimit = size_t{512} << 20;

struct Frame {
    std::string body;
    std::string error;  // the headers were unusable: body is empty

    bool ok() const { return error.empty(); }
};

// Cuts bytes, fed as they arrive in pieces of any size, into frames.
class MessageFramer {
  public:
    void feed(std::string_view bytes);
    // The next whole frame, if one has arrived.
    std::optional<Frame> take();

  private:
    bool take_headers(std::string& error);

    std::string buffer_;
    size_t bodyWanted_ = 0;  // after the headers of a frame: its length
    bool inBody_ = false;
    size_t skipping_ = 0;  // a body too large to hold, dropped as it arrives
};

// The framer on a file descriptor.
class RpcReader {
  public:
    explicit RpcReader(int fd) : fd_(fd) {}

    // Waits for the next frame; nothing once the input has ended.
    std::optional<Frame> next();
    // Reads whatever has arrived without waiting, and returns the frames
    // made whole and not yet taken, so that a cancellation can overtake
    // what it cancels.
    const std::deque<Frame>& read_ahead();

  private:
    bool read_some(bool wait);

    int fd_;
    MessageFramer framer_;
    std::deque<Frame> ready_;
    bool ended_ = false;
};

// Writes one message with its header; false when the output is gone.
bool write_message(int fd, std::string_view body);

}  // namespace lsp
