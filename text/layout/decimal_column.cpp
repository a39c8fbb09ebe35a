#include "text/layout/decimal_column.h"

#include <algorithm>

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Digits, and commas between them.
size_t grouped_digits(std::string_view text, size_t at) {
    const size_t start = at;
    while (at < text.size() &&
           (is_digit(text[at]) ||
            (text[at] == ',' && at > start && at + 1 < text.size() && is_digit(text[at + 1])))) {
        ++at;
    }
    return at;
}

size_t plain_digits(std::string_view text, size_t at) {
    while (at < text.size() && is_digit(text[at])) {
        ++at;
    }
    return at;
}

}  // namespace

DecimalParts decimal_parts(std::string_view text) {
    DecimalParts parts;
    size_t at = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const size_t wholeEnd = grouped_digits(text, at);
    size_t end = wholeEnd;
    if (end < text.size() && text[end] == '.') {
        end = plain_digits(text, end + 1);
    }
    const bool anyDigit = wholeEnd > at || end > wholeEnd + 1;
    if (end != text.size() || !anyDigit) {
        return parts;
    }
    parts.number = true;
    parts.whole = static_cast<int32_t>(wholeEnd);
    parts.fraction = static_cast<int32_t>(text.size() - wholeEnd);
    return parts;
}

void DecimalColumn::add(const DecimalParts& parts) {
    whole = std::max(whole, parts.whole);
    fraction = std::max(fraction, parts.fraction);
}
