// A rough width by code point, enough for the formats' tests: box drawing is
// ambiguous, the main CJK and emoji blocks are wide, combining marks and ZWJ
// add nothing.
#include "text/unicode/display_width.h"

namespace {

struct Range {
    uint32_t first;
    uint32_t last;
};

constexpr Range kWide[] = {
    {0x1100, 0x115F}, {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF}, {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE30, 0xFE4F},   {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x3FFFD},
};

constexpr Range kZero[] = {{0x0300, 0x036F}, {0x200B, 0x200D}, {0xFE00, 0xFE0F}};

constexpr Range kAmbiguous[] = {{0x00A7, 0x00A7}, {0x00B1, 0x00B1}, {0x0391, 0x03C9},
                                {0x0401, 0x044F}, {0x2460, 0x24FF}, {0x2500, 0x257F}};

bool in(const Range* ranges, size_t count, uint32_t codePoint) {
    for (size_t i = 0; i < count; ++i) {
        if (codePoint >= ranges[i].first && codePoint <= ranges[i].last) {
            return true;
        }
    }
    return false;
}

template <size_t N>
bool in(const Range (&ranges)[N], uint32_t codePoint) {
    return in(ranges, N, codePoint);
}

}  // namespace

int64_t display_width(std::string_view utf8, WidthModel model) {
    int64_t width = 0;
    size_t at = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        uint32_t codePoint = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (size_t i = 1; i < length && at + i < utf8.size(); ++i) {
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
        }
        at += length;
        if (in(kZero, codePoint)) {
            continue;
        }
        if (in(kWide, codePoint)) {
            width += 2;
        } else if (in(kAmbiguous, codePoint)) {
            width += model == WidthModel::Wide ? 2 : 1;
        } else {
            ++width;
        }
    }
    return width;
}
