#include "text/shape/number_format.h"

#include "text/shape/decimal_number.h"

namespace {

std::optional<int32_t> decimals_of(std::string_view digits) {
    if (digits.empty() || digits.size() > 2) {
        return std::nullopt;
    }
    int32_t count = 0;
    for (char digit : digits) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        count = count * 10 + (digit - '0');
    }
    if (count > kMostDecimals) {
        return std::nullopt;
    }
    return count;
}

std::optional<NumberStyle> number_style(std::string_view item) {
    NumberStyle style;
    if (item == "-") {
        return style;
    }
    if (!item.empty() && item.front() == 'g') {
        style.grouped = true;
        item.remove_prefix(1);
    }
    if (item.empty()) {
        return style.grouped ? std::optional<NumberStyle>(style) : std::nullopt;
    }
    if (item.front() != '.') {
        return std::nullopt;
    }
    std::optional<int32_t> decimals = decimals_of(item.substr(1));
    if (!decimals) {
        return std::nullopt;
    }
    style.decimals = *decimals;
    return style;
}

// Adds one to a string of decimal digits, growing it by a digit on a carry
// out of the first.
void increment(std::string& digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Whether dropping the digits after kept rounds up, half to even: above
// half, or exactly half with an odd last digit kept.
bool rounds_up(std::string_view dropped, char lastKept) {
    if (dropped.empty() || dropped.front() < '5') {
        return false;
    }
    if (dropped.front() > '5' || dropped.find_first_not_of('0', 1) != std::string_view::npos) {
        return true;
    }
    return (lastKept - '0') % 2 == 1;
}

// The whole and fraction digits, the fraction cut to decimals and rounded.
void round_to(std::string& whole, std::string& fraction, size_t decimals) {
    if (fraction.size() <= decimals) {
        fraction.append(decimals - fraction.size(), '0');
        return;
    }
    const std::string dropped = fraction.substr(decimals);
    fraction.resize(decimals);
    const char lastKept = decimals > 0 ? fraction.back() : whole.back();
    if (!rounds_up(dropped, lastKept)) {
        return;
    }
    std::string digits = whole + fraction;
    increment(digits);
    whole = digits.substr(0, digits.size() - decimals);
    fraction = digits.substr(digits.size() - decimals);
}

std::string grouped(const std::string& whole, std::string_view group) {
    std::string out;
    out.reserve(whole.size() + whole.size() / 3 * group.size());
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            out.append(group);
        }
        out.push_back(whole[i]);
    }
    return out;
}

}  // namespace

std::optional<std::vector<NumberStyle>> number_styles(std::string_view list) {
    std::vector<NumberStyle> styles;
    size_t start = 0;
    while (true) {
        const size_t comma = list.find(',', start);
        std::optional<NumberStyle> style = number_style(list.substr(start, comma - start));
        if (!style) {
            return std::nullopt;
        }
        styles.push_back(*style);
        if (comma == std::string_view::npos) {
            return styles;
        }
        start = comma + 1;
    }
}

std::optional<std::string> formatted_number(std::string_view text, NumberStyle style,
                                            const NumberMarks& marks) {
    if (style.as_is()) {
        return std::nullopt;
    }
    std::optional<Decimal> number = decimal_of(text);
    if (!number) {
        return std::nullopt;
    }
    std::string whole = number->whole.empty() ? std::string("0") : number->whole;
    std::string fraction(number->writtenFraction);
    bool point = number->point;
    if (style.decimals >= 0) {
        round_to(whole, fraction, static_cast<size_t>(style.decimals));
        point = style.decimals > 0;
    }
    std::string out;
    if (number->sign != 0) {
        out.push_back(number->sign);
    }
    out += style.grouped ? grouped(whole, marks.group) : whole;
    if (point) {
        out.push_back(marks.point);
        out += fraction;
    }
    return out;
}
