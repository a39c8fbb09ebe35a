// Splitting the INPUT text into lines at CR LF, in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/byte_blocks.h"

// Finds the LFs of a text in order. Input lines are short: a block of bytes
// at a time beats a library call per line. The bytes before the one searched
// from may change between calls.
class LineFeeds {
  public:
    LineFeeds(const char* text, size_t length)
        : text_(text),
          length_(length),
          blocks_(text, length <= kBlockScanMax ? static_cast<int32_t>(length) : 0, '\n', '\n',
                  false) {}

    // The first LF at or after from, or null.
    char* next(char* from) {
        const auto offset = static_cast<size_t>(from - text_);
        if (length_ > kBlockScanMax) {
            return static_cast<char*>(std::memchr(from, '\n', length_ - offset));
        }
        const int32_t found = blocks_.next(static_cast<int32_t>(offset));
        return static_cast<size_t>(found) < length_ ? from + (found - static_cast<int32_t>(offset))
                                                    : nullptr;
    }

  private:
    static constexpr size_t kBlockScanMax = INT32_MAX;
    const char* text_;
    size_t length_;
    byte_blocks::TargetScanner blocks_;
};

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
    LineFeeds lineFeeds(text, length);
    for (char* lf = text; lf < end; ++lf) {
        lf = lineFeeds.next(lf);
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
