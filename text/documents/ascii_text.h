// The ASCII the document kinds' markup is made of: blanks, and words matched
// whatever their letter case, as markup names are. Never the locale's.
#pragma once

#include <cstddef>
#include <string_view>

namespace documents {

constexpr bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

constexpr char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// lowerPrefix in lower case.
inline bool starts_with_ignoring_case(std::string_view text, std::string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) {
        return false;
    }
    for (size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (ascii_lower(text[i]) != lowerPrefix[i]) {
            return false;
        }
    }
    return true;
}

inline bool equals_ignoring_case(std::string_view text, std::string_view lower) {
    return text.size() == lower.size() && starts_with_ignoring_case(text, lower);
}

}  // namespace documents
