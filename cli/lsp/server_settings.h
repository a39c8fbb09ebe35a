// What the editor's user set for the server: the width model, the padding
// and the frame type conversions draw.
#pragma once

#include <cstdint>

#include "cli/lsp/json_value.h"
#include "text/width_model.h"

namespace lsp {

struct ServerSettings {
    WidthModel widthModel = WidthModel::Narrow;
    int32_t padding = -1;  // -1: as the document's kind writes it
    int frameType = 1;
};

// Takes the settings an object holds, flat or under "zentab"; values out of
// range are passed over, the others kept.
void read_settings(const JsonValue& value, ServerSettings& settings);

}  // namespace lsp
