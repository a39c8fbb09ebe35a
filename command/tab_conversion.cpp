#include "command/tab_conversion.h"

#include "command/cp932_text.h"
#include "core/text_rules.h"

namespace {

// Where the scan stands relative to the last complete CR LF. A CR or LF that
// is the second byte of a character does not count.
struct LineState {
    bool atLineStart = true;
    bool afterCr = false;

    void step(std::string_view character) {
        bool cr = character == "\r";
        atLineStart = afterCr && character == "\n";
        afterCr = cr;
    }
};

bool crlf_follows(std::string_view text, size_t at) {
    return at + 2 < text.size() && text[at + 1] == '\r' && text[at + 2] == '\n';
}

}  // namespace

// One forward scan over whole characters gives the same bytes as the four
// replacement steps: each step inserts only single-byte '|' at character
// boundaries, so no step moves a boundary that a later step relies on.
std::string convert_tabs(std::string_view text) {
    if (text.find('\t') == std::string_view::npos) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size() + text.size() / 4);
    LineState line;
    size_t at = 0;
    while (at < text.size()) {
        std::string_view character = text.substr(at, text_rules::char_length(text, at, true));
        if (character == "\t") {
            if (line.atLineStart) {
                result += '|';
            }
            result += '|';
            if (crlf_follows(text, at)) {
                result += '|';
            }
        } else {
            result += character;
        }
        line.step(character);
        at += character.size();
    }
    return result;
}
