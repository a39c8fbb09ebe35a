#include "cli/lsp/rpc_stream.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <random>

namespace {

using lsp::Frame;
using lsp::MessageFramer;

std::vector<Frame> all_frames(MessageFramer& framer) {
    std::vector<Frame> frames;
    while (std::optional<Frame> frame = framer.take()) {
        frames.push_back(std::move(*frame));
    }
    return frames;
}

// Bytes fed in pieces of every size give the same frames as fed whole.
TEST(MessageFramer, FramesArrivingInPiecesOfAnySize) {
    const std::string stream =
        "Content-Length: 2\r\n\r\n{}"
        "content-length:  5 \r\nContent-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\n"
        "[1,2]"
        "Content-Length: 0\r\n\r\n"
        "Content-Length: 7\n\n\"\xC3\xA9\xE6\xBC\xA2\"";
    const std::vector<std::string> bodies = {"{}", "[1,2]", "", "\"\xC3\xA9\xE6\xBC\xA2\""};
    std::mt19937_64 random(1);
    for (int round = 0; round < 300; ++round) {
        MessageFramer framer;
        std::vector<Frame> frames;
        for (size_t at = 0; at < stream.size();) {
            const size_t piece = std::min<size_t>(1 + random() % 9, stream.size() - at);
            framer.feed(std::string_view(stream).substr(at, piece));
            at += piece;
            for (Frame& frame : all_frames(framer)) {
                frames.push_back(std::move(frame));
            }
        }
        ASSERT_EQ(frames.size(), bodies.size());
        for (size_t i = 0; i < bodies.size(); ++i) {
            EXPECT_TRUE(frames[i].ok()) << frames[i].error;
            EXPECT_EQ(frames[i].body, bodies[i]);
        }
    }
}

TEST(MessageFramer, HeadersWithoutAUsableLengthAreErrorsAndTheNextFrameStillComes) {
    const char* const bad[] = {
        "Content-Type: x\r\n\r\n",
        "Content-Length: twelve\r\n\r\n",
        "Content-Length: -4\r\n\r\n",
        "Content-Length: \r\n\r\n",
        "Content-Length: 99999999999999999\r\n\r\n",
    };
    for (const char* header : bad) {
        MessageFramer framer;
        framer.feed(header);
        framer.feed("Content-Length: 2\r\n\r\n{}");
        const std::vector<Frame> frames = all_frames(framer);
        ASSERT_EQ(frames.size(), 2u) << header;
        EXPECT_FALSE(frames[0].ok()) << header;
        EXPECT_TRUE(frames[1].ok()) << header;
        EXPECT_EQ(frames[1].body, "{}") << header;
    }
}

TEST(MessageFramer, ABodyPastTheLimitIsDroppedAsItArrives) {
    MessageFramer framer;
    const size_t length = lsp::kMessageLimit + 10;
    framer.feed("Content-Length: " + std::to_string(length) + "\r\n\r\n");
    std::optional<Frame> refused = framer.take();
    ASSERT_TRUE(refused);
    EXPECT_FALSE(refused->ok());
    const std::string chunk(1 << 20, 'x');
    for (size_t left = length; left > 0;) {
        const size_t piece = std::min(left, chunk.size());
        framer.feed(std::string_view(chunk).substr(0, piece));
        left -= piece;
        ASSERT_FALSE(framer.take());
    }
    framer.feed("Content-Length: 1\r\n\r\n7");
    std::optional<Frame> next = framer.take();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->body, "7");
}

TEST(RpcReader, ReadsAheadWithoutWaitingAndKeepsOrder) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    lsp::RpcReader reader(pipeEnds[0]);
    EXPECT_TRUE(reader.read_ahead().empty());  // nothing written: no wait either
    ASSERT_TRUE(lsp::write_message(pipeEnds[1], "[1]"));
    ASSERT_TRUE(lsp::write_message(pipeEnds[1], "[2]"));
    EXPECT_EQ(reader.read_ahead().size(), 2u);
    close(pipeEnds[1]);
    EXPECT_EQ(reader.next()->body, "[1]");
    EXPECT_EQ(reader.next()->body, "[2]");
    EXPECT_FALSE(reader.next());
    close(pipeEnds[0]);
}

}  // namespace
