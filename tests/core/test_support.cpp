#include "test_support.h"

#include <cstring>
#include <stdexcept>
#include <utility>

#include "core/frame_core.h"

namespace {
const std::pair<const char*, const char*> kGlyphs[] = {
    {"─", "\x84\x9F"}, {"│", "\x84\xA0"}, {"┌", "\x84\xA1"}, {"┐", "\x84\xA2"}, {"┘", "\x84\xA3"},
    {"└", "\x84\xA4"}, {"├", "\x84\xA5"}, {"┬", "\x84\xA6"}, {"┤", "\x84\xA7"}, {"┴", "\x84\xA8"},
    {"┼", "\x84\xA9"}, {"━", "\x84\xAA"}, {"┃", "\x84\xAB"}, {"┏", "\x84\xAC"}, {"┓", "\x84\xAD"},
    {"┛", "\x84\xAE"}, {"┗", "\x84\xAF"}, {"┣", "\x84\xB0"}, {"┳", "\x84\xB1"}, {"┫", "\x84\xB2"},
    {"┻", "\x84\xB3"}, {"╋", "\x84\xB4"}, {"┠", "\x84\xB5"}, {"┯", "\x84\xB6"}, {"┨", "\x84\xB7"},
    {"┷", "\x84\xB8"}, {"┿", "\x84\xB9"}, {"╂", "\x84\xBE"},
};
}  // namespace

std::string sjis(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += utf8[i++];
            continue;
        }
        bool found = false;
        for (const auto& [u, s] : kGlyphs) {
            if (utf8.compare(i, std::strlen(u), u) == 0) {
                out += s;
                i += std::strlen(u);
                found = true;
                break;
            }
        }
        if (!found) {
            throw std::invalid_argument("no code page 932 form known for this character");
        }
    }
    return out;
}

int load_table(const std::vector<std::string>& lines, int32_t* failedLine) {
    ft_open();
    int32_t lineNumber = -1;
    for (const std::string& line : lines) {
        int result = ft_add_line(line.c_str(), &lineNumber, '|');
        if (result != FT_OK) {
            if (failedLine != nullptr) {
                *failedLine = lineNumber;
            }
            return result;
        }
    }
    return FT_OK;
}

Rendered render_store(int32_t frameType, int32_t positionType, int32_t bufferSize) {
    std::vector<char> buffer(static_cast<size_t>(bufferSize) + 1, '\x55');
    int result = ft_render(buffer.data(), bufferSize, frameType, positionType);
    buffer[static_cast<size_t>(bufferSize)] = '\0';
    return {result, std::string(buffer.data())};
}

Rendered frame_of(const std::vector<std::string>& lines, int32_t frameType, int32_t positionType) {
    int loaded = load_table(lines);
    if (loaded != FT_OK) {
        ft_close();
        return {loaded, ""};
    }
    Rendered rendered = render_store(frameType, positionType);
    ft_close();
    return rendered;
}

std::vector<std::vector<std::string>> stored_cells() {
    const FrameTable& table = ft_table();
    std::vector<std::vector<std::string>> rows;
    for (const CellNode* first = table.grid; first != nullptr; first = first->down) {
        rows.emplace_back();
        for (const CellNode* cell = first; cell != nullptr; cell = cell->right) {
            rows.back().emplace_back(table.pool + cell->start, static_cast<size_t>(cell->length));
        }
    }
    return rows;
}
