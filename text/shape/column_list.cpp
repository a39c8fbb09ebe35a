#include "text/shape/column_list.h"

namespace {

// Digits only, at most 18 of them; empty when there are others.
std::optional<int64_t> column_number(std::string_view text) {
    if (text.empty() || text.size() > 18) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// A number, a range of two numbers, or else a name: a header may be "2-4"
// only when it is not read as a range.
std::optional<ColumnItem> column_item(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    ColumnItem item;
    const size_t dash = text.find('-');
    std::optional<int64_t> first = column_number(text.substr(0, dash));
    std::optional<int64_t> last =
        dash == std::string_view::npos ? first : column_number(text.substr(dash + 1));
    if (!first || !last) {
        item.name = text;
        return item;
    }
    if (*first < 1 || *last < *first) {
        return std::nullopt;
    }
    item.first = *first;
    item.last = *last;
    return item;
}

// The suffixes of a key, each of :n and :r at most once.
bool read_suffixes(std::string_view suffixes, SortKey& key) {
    while (!suffixes.empty()) {
        if (suffixes.size() < 2 || suffixes[0] != ':') {
            return false;
        }
        bool& flag = suffixes[1] == 'n' ? key.numeric : key.reversed;
        if ((suffixes[1] != 'n' && suffixes[1] != 'r') || flag) {
            return false;
        }
        flag = true;
        suffixes.remove_prefix(2);
    }
    return true;
}

std::optional<SortKey> sort_key(std::string_view text) {
    SortKey key;
    // Suffixes are read from the end, so a name may hold a colon.
    size_t end = text.size();
    while (end >= 2 && text[end - 2] == ':' && (text[end - 1] == 'n' || text[end - 1] == 'r')) {
        end -= 2;
    }
    if (!read_suffixes(text.substr(end), key)) {
        return std::nullopt;
    }
    std::optional<ColumnItem> column = column_item(text.substr(0, end));
    if (!column || column->first != column->last) {
        return std::nullopt;
    }
    key.column = *column;
    return key;
}

template <typename Item, typename Read>
std::optional<std::vector<Item>> comma_list(std::string_view list, Read read) {
    std::vector<Item> items;
    for (;;) {
        const size_t comma = list.find(',');
        std::optional<Item> item = read(list.substr(0, comma));
        if (!item) {
            return std::nullopt;
        }
        items.push_back(*item);
        if (comma == std::string_view::npos) {
            return items;
        }
        list.remove_prefix(comma + 1);
    }
}

}  // namespace

std::optional<std::vector<ColumnItem>> column_items(std::string_view list) {
    return comma_list<ColumnItem>(list, column_item);
}

std::optional<std::vector<SortKey>> sort_keys(std::string_view keys) {
    return comma_list<SortKey>(keys, sort_key);
}

Refusal resolve_item(const ColumnItem& item, const std::vector<std::string_view>& header,
                     size_t columns, std::vector<size_t>& resolved) {
    Refusal refusal = refusal_of(RefusalKind::NoSuchColumn);
    refusal.limit = static_cast<int64_t>(columns);
    if (item.first == 0) {
        for (size_t column = 0; column < header.size(); ++column) {
            if (header[column] == item.name) {
                resolved.push_back(column);
                return Refusal{};
            }
        }
        refusal.name = std::string(item.name);
        return refusal;
    }
    if (item.last > static_cast<int64_t>(columns)) {
        refusal.found = item.first > static_cast<int64_t>(columns) ? item.first : item.last;
        return refusal;
    }
    for (int64_t column = item.first; column <= item.last; ++column) {
        resolved.push_back(static_cast<size_t>(column - 1));
    }
    return Refusal{};
}
