#pragma once

#include <cstdint>

// Box-drawing characters are East Asian Width "ambiguous": one column in most
// terminals and pages, two in CJK ones.
enum class WidthModel : uint8_t { Narrow, Wide };
