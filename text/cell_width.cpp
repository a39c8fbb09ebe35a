#include "text/cell_width.h"

#include <string_view>

#include "text/unicode/display_width.h"

int32_t measure_utf8_cell(const char* text, int32_t length, WidthModel widthModel) {
    // Cells are mostly short ASCII, whose width is their length: the text
    // was checked for controls before it was cut into cells, and the escape
    // sequences it may hold take no columns.
    unsigned char high = 0;
    bool escape = false;
    for (int32_t k = 0; k < length; ++k) {
        high |= static_cast<unsigned char>(text[k]);
        escape |= text[k] == '\x1b';
    }
    if (high < 0x80 && !escape) {
        return length;
    }
    return static_cast<int32_t>(
        display_width(std::string_view(text, static_cast<size_t>(length)), widthModel));
}
