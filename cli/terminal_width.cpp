#include "cli/terminal_width.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <string_view>

namespace {

// More columns than any terminal has; a longer $COLUMNS is taken as unset.
constexpr int32_t kMostColumns = 1000000;

int32_t terminal_columns(int fd) {
    winsize size{};
    if (isatty(fd) == 0 || ioctl(fd, TIOCGWINSZ, &size) != 0) {
        return 0;
    }
    return size.ws_col;
}

}  // namespace

int32_t columns_from_environment(const char* columns) {
    if (columns == nullptr) {
        return 0;
    }
    const std::string_view text(columns);
    if (text.empty() || text.size() > 7) {
        return 0;
    }
    int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
        value = value * 10 + (c - '0');
    }
    return value <= kMostColumns ? value : 0;
}

int32_t auto_frame_width(int fd, const char* columnsVariable) {
    const int32_t columns = terminal_columns(fd);
    return columns > 0 ? columns : columns_from_environment(columnsVariable);
}
