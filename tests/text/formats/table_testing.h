// Tables as plain strings for comparisons, random tables, and a model of
// Zentab's frames to read back.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "text/formats/table.h"
#include "text/frame_text.h"

using Texts = std::vector<std::vector<std::string>>;

Texts texts_of(const Table& table);

// Cells placed at line r + 1, column c + 1.
Table table_of(const Texts& texts, TextEncoding encoding = TextEncoding::Utf8);

// Rectangular unless ragged; cells of up to maxPieces pieces.
Texts random_texts(std::mt19937& random, const std::vector<std::string>& pieces, size_t maxPieces,
                   bool ragged = false);

// Drops blanks at both ends of every cell, as readers of Markdown and frames do.
Texts trimmed(Texts texts);

// A frame of type 1..6 as Zentab draws it: even cell widths for types 1 to 5,
// fill pieces doubled in the narrow model, every piece two columns in the wide
// one and in code page 932. Cells are placed left, right or centre at random.
std::string draw_frame(const Texts& cells, int frameType, WidthModel model, TextEncoding encoding,
                       std::mt19937& random);

std::string describe(const Texts& texts);

// What frame_text gives by way of the table reader, every cell copied.
FrameOutcome framed_through_table(const FrameRequest& request);

// Expects the same frame, or the same refusal at the same place.
void expect_same(const FrameOutcome& got, const FrameOutcome& want, const std::string& input);
