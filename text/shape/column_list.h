// Column lists and sort keys read, and resolved against a header row.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/formats/table.h"
#include "text/refusal.h"

// One item of a list: a column number, a range of them, or a header's text.
struct ColumnItem {
    int64_t first = 0;  // 1-based; 0 for a name
    int64_t last = 0;
    std::string_view name;
};

// Empty when an item is empty, a range runs backwards or names column 0.
std::optional<std::vector<ColumnItem>> column_items(std::string_view list);

struct SortKey {
    ColumnItem column;  // never a range
    bool numeric = false;
    bool reversed = false;
};

std::optional<std::vector<SortKey>> sort_keys(std::string_view keys);

// The 0-based columns an item stands for in a table of columns whose header
// is given, or NoSuchColumn naming it.
Refusal resolve_item(const ColumnItem& item, const std::vector<std::string_view>& header,
                     size_t columns, std::vector<size_t>& resolved);
