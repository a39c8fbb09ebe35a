#include "cli/terminal_width.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

int32_t terminal_columns(int fd) {
    winsize size{};
    if (isatty(fd) == 0 || ioctl(fd, TIOCGWINSZ, &size) != 0) {
        return 0;
    }
    return size.ws_col;
}

}  // namespace

int32_t auto_frame_width(int fd, const char* columnsVariable) {
    const int32_t columns = terminal_columns(fd);
    return columns > 0 ? columns : columns_from_environment(columnsVariable);
}
