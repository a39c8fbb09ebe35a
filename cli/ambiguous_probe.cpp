#include "cli/ambiguous_probe.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

namespace {

// The answer comes within a few milliseconds where there is one; waiting
// longer only delays every frame on a terminal that keeps quiet.
constexpr int kTimeoutMs = 100;

// U+2500, the commonest ambiguous character in a frame, between a carriage
// return and the request for the cursor's place.
constexpr std::string_view kQuestion = "\r\xE2\x94\x80\x1B[6n";
// Back to the line's start, and the line cleared.
constexpr std::string_view kErase = "\r\x1B[K";

// Digits at at, up to stop; advances at past them.
std::optional<int32_t> digits(std::string_view text, size_t& at, char stop) {
    int32_t value = 0;
    const size_t first = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - first < 6) {
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    if (at == first || at >= text.size() || text[at] != stop) {
        return std::nullopt;
    }
    ++at;
    return value;
}

bool write_fully(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// What the terminal sends until it reports the cursor's column or the time
// is up.
std::optional<int32_t> read_report(int fd, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string sent;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return std::nullopt;
        }
        pollfd ready{fd, POLLIN, 0};
        const int polled = poll(&ready, 1, static_cast<int>(left));
        if (polled < 0 && errno == EINTR) {
            continue;
        }
        if (polled <= 0 || (ready.revents & POLLIN) == 0) {
            return std::nullopt;
        }
        char buffer[64];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (got <= 0) {
            return std::nullopt;
        }
        sent.append(buffer, static_cast<size_t>(got));
        if (std::optional<int32_t> column = reported_column(sent)) {
            return column;
        }
    }
}

}  // namespace

std::optional<int32_t> reported_column(std::string_view sent) {
    for (size_t start = sent.find("\x1B["); start != std::string_view::npos;
         start = sent.find("\x1B[", start + 1)) {
        size_t at = start + 2;
        if (digits(sent, at, ';')) {
            if (std::optional<int32_t> column = digits(sent, at, 'R')) {
                return column;
            }
        }
    }
    return std::nullopt;
}

WidthModel width_model_at(int32_t column) {
    return column == 3 ? WidthModel::Wide : WidthModel::Narrow;
}

WidthModel ask_ambiguous_width(int fd, int timeoutMs) {
    termios saved{};
    if (tcgetattr(fd, &saved) != 0) {
        return WidthModel::Narrow;
    }
    // Keys arrive one by one and unechoed, so the report is neither shown
    // nor held back until a line ends. Typed-ahead input stays queued.
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    quiet.c_cc[VMIN] = 0;
    quiet.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &quiet) != 0) {
        return WidthModel::Narrow;
    }
    std::optional<int32_t> column;
    if (write_fully(fd, kQuestion)) {
        column = read_report(fd, timeoutMs);
    }
    write_fully(fd, kErase);
    tcsetattr(fd, TCSANOW, &saved);
    return column ? width_model_at(*column) : WidthModel::Narrow;
}

WidthModel ask_terminal_ambiguous_width() {
    const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return WidthModel::Narrow;
    }
    // Changing the settings of a terminal from the background would stop the
    // process (SIGTTOU) until it is brought to the foreground.
    const WidthModel model =
        tcgetpgrp(fd) == getpgrp() ? ask_ambiguous_width(fd, kTimeoutMs) : WidthModel::Narrow;
    close(fd);
    return model;
}
