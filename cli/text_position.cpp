#include "cli/text_position.h"

#include "command/cp932_text.h"

namespace {

size_t character_length(std::string_view text, size_t at, CharacterRule rule) {
    if (rule == CharacterRule::Cp932) {
        return cp932_char_length(text, at);
    }
    size_t length = 1;
    while (at + length < text.size() &&
           (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

}  // namespace

std::string describe_position(std::string_view text, size_t offset, CharacterRule rule) {
    size_t line = 1;
    size_t column = 1;
    size_t at = 0;
    while (at < offset && at < text.size()) {
        if (text[at] == '\n') {
            ++line;
            column = 1;
            ++at;
            continue;
        }
        at += character_length(text, at, rule);
        ++column;
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}
