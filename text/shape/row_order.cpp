#include "text/shape/row_order.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
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
// comparing two as numbers orders them as their bytes do.
uint64_t prefix_of(std::string_view text) {
    unsigned char bytes[8] = {};
    if (!text.empty()) {
        std::memcpy(bytes, text.data(), std::min<size_t>(8, text.size()));
    }
    uint64_t prefix = 0;
    for (unsigned char byte : bytes) {
        prefix = (prefix << 8) | byte;
    }
    return prefix;
}

// A number's magnitude in 62 bits, ordered as the magnitudes are where two
// codes differ: its whole digits' count, then its first 14 digits.
uint64_t magnitude_code(const Decimal& number) {
    constexpr size_t kDigits = 14;
    constexpr size_t kLongest = 63;
    if (number.whole.size() >= kLongest) {
        return uint64_t{kLongest} << 56;  // every longer whole part ties here
    }
    uint64_t code = 0;
    size_t taken = 0;
    for (std::string_view digits : {std::string_view(number.whole), number.fraction}) {
        for (size_t i = 0; i < digits.size() && taken < kDigits; ++i, ++taken) {
            code = (code << 4) | static_cast<uint64_t>(digits[i] - '0');
        }
    }
    code <<= 4 * (kDigits - taken);
    return (uint64_t{number.whole.size()} << 56) | code;
}

bool without_nul(std::string_view text) {
    return text.find('\0') == std::string_view::npos;
}

// A key's order folded into 64 bits: two rows whose summaries differ are in
// the key's order. Equal summaries leave it to the cells, unless both are
// exact: then the cells are equal too.
struct KeySummary {
    uint64_t order = 0;
    bool exact = false;
};

KeySummary summary_of(std::string_view text, const ResolvedKey& key) {
    KeySummary summary{prefix_of(text), text.size() <= 8 && without_nul(text)};
    if (key.numeric) {
        const std::optional<Decimal> number = decimal_of(text);
        if (!number) {
            summary.order = (uint64_t{1} << 63) | (summary.order >> 1);  // after every number
            summary.exact = text.size() <= 7 && without_nul(text);
        } else {
            const uint64_t magnitude = magnitude_code(*number);
            summary.order = number->negative ? (uint64_t{1} << 62) - 1 - magnitude
                                             : (uint64_t{1} << 62) | magnitude;
            summary.exact = number->whole.size() + number->fraction.size() <= 14;
        }
    }
    if (key.reversed) {
        summary.order = ~summary.order;
    }
    return summary;
}

struct SortedRow {
    uint64_t order;
    size_t row;  // 0-based in the body
    bool exact;
};

using RowIterator = std::vector<SortedRow>::iterator;

// Least significant byte first, each pass stable; no pass for a byte every
// row shares.
void radix_sort(RowIterator first, RowIterator last) {
    uint64_t varying = 0;
    for (auto row = first; row != last; ++row) {
        varying |= row->order ^ first->order;
    }
    std::vector<SortedRow> scratch(static_cast<size_t>(last - first));
    for (int shift = 0; shift < 64; shift += 8) {
        if (((varying >> shift) & 0xFF) == 0) {
            continue;
        }
        size_t counts[257] = {};
        for (auto row = first; row != last; ++row) {
            ++counts[((row->order >> shift) & 0xFF) + 1];
        }
        for (size_t i = 1; i < 257; ++i) {
            counts[i] += counts[i - 1];
        }
        for (auto row = first; row != last; ++row) {
            scratch[counts[(row->order >> shift) & 0xFF]++] = *row;
        }
        std::copy(scratch.begin(), scratch.end(), first);
    }
}

// Body rows ordered key by key: by each key's summaries, and where rows tie
// on a summary that is not exact, by their cells. Every step keeps ties in
// the order they came.
class RowSorter {
  public:
    RowSorter(const ShapeCells& table, const std::vector<ResolvedKey>& keys)
        : table_(table), keys_(keys), bodyRows_(table.rows() == 0 ? 0 : table.rows() - 1) {
        summarise();
    }

