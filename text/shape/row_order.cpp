#include "text/shape/row_order.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "text/cp932_codec.h"
#include "text/shape/decimal_number.h"

namespace {

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

// The first eight bytes of a text, the first most significant, so that
// comparing two as numbers orders them as their bytes do, mostly without
// reading the texts themselves.
uint64_t prefix_of(std::string_view text) {
    uint64_t prefix = 0;
    for (size_t i = 0; i < 8; ++i) {
        prefix = (prefix << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0U);
    }
    return prefix;
}

// One key of one row, read once before sorting.
struct KeyCell {
    std::string_view text;
    uint64_t prefix = 0;
    std::optional<Decimal> number;
};

KeyCell key_cell(std::string_view text, bool numeric) {
    KeyCell cell;
    cell.text = text;
    cell.prefix = prefix_of(text);
    if (numeric) {
        cell.number = decimal_of(text);
    }
    return cell;
}

// By bytes; two texts of eight bytes or fewer that agree there are equal
// when their lengths are.
int compare_key_text(const KeyCell& a, const KeyCell& b) {
    if (a.prefix != b.prefix) {
        return a.prefix < b.prefix ? -1 : 1;
    }
    if (a.text.size() <= 8 && b.text.size() <= 8) {
        return (a.text.size() > b.text.size()) - (a.text.size() < b.text.size());
    }
    return compare_text(a.text.substr(std::min<size_t>(8, a.text.size())),
                        b.text.substr(std::min<size_t>(8, b.text.size())));
}

int compare_key_cells(const KeyCell& a, const KeyCell& b, bool numeric) {
    if (!numeric) {
        return compare_key_text(a, b);
    }
    if (a.number && b.number) {
        return compare_decimals(*a.number, *b.number);
    }
    if (a.number || b.number) {
        return a.number ? -1 : 1;
    }
    return compare_key_text(a, b);
}

}  // namespace

int compare_as_numbers(std::string_view a, std::string_view b) {
    return compare_key_cells(key_cell(a, true), key_cell(b, true), true);
}

std::vector<size_t> sorted_body_rows(const ShapeCells& table,
                                     const std::vector<ResolvedKey>& keys) {
    const size_t bodyRows = table.rows() == 0 ? 0 : table.rows() - 1;
    std::vector<KeyCell> cells(bodyRows * keys.size());
    // Code page 932 text compares by the code points it stands for, as
    // UTF-8's bytes do; room for every key first, so none moves.
    const bool cp932 = table.encoding() == TextEncoding::Cp932;
    std::vector<std::string> decoded;
    decoded.reserve(cp932 ? cells.size() : 0);
    for (size_t row = 0; row < bodyRows; ++row) {
        for (size_t k = 0; k < keys.size(); ++k) {
            std::string_view text = keys[k].column < table.cells(row + 1)
                                        ? table.cell(row + 1, keys[k].column)
                                        : std::string_view();
            if (cp932) {
                decoded.push_back(cp932_decode_to_utf8(text));
                text = decoded.back();
            }
            cells[row * keys.size() + k] = key_cell(text, keys[k].numeric);
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
