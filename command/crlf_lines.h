// Splitting the INPUT text into lines at CR LF, in place.
#pragma once

#include <cstddef>

// Hands each line of the NUL-terminated text[0..length) to addLine as a
// NUL-terminated string, first line first, overwriting each CR LF with NULs.
// Only CR LF ends a line: a lone CR or LF stays in its line, and of "\r\r\n"
// the first CR is the line's last byte. The bytes after the last CR LF form a
// last line only when there is at least one. Stops at the first line for
// which addLine returns false, and then returns false.
template <typename AddLine>
bool for_each_crlf_line(char* text, size_t length, AddLine&& addLine) {
    char* lineStart = text;
    bool afterCr = false;
    for (size_t at = 0; at < length; ++at) {
        if (afterCr && text[at] == '\n') {
            text[at - 1] = '\0';
            text[at] = '\0';
            if (!addLine(static_cast<const char*>(lineStart))) {
                return false;
            }
            lineStart = text + at + 1;
        }
        afterCr = text[at] == '\r';
    }
    if (lineStart == text + length && lineStart != text) {
        return true;
    }
    return addLine(static_cast<const char*>(lineStart));
}
