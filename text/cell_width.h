// Display columns of a cell's UTF-8 text.
#pragma once

#include <cstdint>

#include "text/width_model.h"

int32_t measure_utf8_cell(const char* text, int32_t length, WidthModel widthModel);
