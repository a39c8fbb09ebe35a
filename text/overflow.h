#pragma once

#include <cstdint>

// What a frame does with a cell line wider than its column may be.
enum class Overflow : uint8_t { Wrap, Truncate };
