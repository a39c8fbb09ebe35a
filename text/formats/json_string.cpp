#include "text/formats/json_string.h"

namespace formats {

void append_json_string(std::string& out, std::string_view text) {
    out += '"';
    size_t run = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x20 && byte != '"' && byte != '\\') {
            continue;
        }
        out.append(text.substr(run, at - run));
        run = at + 1;
        constexpr std::string_view kShort = "\"\\\b\f\n\r\t";
        constexpr std::string_view kLetters = "\"\\bfnrt";
        const size_t shortForm = kShort.find(text[at]);
        if (byte != 0 && shortForm != std::string_view::npos) {
            out += '\\';
            out += kLetters[shortForm];
        } else {
            out += "\\u00";
            out += "0123456789abcdef"[byte >> 4];
            out += "0123456789abcdef"[byte & 0xF];
        }
    }
    out.append(text.substr(run));
    out += '"';
}

}  // namespace formats