    std::vector<size_t> sorted() {
        std::vector<SortedRow> order(bodyRows_);
        for (size_t row = 0; row < bodyRows_; ++row) {
            order[row].row = row;
        }
        if (!keys_.empty()) {
            sort_from(order.begin(), order.end(), 0);
        }
        std::vector<size_t> rows(bodyRows_);
        for (size_t i = 0; i < bodyRows_; ++i) {
            rows[i] = order[i].row + 1;
        }
        return rows;
    }

  private:
    static constexpr ptrdiff_t kRadixLeast = 64;  // shorter runs go to a comparison sort

    void summarise() {
        // Code page 932 text compares by the code points it stands for, as
        // UTF-8's bytes do.
        const bool cp932 = table_.encoding() == TextEncoding::Cp932;
        decoded_.resize(cp932 ? bodyRows_ * keys_.size() : 0);
        summaries_.resize(bodyRows_ * keys_.size());
        for (size_t row = 0; row < bodyRows_; ++row) {
            for (size_t k = 0; k < keys_.size(); ++k) {
                if (cp932) {
                    decoded_[at(row, k)] = cp932_decode_to_utf8(cell(row, k));
                }
                summaries_[at(row, k)] = summary_of(text(row, k), keys_[k]);
            }
        }
    }

    size_t at(size_t row, size_t k) const { return row * keys_.size() + k; }

    std::string_view cell(size_t row, size_t k) const {
        const size_t column = keys_[k].column;
        return column < table_.cells(row + 1) ? table_.cell(row + 1, column) : std::string_view();
    }

    std::string_view text(size_t row, size_t k) const {
        return decoded_.empty() ? cell(row, k) : std::string_view(decoded_[at(row, k)]);
    }

    // Rows equal in every key before from.
    void sort_from(RowIterator first, RowIterator last, size_t from) {
        if (last - first < kRadixLeast) {
            std::stable_sort(first, last, [&](const SortedRow& a, const SortedRow& b) {
                return before(a.row, b.row, from);
            });
            return;
        }
        for (auto row = first; row != last; ++row) {
            row->order = summaries_[at(row->row, from)].order;
            row->exact = summaries_[at(row->row, from)].exact;
        }
        radix_sort(first, last);
        for (auto run = first; run != last;) {
            bool exact = true;
            auto end = run;
            for (; end != last && end->order == run->order; ++end) {
                exact = exact && end->exact;
            }
            if (end - run > 1 && !exact) {
                std::stable_sort(run, end, [&](const SortedRow& a, const SortedRow& b) {
                    return before(a.row, b.row, from);
                });
            } else if (end - run > 1 && from + 1 < keys_.size()) {
                sort_from(run, end, from + 1);
            }
            run = end;
        }
    }

    bool before(size_t a, size_t b, size_t from) const {
        for (size_t k = from; k < keys_.size(); ++k) {
            const KeySummary& x = summaries_[at(a, k)];
            const KeySummary& y = summaries_[at(b, k)];
            if (x.order != y.order) {
                return x.order < y.order;
            }
            if (x.exact && y.exact) {
                continue;
            }
            const std::string_view p = text(a, k);
            const std::string_view q = text(b, k);
            const int by = keys_[k].numeric ? compare_as_numbers(p, q) : compare_text(p, q);
            if (by != 0) {
                return keys_[k].reversed ? by > 0 : by < 0;
            }
        }
        return false;
    }

    const ShapeCells& table_;
    const std::vector<ResolvedKey>& keys_;
    size_t bodyRows_;
    std::vector<std::string> decoded_;
    std::vector<KeySummary> summaries_;
};

}  // namespace

int compare_as_numbers(std::string_view a, std::string_view b) {
    const std::optional<Decimal> x = decimal_of(a);
    const std::optional<Decimal> y = decimal_of(b);
    if (x && y) {
        return compare_decimals(*x, *y);
    }
    if (x || y) {
        return x ? -1 : 1;
    }
    return compare_text(a, b);
}

std::vector<size_t> sorted_body_rows(const ShapeCells& table,
                                     const std::vector<ResolvedKey>& keys) {
    return RowSorter(table, keys).sorted();
}
