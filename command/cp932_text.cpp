#include "command/cp932_text.h"

#include "core/text_rules.h"

std::string cp932_replace_all(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        if (!from.empty() && text.compare(at, from.size(), from) == 0) {
            result += to;
            at += from.size();
            continue;
        }
        size_t length = text_rules::char_length(text, at, true);
        result.append(text, at, length);
        at += length;
    }
    return result;
}
