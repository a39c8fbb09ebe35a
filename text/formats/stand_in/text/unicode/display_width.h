// Stand-in until the Unicode module is merged: the same declaration, built
// only when text/unicode/display_width.h is missing from the source tree.
#pragma once

#include <cstdint>
#include <string_view>

#include "text/width_model.h"

int64_t display_width(std::string_view utf8, WidthModel model);
