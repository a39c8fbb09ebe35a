#include "cli/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "cli/text_position.h"
#include "cli/utf8.h"

namespace {

struct IconvResult {
    std::string text;
    bool ok = true;
    size_t failedAt = 0;  // input offset of the first unconvertible character
};

IconvResult run_iconv(const char* to, const char* from, std::string_view input) {
    IconvResult result;
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        result.ok = false;
        return result;
    }
    // CP932 takes at most 3 UTF-8 bytes per input byte; UTF-8 at most 2 CP932 bytes.
    result.text.resize(input.size() * 3 + 16);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* out = result.text.data();
    size_t outLeft = result.text.size();
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) {
        result.ok = false;
        result.failedAt = input.size() - inLeft;
    }
    result.text.resize(result.text.size() - outLeft);
    iconv_close(converter);
    return result;
}

std::string code_point_name(std::string_view utf8, size_t at) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(decode_utf8_at(utf8, at)));
    return name;
}

bool is_ascii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

}  // namespace

Conversion utf8_to_cp932(std::string_view utf8) {
    Conversion conversion;
    size_t invalidAt = find_invalid_utf8(utf8);
    if (invalidAt != std::string_view::npos) {
        conversion.error =
            describe_position(utf8, invalidAt, CharacterRule::Utf8) + ": invalid UTF-8";
        return conversion;
    }
    // ASCII is the same in both, and skipping iconv spares loading its module.
    if (is_ascii(utf8)) {
        conversion.text = std::string(utf8);
        return conversion;
    }
    IconvResult converted = run_iconv("CP932", "UTF-8", utf8);
    if (!converted.ok) {
        conversion.error = describe_position(utf8, converted.failedAt, CharacterRule::Utf8) + ": " +
                           code_point_name(utf8, converted.failedAt) +
                           " cannot be written in code page 932";
        return conversion;
    }
    conversion.text = std::move(converted.text);
    return conversion;
}

Conversion cp932_to_utf8(std::string_view cp932) {
    Conversion conversion;
    IconvResult converted = run_iconv("UTF-8", "CP932", cp932);
    if (!converted.ok) {
        conversion.error = "the frame cannot be written as UTF-8: " +
                           describe_position(cp932, converted.failedAt, CharacterRule::Cp932) +
                           " holds a broken code page 932 character (try -e cp932)";
        return conversion;
    }
    conversion.text = std::move(converted.text);
    return conversion;
}
