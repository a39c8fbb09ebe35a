// What a table says about itself: a title over it and a footer under it, as
// a frame's spanning rows or a document's caption.
#pragma once

#include <cstdint>
#include <string_view>

enum class TitleAlign : uint8_t { Centre, Left, Right };

// Empty for none; a line break in either starts a new line.
struct TableTitles {
    std::string_view title;
    std::string_view footer;
    TitleAlign align = TitleAlign::Centre;  // the title's and the footer's lines alike

    bool any() const { return !title.empty() || !footer.empty(); }
};
