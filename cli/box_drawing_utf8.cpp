#include "cli/box_drawing_utf8.h"

#include <cstdint>

namespace {

constexpr unsigned char kBoxLead = 0x84;
constexpr unsigned char kFirstBox = 0x9F;

// Code points of 0x849F..0x84BE in order, as glibc's CP932 maps them.
constexpr uint16_t kBoxCodePoints[] = {
    0x2500, 0x2502, 0x250C, 0x2510, 0x2518, 0x2514, 0x251C, 0x252C, 0x2524, 0x2534, 0x253C,
    0x2501, 0x2503, 0x250F, 0x2513, 0x251B, 0x2517, 0x2523, 0x2533, 0x252B, 0x253B, 0x254B,
    0x2520, 0x252F, 0x2528, 0x2537, 0x253F, 0x251D, 0x2530, 0x2525, 0x2538, 0x2542,
};
constexpr size_t kBoxCount = sizeof kBoxCodePoints / sizeof kBoxCodePoints[0];

void append_three_byte_utf8(std::string& utf8, uint16_t codePoint) {
    utf8 += static_cast<char>(0xE0 | (codePoint >> 12));
    utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
}

}  // namespace

bool box_drawing_to_utf8(std::string_view text, std::string& utf8) {
    utf8.clear();
    utf8.reserve(text.size() * 3 / 2 + 16);
    for (size_t at = 0; at < text.size(); ++at) {
        unsigned char byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            utf8 += static_cast<char>(byte);
            continue;
        }
        if (byte != kBoxLead || at + 1 == text.size()) {
            return false;
        }
        size_t index = static_cast<unsigned char>(text[at + 1]) - size_t{kFirstBox};
        if (static_cast<unsigned char>(text[at + 1]) < kFirstBox || index >= kBoxCount) {
            return false;
        }
        append_three_byte_utf8(utf8, kBoxCodePoints[index]);
        ++at;
    }
    return true;
}
