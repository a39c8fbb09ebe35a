#include "text/plain_scan.h"

namespace plain_scan {

int32_t clustered_width(std::string_view cell, WidthModel model) {
    return static_cast<int32_t>(display_width(cell, model));
}

}  // namespace plain_scan
