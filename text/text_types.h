// The words every part of the text layer speaks: encodings, line ends,
// table formats and width models.
#pragma once

#include <cstdint>

#include "text/width_model.h"

enum class TextEncoding : uint8_t { Utf8, Cp932 };

enum class LineEnd : uint8_t { Lf, CrLf };

// The numbers are the web module's too.
enum class TableFormat : uint8_t { Psv, Csv, Tsv, Markdown, Frame, Aligned };
