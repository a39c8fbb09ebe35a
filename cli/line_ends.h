// Line-end conversions between Unix text and the pipeline's CR LF.
#pragma once

#include <string>
#include <string_view>

// An LF without a CR before it becomes CR LF; a CR LF or lone CR stays.
std::string lone_lf_to_crlf(std::string_view text);

// Every CR LF becomes LF.
std::string crlf_to_lf(std::string_view text);
