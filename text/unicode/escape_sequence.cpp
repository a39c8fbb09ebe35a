#include "text/unicode/escape_sequence.h"

#include <algorithm>

namespace {

constexpr char kBell = '\x07';
constexpr std::string_view kSgrReset = "\x1b[0m";
constexpr std::string_view kLinkClose = "\x1b]8;;\x1b\\";

bool is_sgr_parameter(char c) {
    return (c >= '0' && c <= '9') || c == ';' || c == ':';
}

// Bytes a hyperlink's parameters and URI may hold: printable ASCII.
bool is_link_byte(char c) {
    return c >= 0x20 && c <= 0x7E;
}

size_t sgr_length(std::string_view text, size_t at) {
    size_t end = at + 2;
    while (end < text.size() && is_sgr_parameter(text[end])) {
        ++end;
    }
    return end < text.size() && text[end] == 'm' ? end + 1 - at : 0;
}

size_t hyperlink_length(std::string_view text, size_t at) {
    constexpr std::string_view kIntroducer = "\x1b]8;";
    if (text.substr(at, kIntroducer.size()) != kIntroducer) {
        return 0;
    }
    size_t end = at + kIntroducer.size();
    while (end < text.size() && is_link_byte(text[end]) && text[end] != ';') {
        ++end;
    }
    if (end == text.size() || text[end] != ';') {
        return 0;
    }
    ++end;
    while (end < text.size() && is_link_byte(text[end])) {
        ++end;
    }
    if (end < text.size() && text[end] == kBell) {
        return end + 1 - at;
    }
    if (end + 1 < text.size() && text[end] == kEscape && text[end + 1] == '\\') {
        return end + 2 - at;
    }
    return 0;
}

// The parameters of an SGR sequence, one by one, with the colour operands of
// 38, 48 and 58 skipped: a 0 among those is a colour, not a reset.
class SgrParameters {
  public:
    explicit SgrParameters(std::string_view parameters) : rest(parameters) {}

    // Whether the sequence turns everything off before what follows it, and
    // whether anything follows the last reset.
    struct Resets {
        bool any = false;
        bool settingAfter = false;
    };

    Resets resets() {
        Resets found;
        while (!done) {
            const std::string_view parameter = next();
            if (parameter.find_first_not_of('0') == std::string_view::npos) {
                found.any = true;
                found.settingAfter = false;
                continue;
            }
            found.settingAfter = true;
            if (parameter == "38" || parameter == "48" || parameter == "58") {
                const std::string_view form = next();
                for (int operands = form == "2"   ? 3
                                    : form == "5" ? 1
                                                  : 0;
                     operands > 0; --operands) {
                    next();
                }
            }
        }
        return found;
    }

  private:
    std::string_view next() {
        const size_t end = rest.find(';');
        const std::string_view parameter = rest.substr(0, end);
        done = end == std::string_view::npos;
        rest.remove_prefix(done ? rest.size() : end + 1);
        return parameter;
    }

    std::string_view rest;
    bool done = false;
};

}  // namespace

EscapeSequence escape_sequence_at(std::string_view text, size_t at) {
    if (at + 1 >= text.size() || text[at] != kEscape) {
        return {};
    }
    if (text[at + 1] == '[') {
        const size_t length = sgr_length(text, at);
        return length == 0 ? EscapeSequence{} : EscapeSequence{EscapeKind::Sgr, length};
    }
    const size_t length = hyperlink_length(text, at);
    return length == 0 ? EscapeSequence{} : EscapeSequence{EscapeKind::Hyperlink, length};
}

void EscapeState::read(std::string_view text) {
    for (size_t at = text.find(kEscape); at != std::string_view::npos;
         at = text.find(kEscape, at)) {
        const EscapeSequence sequence = escape_sequence_at(text, at);
        const size_t length = std::max<size_t>(sequence.length, 1);
        if (sequence.kind != EscapeKind::None) {
            take(text.substr(at, length), sequence.kind);
        }
        at += length;
    }
}

void EscapeState::take(std::string_view sequence, EscapeKind kind) {
    if (kind == EscapeKind::Hyperlink) {
        // ESC ] 8 ; params ; URI: an empty URI closes the link.
        const size_t uri = sequence.find(';', 4) + 1;
        const bool closes = sequence[uri] == kBell || sequence[uri] == kEscape;
        link = closes ? std::string() : std::string(sequence);
        return;
    }
    const SgrParameters::Resets resets =
        SgrParameters(sequence.substr(2, sequence.size() - 3)).resets();
    if (resets.any) {
        styles.clear();
        if (!resets.settingAfter) {
            return;
        }
    }
    // Each sequence sets what it names: applied again later, its first
    // application no longer counts.
    const auto same = std::find(styles.begin(), styles.end(), sequence);
    if (same != styles.end()) {
        styles.erase(same);
    }
    styles.emplace_back(sequence);
}

std::string EscapeState::close() const {
    std::string closing;
    if (!link.empty()) {
        closing += kLinkClose;
    }
    if (!styles.empty()) {
        closing += kSgrReset;
    }
    return closing;
}

std::string EscapeState::reopen() const {
    std::string opening;
    for (const std::string& style : styles) {
        opening += style;
    }
    return opening + link;
}
