#include "cli/columns_variable.h"

#include <string_view>

namespace {

// More columns than any terminal has; a longer $COLUMNS is taken as unset.
constexpr int32_t kMostColumns = 1000000;

}  // namespace

int32_t columns_from_environment(const char* columns) {
    if (columns == nullptr) {
        return 0;
    }
    const std::string_view text(columns);
    if (text.empty() || text.size() > 7) {
        return 0;
    }
    int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
        value = value * 10 + (c - '0');
    }
    return value <= kMostColumns ? value : 0;
}
