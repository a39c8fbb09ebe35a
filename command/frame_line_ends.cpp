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

bool is_right_border(std::string_view character) {
    for (std::string_view border : kFrameRightBorders) {
        if (border.back() == character.back() && border == character) {
            return true;
        }
    }
    return false;
}

// No right border ends in a lead-range byte. So when the byte before the LF
// is one, either the LF is its second byte or it ends some other pair; and
// when it is not, the LF stands at a boundary and that byte ends a pair
// exactly when the lead-range run before it is odd.
bool needs_cr(std::string_view text, size_t lf) {
    if (lf == 0 || cp932_is_lead_byte(static_cast<unsigned char>(text[lf - 1]))) {
        return false;
    }
    bool pair = lead_run_before(text, lf - 1) % 2 == 1;
    return is_right_border(pair ? text.substr(lf - 2, 2) : text.substr(lf - 1, 1));
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
