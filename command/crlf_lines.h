// Splitting the INPUT text into lines at CR LF, in place.
#pragma once

#include <cstddef>
#include <cstring>

// Hands each line of the NUL-terminated text[0..length) to addLine as a
// NUL-terminated string, first line first, overwriting each CR LF with NULs.
// Only CR LF ends a line: a lone CR or LF stays in its line, and of "\r\r\n"
// the first CR is the line's last byte. The bytes after the last CR LF form a
// last line only when there is at least one. Stops at the first line for
// which addLine returns false, and then returns false. When loneLf is given,
// it is set once an LF that ends no line has been passed.
template <typename AddLine>
bool for_each_crlf_line(char* text, size_t length, AddLine&& addLine, bool* loneLf = nullptr) {
    char* lineStart = text;
    char* end = text + length;
    for (char* lf = text; lf < end; ++lf) {
        lf = static_cast<char*>(std::memchr(lf, '\n', static_cast<size_t>(end - lf)));
        if (lf == nullptr) {
            break;
        }
        if (lf == text || lf[-1] != '\r') {
            if (loneLf != nullptr) {
                *loneLf = true;
            }
            continue;
        }
        lf[-1] = '\0';
        lf[0] = '\0';
        if (!addLine(static_cast<const char*>(lineStart),
                     static_cast<size_t>(lf - 1 - lineStart))) {
            return false;
        }
        lineStart = lf + 1;
    }
    if (lineStart == end && lineStart != text) {
        return true;
    }
    return addLine(static_cast<const char*>(lineStart), static_cast<size_t>(end - lineStart));
}
