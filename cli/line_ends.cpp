#include "cli/line_ends.h"

std::string lone_lf_to_crlf(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\n' && (at == 0 || text[at - 1] != '\r')) {
            result += '\r';
        }
        result += text[at];
    }
    return result;
}

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
