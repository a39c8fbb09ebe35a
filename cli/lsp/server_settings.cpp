#include "cli/lsp/server_settings.h"

namespace lsp {

void read_settings(const JsonValue& value, ServerSettings& settings) {
    if (!value.is_object()) {
        return;
    }
    if (const JsonValue* nested = value.find("zentab"); nested != nullptr && nested->is_object()) {
        read_settings(*nested, settings);
    }
    const std::string ambiguous = value.string_or("ambiguous", "");
    if (ambiguous == "narrow") {
        settings.widthModel = WidthModel::Narrow;
    } else if (ambiguous == "wide") {
        settings.widthModel = WidthModel::Wide;
    }
    const double padding = value.number_or("padding", -2);
    if (padding >= 0 && padding <= 1000) {
        settings.padding = static_cast<int32_t>(padding);
    }
    const double frameType = value.number_or("frame", 0);
    if (frameType >= 1 && frameType <= 6) {
        settings.frameType = static_cast<int>(frameType);
    }
}

}  // namespace lsp
