// Line ends of the desktop application's messages, for a terminal.
#pragma once

#include <string>
#include <string_view>

std::string crlf_to_lf(std::string_view text);
