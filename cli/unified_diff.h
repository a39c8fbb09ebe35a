// What zentab fmt --diff prints: the change from one text to another as
// diff -u prints it, without the timestamps in its header.
#pragma once

#include <string>
#include <string_view>

// "" when the texts are equal. label names both sides (--- label, +++ label).
// Lines are compared in place when both texts have as many, as a formatted
// document has; otherwise everything between the common first and last
// lines is one change.
std::string unified_diff(std::string_view before, std::string_view after, std::string_view label);
