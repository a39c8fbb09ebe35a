// glibc's iconv as an encoder and decoder independent of the code page 932
// codec under test; the tests that use it run natively only.
#pragma once

#include <string>

// text converted from one charset to another; ok is false where iconv stops.
std::string glibc_convert(const char* to, const char* from, const std::string& text, bool& ok);
