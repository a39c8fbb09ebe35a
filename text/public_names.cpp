#include "text/public_names.h"

#include <cstddef>
#include <string>

std::string_view refusal_kind_name(RefusalKind kind) {
    const auto number = static_cast<size_t>(kind);
    return number < std::size(kRefusalKindNames) ? kRefusalKindNames[number] : "unknown";
}

namespace {

// Names hold no character JSON escapes.
void add_key(std::string& json, std::string_view name) {
    json += '"';
    json += name;
    json += "\":";
}

template <typename Value, size_t count>
void add_object(std::string& json, std::string_view key, const NamedValue<Value> (&names)[count]) {
    add_key(json, key);
    json += '{';
    for (const NamedValue<Value>& named : names) {
        add_key(json, named.name);
        json += std::to_string(static_cast<int>(named.value));
        json += ',';
    }
    json.back() = '}';
    json += ',';
}

void add_formats(std::string& json) {
    add_key(json, "formats");
    json += '{';
    for (const NamedValue<TableFormat>& named : kFormatNames) {
        add_key(json, named.name);
        json += '[' + std::to_string(static_cast<int>(named.value)) + ',';
        json += is_output_only(named.value) ? "false," : "true,";
        json += named.value == TableFormat::Aligned ? "false]," : "true],";
    }
    json.back() = '}';
    json += ',';
}

}  // namespace

std::string public_names_json() {
    std::string json = "{";
    add_formats(json);
    add_object(json, "rules", kRuleNames);
    add_object(json, "layout", kLayoutNames);
    add_object(json, "overflow", kOverflowNames);
    add_object(json, "ambiguous", kWidthModelNames);
    add_object(json, "jsonNested", kJsonNestedNames);
    add_object(json, "encoding", kEncodingNames);
    add_object(json, "titleAlign", kTitleAlignNames);
    add_object(json, "align", kColumnAlignNames);
    add_object(json, "documentKinds", kDocumentKindNames);
    add_key(json, "refusalKinds");
    json += '[';
    for (std::string_view name : kRefusalKindNames) {
        json += '"';
        json += name;
        json += "\",";
    }
    json.back() = ']';
    json += '}';
    return json;
}
