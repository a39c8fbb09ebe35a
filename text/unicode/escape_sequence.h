// The control sequences a cell may hold: SGR (colour and style, ESC [ params m)
// and OSC 8 hyperlinks (ESC ] 8 ; params ; URI, ended by BEL or ESC \). They
// take no columns, and what is still on where a cell's line ends must be
// closed before a rule and opened again where the cell goes on.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kEscape = '\x1b';

enum class EscapeKind : unsigned char { None, Sgr, Hyperlink };

struct EscapeSequence {
    EscapeKind kind = EscapeKind::None;
    size_t length = 0;  // bytes, ESC included; 0 for None
};

// The colour or hyperlink sequence that begins at text[at], if one does.
EscapeSequence escape_sequence_at(std::string_view text, size_t at);

// The length of the colour or hyperlink sequence at text[at], 0 when none
// begins there: what the width and input checks skip.
inline size_t escape_length_at(std::string_view text, size_t at) {
    return text[at] == kEscape ? escape_sequence_at(text, at).length : 0;
}

// What the sequences read so far leave on: the SGR sequences since the last
// reset and an open hyperlink.
class EscapeState {
  public:
    // Every sequence in text, in order.
    void read(std::string_view text);
    // One sequence, as escape_sequence_at found it.
    void take(std::string_view sequence, EscapeKind kind);

    bool any() const { return !styles.empty() || !link.empty(); }
    // What turns everything off: empty when nothing is on.
    std::string close() const;
    // What turns it all on again.
    std::string reopen() const;

  private:
    std::vector<std::string> styles;  // SGR sequences, each at most once, the latest last
    std::string link;                 // the open hyperlink's sequence
};
