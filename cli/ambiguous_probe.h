// -a auto: asks the terminal how wide it draws an East Asian ambiguous
// character. One is written on the terminal after a carriage return, the
// terminal is asked where its cursor stands (ESC [ 6 n), and the line is
// erased again; a terminal that does not answer in time counts as narrow.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "text/width_model.h"

// The column of the first cursor position report (ESC [ row ; column R) in
// what the terminal sent, which may hold other keys typed before it; nothing
// while the report is incomplete or absent.
std::optional<int32_t> reported_column(std::string_view sent);

// The width model of a terminal whose cursor stands at column after one
// ambiguous character written from column 1.
WidthModel width_model_at(int32_t column);

// Asks the terminal on fd, which stays open; gives up after timeoutMs. The
// terminal's settings are as they were afterwards.
WidthModel ask_ambiguous_width(int fd, int timeoutMs);

// Asks /dev/tty, when this process may use it (it is in the foreground).
WidthModel ask_terminal_ambiguous_width();
