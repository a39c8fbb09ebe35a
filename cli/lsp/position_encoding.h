// Positions as the protocol counts them, a line and a character within it in
// UTF-8 bytes, UTF-16 code units or code points, and the byte offsets of a
// document's text they stand for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lsp {

enum class PositionEncoding : uint8_t { Utf8, Utf16, Utf32 };

struct Position {
    int64_t line = 0;
    int64_t character = 0;

    bool operator==(const Position& other) const {
        return line == other.line && character == other.character;
    }
};

// Where each line of a text starts, made once for each version of a
// document. Lines end in LF, CR LF or a lone CR, as the protocol says.
class LineIndex {
  public:
    LineIndex() = default;
    explicit LineIndex(std::string_view text);

    size_t lines() const { return starts_.size(); }
    size_t line_start(size_t line) const { return starts_[line]; }
    // Before the line's line end.
    size_t line_end(std::string_view text, size_t line) const;
    // The line the byte at offset is on.
    size_t line_of(size_t offset) const;

    // A position past the end of its line stands for the line's end, and a
    // line past the last for the text's end; one inside a character for the
    // character's start.
    size_t offset_of(std::string_view text, Position position, PositionEncoding encoding) const;
    Position position_of(std::string_view text, size_t offset, PositionEncoding encoding) const;

  private:
    std::vector<size_t> starts_{0};
};

}  // namespace lsp
