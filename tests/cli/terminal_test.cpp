// -a auto and --width auto against a pseudo-terminal, a test thread playing
// the terminal; and the parts that read what a terminal says.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cli/ambiguous_probe.h"
#include "cli/terminal_width.h"

namespace {

TEST(ReportedColumn, FindsTheFirstCompleteCursorReport) {
    struct Case {
        std::string sent;
        std::optional<int32_t> column;
    };
    const Case cases[] = {
        {"\x1B[12;3R", 3},          {"\x1B[1;2R", 2},           {"\x1B[1;40R\x1B[1;3R", 40},
        {"typed\x1B[5;3R", 3},      {"\x1B[A\x1B[2;2R", 2},  // an arrow key first
        {"\x1B[1;3", std::nullopt}, {"\x1B[1;R", std::nullopt}, {"\x1B[;3R", std::nullopt},
        {"\x1B[13R", std::nullopt}, {"[1;3R", std::nullopt},    {"\x1B[1;1234567R", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(reported_column(c.sent), c.column) << c.sent.substr(1);
    }
    EXPECT_EQ(width_model_at(3), WidthModel::Wide);
    for (int32_t column : {1, 2, 4}) {
        EXPECT_EQ(width_model_at(column), WidthModel::Narrow) << column;
    }
}

class PseudoTerminal : public ::testing::Test {
  protected:
    void SetUp() override {
        winsize size{};
        size.ws_col = 100;
        size.ws_row = 30;
        ASSERT_EQ(openpty(&terminal_, &program_, nullptr, nullptr, &size), 0);
    }
    void TearDown() override {
        close(terminal_);
        close(program_);
    }

    // What the terminal reads until more than wanted is there or a quiet
    // second has passed.
    std::string read_from_program(std::string& seen, std::string_view until) const {
        char buffer[256];
        while (seen.find(until) == std::string::npos) {
            pollfd ready{terminal_, POLLIN, 0};
            if (poll(&ready, 1, 1000) <= 0) {
                break;
            }
            const ssize_t got = read(terminal_, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            seen.append(buffer, static_cast<size_t>(got));
        }
        return seen;
    }

    int terminal_ = -1;
    int program_ = -1;
};

TEST_F(PseudoTerminal, AsksWhereTheCursorIsAndAnswersNarrowWithoutAnAnswer) {
    struct Case {
        const char* name;
        std::vector<std::string> answer;  // written in these pieces
        WidthModel model;
    };
    const Case cases[] = {
        {"column 3 is wide", {"\x1B[7;3R"}, WidthModel::Wide},
        {"column 2 is narrow", {"\x1B[7;2R"}, WidthModel::Narrow},
        {"in pieces", {"\x1B[", "7;", "3R"}, WidthModel::Wide},
        {"after typed keys", {"ab\x1B[7;3R"}, WidthModel::Wide},
        {"silence", {}, WidthModel::Narrow},
        {"no report", {"\x1B[7"}, WidthModel::Narrow},
    };
    const std::string question = "\r\xE2\x94\x80\x1B[6n";
    const std::string erase = "\r\x1B[K";
    termios before{};
    ASSERT_EQ(tcgetattr(program_, &before), 0);
    for (const Case& c : cases) {
        std::string seen;
        std::thread terminal([&] {
            read_from_program(seen, "\x1B[6n");
            for (const std::string& piece : c.answer) {
                ASSERT_EQ(write(terminal_, piece.data(), piece.size()),
                          static_cast<ssize_t>(piece.size()));
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            read_from_program(seen, erase);
        });
        const auto start = std::chrono::steady_clock::now();
        const WidthModel model = ask_ambiguous_width(program_, 100);
        const auto took = std::chrono::steady_clock::now() - start;
        terminal.join();
        EXPECT_EQ(model, c.model) << c.name;
        EXPECT_EQ(seen, question + erase) << c.name;
        // A hang, not speed: silence ends at the time limit.
        EXPECT_LT(took, std::chrono::seconds(2)) << c.name;

        termios after{};
        ASSERT_EQ(tcgetattr(program_, &after), 0);
        EXPECT_EQ(after.c_lflag, before.c_lflag) << c.name;
        EXPECT_EQ(after.c_cc[VMIN], before.c_cc[VMIN]) << c.name;
        tcflush(program_, TCIFLUSH);
    }
}

TEST_F(PseudoTerminal, WidthAutoTakesTheTerminalsWidthBeforeColumns) {
    EXPECT_EQ(auto_frame_width(program_, "70"), 100);
    winsize unknown{};
    ASSERT_EQ(ioctl(program_, TIOCSWINSZ, &unknown), 0);
    EXPECT_EQ(auto_frame_width(program_, "70"), 70);
    EXPECT_EQ(auto_frame_width(program_, nullptr), 0);
}

TEST(TerminalWidth, ColumnsFromTheEnvironmentWhereThereIsNoTerminal) {
    struct Case {
        const char* columns;
        int32_t width;
    };
    const Case cases[] = {
        {"80", 80}, {"0132", 132}, {nullptr, 0},         {"", 0},        {"0", 0},       {"-80", 0},
        {"80x", 0}, {" 80", 0},    {"1000000", 1000000}, {"1000001", 0}, {"99999999", 0}};
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    for (const Case& c : cases) {
        EXPECT_EQ(columns_from_environment(c.columns), c.width)
            << (c.columns ? c.columns : "unset");
        EXPECT_EQ(auto_frame_width(pipeEnds[1], c.columns), c.width);
    }
    close(pipeEnds[0]);
    close(pipeEnds[1]);
}

}  // namespace
