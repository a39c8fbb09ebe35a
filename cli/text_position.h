// Line and column of a byte offset, for messages about the input.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class CharacterRule { Utf8, Cp932 };

// "line L, column C": lines counted by LF, columns in characters, both from 1.
std::string describe_position(std::string_view text, size_t offset, CharacterRule rule);
