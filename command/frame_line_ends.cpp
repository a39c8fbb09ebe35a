#include "command/frame_line_ends.h"

#include <cstring>

#include "command/cp932_text.h"

namespace {

// A byte that cannot lead a character always ends one, so the character
// boundaries before `end` follow from the run of lead-range bytes that ends
// there: they pair up from the start of the run.
size_t lead_run_before(std::string_view text, size_t end) {
    size_t run = 0;
    while (run < end && cp932_is_lead_byte(static_cast<unsigned char>(text[end - run - 1]))) {
        ++run;
    }
    return run;
}

bool lf_is_second_byte(std::string_view text, size_t lf) {
    return lead_run_before(text, lf) % 2 == 1;
}

// The character that ends right before the LF at `lf`, which is known to
// stand at a character boundary.
std::string_view character_before(std::string_view text, size_t lf) {
    if (lf == 0) {
        return {};
    }
    if (lead_run_before(text, lf) > 0) {
        return text.substr(lf - 2, 2);
    }
    bool pairEnds = lf >= 2 && lead_run_before(text, lf - 1) % 2 == 1;
    return pairEnds ? text.substr(lf - 2, 2) : text.substr(lf - 1, 1);
}

bool is_right_border(std::string_view character) {
    if (character.size() == 2 && character[0] != kFrameRightBorders[0][0]) {
        return false;
    }
    for (std::string_view border : kFrameRightBorders) {
        if (character == border) {
            return true;
        }
    }
    return false;
}

bool needs_cr(std::string_view text, size_t lf) {
    return !lf_is_second_byte(text, lf) && is_right_border(character_before(text, lf));
}

}  // namespace

// One pass that equals the eleven replacement passes: each pass inserts a
// single-byte CR at a character boundary between its border and the LF, which
// moves no boundary and can form no match for another pass, since no border
// is a CR.
std::string frame_crlf_line_ends(std::string_view frame) {
    // Every frame line has at least three bytes, so at most a third gain a CR.
    std::string result(frame.size() + frame.size() / 3 + 1, '\0');
    char* out = result.data();
    const char* data = frame.data();
    size_t copied = 0;
    while (copied < frame.size()) {
        const void* found = std::memchr(data + copied, '\n', frame.size() - copied);
        size_t lf = found == nullptr ? frame.size()
                                     : static_cast<size_t>(static_cast<const char*>(found) - data);
        std::memcpy(out, data + copied, lf - copied);
        out += lf - copied;
        if (found == nullptr) {
            break;
        }
        if (needs_cr(frame, lf)) {
            *out++ = '\r';
        }
        *out++ = '\n';
        copied = lf + 1;
    }
    result.resize(static_cast<size_t>(out - result.data()));
    return result;
}
