// The tool under hostile input and output: always a clear error, never a crash.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "cli/stream_io.h"
#include "process_runner.h"

namespace {

TEST(ZentabBadInput, TenMegabyteFileIsRefusedWithItsSize) {
    TempFile big(std::string(10u << 20, 'a'));
    ProcessRun run = run_zentab({big.path()}, "");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "zentab: the input is 10485760 bytes; the limit is 1048576\n");
    EXPECT_EQ(run.exitCode, 1);
}

TEST(ZentabBadInput, InputPastTheReadCapIsRefused) {
    ProcessRun run = run_zentab({}, std::string(kMaxInputBytes + 1, 'a'));
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "zentab: standard input holds more than 67108864 bytes; at most 1048576 bytes of a "
              "table, or 67108864 of a frame, can be read\n");
    EXPECT_EQ(run.exitCode, 1);
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
