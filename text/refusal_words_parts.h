// The words of refusals come in two parts: those of reading and framing,
// which every face shows (refusal_words.cpp), and those of writing tables
// and of JSON (writing_refusal_words.cpp), which a face that only draws
// frames from the formats it reads links its own words for instead.
#pragma once

#include <cstdint>
#include <string>

#include "text/refusal.h"

// What was refused, for the kinds only writers and the JSON reader make.
std::string writing_refusal_words(const Refusal& refusal);

// n in decimal, as std::to_string writes it; a dozen lines rather than the
// library's number formatting, which the web page would carry.
std::string decimal(int64_t n);
