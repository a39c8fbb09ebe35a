// Reading whole input from files and pipes: every byte kept, in order, at
// sizes about the read chunk and the limit, with the limit's one byte more.
#include "cli/stream_io.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <random>
#include <string>
#include <thread>

namespace {

std::string random_bytes(size_t size, std::mt19937& random) {
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

std::string read_file(const std::string& bytes, size_t limit) {
    FILE* file = std::tmpfile();
    EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fflush(file);
    std::rewind(file);
    LargeString read = "left over";
    EXPECT_EQ(read_up_to(fileno(file), limit, read), 0);
    std::fclose(file);
    return std::string(read);
}

std::string read_pipe(const std::string& bytes, size_t limit) {
    int ends[2];
    EXPECT_EQ(pipe(ends), 0);
    std::thread writer([&] {
        write_all(ends[1], bytes);
        close(ends[1]);
    });
    LargeString read;
    EXPECT_EQ(read_up_to(ends[0], limit, read), 0);
    close(ends[0]);  // a writer past the limit then stops on a broken pipe
    writer.join();
    return std::string(read);
}

TEST(ReadUpTo, KeepsEveryByteToOneByteAfterTheLimit) {
    std::signal(SIGPIPE, SIG_IGN);
    std::mt19937 random(7);
    constexpr size_t kChunk = 64 * 1024;
    const size_t limit = 3 * kChunk + 5;
    for (size_t size : {size_t{0}, size_t{1}, kChunk - 1, kChunk, kChunk + 1, limit - 1, limit,
                        limit + 1, limit + kChunk, size_t{3} << 20}) {
        const std::string bytes = random_bytes(size, random);
        const std::string expected = bytes.substr(0, std::min(size, limit + 1));
        EXPECT_EQ(read_file(bytes, limit), expected) << "file of " << size;
        EXPECT_EQ(read_pipe(bytes, limit), expected) << "pipe of " << size;
    }
}

}  // namespace
