#include "text/cell_width.h"

int32_t measure_utf8_cell(const char* text, int32_t length, void* widthModel) {
    (void)widthModel;
    int32_t width = 0;
    for (int32_t k = 0; k < length; ++k) {
        width += (static_cast<unsigned char>(text[k]) & 0xC0) != 0x80;
    }
    return width;
}
