#include "text/shape/row_order.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

// A number's value as its digits: an optional sign, digits that may be
// grouped by commas, and an optional decimal point with digits.
struct Decimal {
    bool negative = false;
    std::string whole;          // without grouping or leading zeros
    std::string_view fraction;  // without trailing zeros
};

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The digits of a whole part, commas only between digits.
bool read_whole(std::string_view text, std::string& whole) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ',') {
            if (i == 0 || i + 1 == text.size() || !is_digit(text[i + 1])) {
                return false;
            }
        } else if (!is_digit(text[i])) {
            return false;
        } else if (!whole.empty() || text[i] != '0') {
            whole.push_back(text[i]);
        }
    }
    return true;
}

std::optional<Decimal> decimal_of(std::string_view text) {
    Decimal number;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
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
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.remove_suffix(1);
    }
    number.fraction = fraction;
    if (number.whole.empty() && number.fraction.empty()) {
        number.negative = false;  // -0 is 0
    }
    return number;
}

int sign_of(int value) {
    return (value > 0) - (value < 0);
}

int compare_magnitude(const Decimal& a, const Decimal& b) {
    if (a.whole.size() != b.whole.size()) {
        return a.whole.size() < b.whole.size() ? -1 : 1;
    }
    const int whole = sign_of(a.whole.compare(b.whole));
    return whole != 0 ? whole : sign_of(a.fraction.compare(b.fraction));
}

int compare_decimals(const Decimal& a, const Decimal& b) {
    if (a.negative != b.negative) {
        return a.negative ? -1 : 1;
    }
    const int magnitude = compare_magnitude(a, b);
    return a.negative ? -magnitude : magnitude;
}

int compare_text(std::string_view a, std::string_view b) {
    return sign_of(a.compare(b));
}

// One key of one row, read once before sorting.
struct KeyCell {
    std::string_view text;
    std::optional<Decimal> number;
};

int compare_key_cells(const KeyCell& a, const KeyCell& b, bool numeric) {
    if (!numeric) {
        return compare_text(a.text, b.text);
    }
    if (a.number && b.number) {
        return compare_decimals(*a.number, *b.number);
    }
    if (a.number || b.number) {
        return a.number ? -1 : 1;
    }
    return compare_text(a.text, b.text);
}

}  // namespace

int compare_as_numbers(std::string_view a, std::string_view b) {
    return compare_key_cells(KeyCell{a, decimal_of(a)}, KeyCell{b, decimal_of(b)}, true);
}

std::vector<size_t> sorted_body_rows(const Table& table, const std::vector<ResolvedKey>& keys) {
    const Rows rows = table.rows();
    const size_t bodyRows = rows.empty() ? 0 : rows.size() - 1;
    std::vector<KeyCell> cells(bodyRows * keys.size());
    for (size_t row = 0; row < bodyRows; ++row) {
        const Row cellsOfRow = rows[row + 1];
        for (size_t k = 0; k < keys.size(); ++k) {
            KeyCell& cell = cells[row * keys.size() + k];
            if (keys[k].column < cellsOfRow.size()) {
                cell.text = cellsOfRow[keys[k].column].text;
            }
            if (keys[k].numeric) {
                cell.number = decimal_of(cell.text);
            }
        }
    }
    std::vector<size_t> order(bodyRows);
    for (size_t row = 0; row < bodyRows; ++row) {
        order[row] = row;
    }
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        for (size_t k = 0; k < keys.size(); ++k) {
            const int by = compare_key_cells(cells[a * keys.size() + k], cells[b * keys.size() + k],
                                             keys[k].numeric);
            if (by != 0) {
                return keys[k].reversed ? by > 0 : by < 0;
            }
        }
        return false;
    });
    for (size_t& row : order) {
        ++row;
    }
    return order;
}
