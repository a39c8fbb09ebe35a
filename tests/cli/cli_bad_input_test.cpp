// The tool under hostile input and output: always a clear error, never a crash.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "process_runner.h"

namespace {

TEST(ZentabBadInput, TenMegabyteFileIsRefusedWithItsSize) {
    TempFile big(std::string(10u << 20, 'a'));
    ProcessRun run = run_zentab({big.path()}, "");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "zentab: the input is 10485760 bytes; the limit is 1048576\n");
    EXPECT_EQ(run.exitCode, 1);
}

// A stream is read only up to the limit that applies, and the refusal says so.
TEST(ZentabBadInput, StreamPastTheLimitIsRefusedUnread) {
    struct {
        const char* args;
        const char* err;
    } const cases[] = {
        {"", "zentab: the input is more than 1048576 bytes; the limit is 1048576\n"},
        {"--from frame", "zentab: the input is more than 67108864 bytes; the limit is 67108864\n"},
        {"--raw", "zentab: the input is more than 1048576 bytes; the limit is 4096 bytes\n"},
    };
    for (const auto& c : cases) {
        TempFile errors("");
        const std::string command = std::string("head -c 80000000 /dev/zero | '") + ZENTAB_BINARY +
                                    "' " + c.args + " 2>'" + errors.path() + "' >/dev/null";
        EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1) << c.args;
        std::ifstream written(errors.path());
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), c.err) << c.args;
    }
}

// One cell so wide that the frame, with blank lines padding it, is exactly
// bytes long.
std::string frame_of_bytes(size_t bytes) {
    const size_t width = (bytes - 9) / 3;
    const std::string rule = "+" + std::string(width, '-') + "+\n";
    std::string frame = rule + "|" + std::string(width, 'a') + "|\n" + rule;
    return frame + std::string(bytes - frame.size(), '\n');
}

// Inputs of exactly the limit are read; one byte more is refused.
TEST(ZentabBadInput, LimitsAreExact) {
    constexpr size_t kTable = size_t{1} << 20;
    constexpr size_t kFrame = size_t{64} << 20;
    struct {
        std::vector<std::string> args;
        std::string input;
        std::string out;
        std::string err;
    } const cases[] = {
        {{"--to", "psv"},
         std::string(kTable - 1, 'x') + "\n",
         std::string(kTable - 1, 'x') + "\n",
         ""},
        {{"--unframe"}, frame_of_bytes(kFrame), std::string((kFrame - 9) / 3, 'a') + "\n", ""},
        {{"--unframe"},
         frame_of_bytes(kFrame + 1),
         "",
         "zentab: the input is 67108865 bytes; the limit is 67108864\n"},
    };
    for (const auto& c : cases) {
        ProcessRun run = run_zentab(c.args, c.input);
        EXPECT_TRUE(run.out == c.out) << c.input.size() << " bytes: " << run.out.size();
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.exitCode, c.err.empty() ? 0 : 1);
    }
}

TEST(ZentabBadInput, BinaryNoiseNeverCrashes) {
    std::string noise;
    for (int n = 0; n < 3000; ++n) {
        noise += static_cast<char>((n * 7919 + 13) % 256);
    }
    for (const char* encoding : {"utf-8", "cp932"}) {
        ProcessRun run = run_zentab({"-e", encoding}, noise);
        EXPECT_EQ(run.exitCode, 1) << encoding;
        EXPECT_NE(run.err.find("zentab: "), std::string::npos) << encoding;
        EXPECT_EQ(run.out, "") << encoding;
    }
}

TEST(ZentabBadOutput, ClosedStdoutIsReported) {
    ProcessRun run = run_zentab({}, "a|b\n", StdoutMode::Closed);
    EXPECT_EQ(run.err, "zentab: cannot write to standard output: Bad file descriptor\n");
    EXPECT_EQ(run.exitCode, 1);
}

// A reader that stops early, as head does, ends the filter without a word.
TEST(ZentabBadOutput, ClosedPipeEndsQuietly) {
    std::string table;
    for (int row = 0; row < 20000; ++row) {
        table += "row " + std::to_string(row) + "|cell\n";
    }
    TempFile input(table);
    TempFile errors("");
    const std::string command = std::string("'") + ZENTAB_BINARY + "' '" + input.path() + "' 2>'" +
                                errors.path() + "' | head -c 1 >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream written(errors.path());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), "");
}

TEST(ZentabBadOutput, FullDeviceIsReported) {
    ProcessRun run = run_zentab({}, "a|b\n", StdoutMode::DevFull);
    EXPECT_EQ(run.err, "zentab: cannot write to standard output: No space left on device\n");
    EXPECT_EQ(run.exitCode, 1);
}

}  // namespace
