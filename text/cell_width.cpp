#include "text/cell_width.h"

#include <string_view>

#include "text/unicode/display_width.h"

int32_t measure_utf8_cell(const char* text, int32_t length, void* widthModel) {
    const auto model = *static_cast<const WidthModel*>(widthModel);
    return static_cast<int32_t>(
        display_width(std::string_view(text, static_cast<size_t>(length)), model));
}
