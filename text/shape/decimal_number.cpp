#include "text/shape/decimal_number.h"

#include <algorithm>

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The digits of a whole part: plain, or grouped by commas in threes after a
// first group of one to three ("1,234,567"), so that a list such as "1,2,3"
// is not read as 123.
bool read_whole(std::string_view text, std::string& whole) {
    const size_t firstComma = text.find(',');
    if (firstComma != std::string_view::npos &&
        (firstComma == 0 || firstComma > 3 || (text.size() - firstComma) % 4 != 0)) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const bool groupStart =
            firstComma != std::string_view::npos && i >= firstComma && (i - firstComma) % 4 == 0;
        if (groupStart != (text[i] == ',')) {
            return false;
        }
        if (groupStart) {
            continue;
        }
        if (!is_digit(text[i])) {
            return false;
        }
        if (!whole.empty() || text[i] != '0') {
            whole.push_back(text[i]);
        }
    }
    return true;
}

}  // namespace

std::optional<Decimal> decimal_of(std::string_view text) {
    Decimal number;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        number.sign = text[0];
        number.negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || !read_whole(whole, number.whole) ||
        !std::all_of(fraction.begin(), fraction.end(), is_digit)) {
        return std::nullopt;
    }
    number.point = point != std::string_view::npos;
    number.writtenFraction = fraction;
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.remove_suffix(1);
    }
    number.fraction = fraction;
    if (number.whole.empty() && number.fraction.empty()) {
        number.negative = false;  // -0 is 0
    }
    return number;
}
