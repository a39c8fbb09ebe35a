// A JSON string literal, written once for every writer of JSON: the table
// writers and the language server's messages.
#pragma once

#include <string>
#include <string_view>

namespace formats {

// Appends text as a quoted JSON string; only what JSON requires is escaped,
// so UTF-8 passes through as it is.
void append_json_string(std::string& out, std::string_view text);

}  // namespace formats
