// UTF-8 and code page 932 conversions of the tool, by glibc iconv ("CP932").
#pragma once

#include <string>
#include <string_view>

struct Conversion {
    std::string text;
    std::string error;  // set, with the place named, when the text cannot be converted
};

// Refuses invalid UTF-8 and characters that code page 932 cannot hold.
Conversion utf8_to_cp932(std::string_view utf8);

Conversion cp932_to_utf8(std::string_view cp932);
