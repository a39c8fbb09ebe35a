#include "cli/line_ends.h"

std::string crlf_to_lf(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        if (!(text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')) {
            result += text[at];
        }
    }
    return result;
}
