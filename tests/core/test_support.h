// Helpers shared by the core tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Turns the box-drawing characters of UTF-8 text into their code page 932
// bytes, so expected frames can be written as they look. ASCII passes as is.
std::string sjis(const std::string& utf8);

// Opens the store and adds the lines; returns the first failing result, or FT_OK.
int load_table(const std::vector<std::string>& lines, int32_t* failedLine = nullptr);

struct Rendered {
    int result;
    std::string text;  // the buffer up to its first NUL
};

// Renders the table in the store into a buffer of bufferSize bytes.
Rendered render_store(int32_t frameType, int32_t positionType, int32_t bufferSize = 102400);

// load_table, render_store, ft_close.
Rendered frame_of(const std::vector<std::string>& lines, int32_t frameType, int32_t positionType);

// The cells of the stored grid, row by row, as text.
std::vector<std::vector<std::string>> stored_cells();
