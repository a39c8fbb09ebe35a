#include "command/frame_line_ends.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "core/byte_copy.h"
#include "core/styles/frame_styles.h"
#include "core/text_rules.h"

namespace {

// A byte that cannot lead a character always ends one, so the character
// boundaries before `end` follow from the run of lead-range bytes that ends
// there: they pair up from the start of the run.
size_t lead_run_before(std::string_view text, size_t end) {
    size_t run = 0;
    while (run < end &&
           text_rules::is_cp932_lead_byte(static_cast<unsigned char>(text[end - run - 1]))) {
        ++run;
    }
    return run;
}

// The right ends of every line of every style, in code page 932, as byte
// tables: one-byte ends, and the second bytes of the two-byte ones, which all
// lead with 0x84.
constexpr char kBorderLead = '\x84';

struct BorderTables {
    std::array<bool, 256> single{};
    std::array<bool, 256> second{};
};

constexpr void note_right_end(BorderTables& tables, const LinePieces& line) {
    const char* end = line.rightEnd->cp932;
    if (end[1] == '\0') {
        tables.single[static_cast<unsigned char>(end[0])] = true;
    } else {
        tables.second[static_cast<unsigned char>(end[1])] = true;
    }
}

constexpr BorderTables make_border_tables() {
    BorderTables tables;
    for (const FrameStyle& style : kFrameStyles) {
        for (const LinePieces* line :
             {&style.top, &style.content, &style.header, &style.inner, &style.bottom}) {
            note_right_end(tables, *line);
        }
    }
    return tables;
}

constexpr bool two_byte_ends_lead_alike() {
    for (const FrameStyle& style : kFrameStyles) {
        for (const LinePieces* line :
             {&style.top, &style.content, &style.header, &style.inner, &style.bottom}) {
            const char* end = line->rightEnd->cp932;
            if (end[1] != '\0' && end[0] != kBorderLead) {
                return false;
            }
        }
    }
    return true;
}
static_assert(two_byte_ends_lead_alike(), "the border tables assume one lead byte");

// The character of `size` bytes (1 or 2) that ends at `end`.
bool is_right_border(const char* end, size_t size) {
    static constexpr BorderTables kTables = make_border_tables();
    const auto last = static_cast<unsigned char>(end[-1]);
    return size == 1 ? kTables.single[last] : end[-2] == kBorderLead && kTables.second[last];
}

// No right border ends in a lead-range byte. So when the byte before the LF
// is one, either the LF is its second byte or it ends some other pair; and
// when it is not, the LF stands at a boundary and that byte ends a pair
// exactly when the lead-range run before it is odd.
// Inline: the check runs once a line on every frame.
[[gnu::always_inline]] inline bool needs_cr(std::string_view text, size_t lf) {
    if (lf == 0 || text_rules::is_cp932_lead_byte(static_cast<unsigned char>(text[lf - 1]))) {
        return false;
    }
    // A pair's first byte is the lead-range byte just before, so it is there.
    const bool pair = lead_run_before(text, lf - 1) % 2 == 1;
    return is_right_border(text.data() + lf, pair ? 2 : 1);
}

// Most lines end in a two-byte border after a single-byte character, where
// the border ends a pair exactly when its second byte is not a lead-range
// byte and the byte before its first is not one either.
struct PairEndTables {
    std::array<bool, 256> pairSecond{};  // second bytes of borders, outside the lead range
    std::array<bool, 256> single{};      // bytes outside the lead range
};

constexpr PairEndTables make_pair_end_tables() {
    PairEndTables tables;
    const BorderTables borders = make_border_tables();
    for (int byte = 0; byte < 256; ++byte) {
        const bool lead = text_rules::is_cp932_lead_byte(static_cast<unsigned char>(byte));
        tables.pairSecond[static_cast<size_t>(byte)] =
            borders.second[static_cast<size_t>(byte)] && !lead;
        tables.single[static_cast<size_t>(byte)] = !lead;
    }
    return tables;
}

// Whether the CR LF at `cr` (3 or more) follows such a border: one load and
// two lookups where needs_cr walks and branches byte by byte.
bool follows_pair_border(const char* data, size_t cr) {
    static constexpr PairEndTables kTables = make_pair_end_tables();
    static constexpr char kShape[4] = {kBorderLead, '\0', '\r', '\n'};
    static constexpr unsigned char kShapeMask[4] = {0xFF, 0, 0xFF, 0xFF};
    uint32_t word;
    uint32_t wanted;
    uint32_t mask;
    std::memcpy(&word, data + cr - 2, sizeof word);
    std::memcpy(&wanted, kShape, sizeof wanted);
    std::memcpy(&mask, kShapeMask, sizeof mask);
    const bool shape = (word & mask) == wanted;
    return shape & kTables.pairSecond[static_cast<unsigned char>(data[cr - 1])] &
           kTables.single[static_cast<unsigned char>(data[cr - 3])];
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

std::string frame_crlf_line_ends_of_even_lines(std::string_view frame, size_t lineLength) {
    const size_t lines = frame.size() / lineLength;
    std::string result(frame.size() + lines, '\0');
    char* out = result.data();
    for (size_t lf = lineLength - 1; lf < frame.size(); lf += lineLength) {
        byte_copy::copy(out, frame.data() + lf + 1 - lineLength, lineLength - 1);
        out += lineLength - 1;
        if (needs_cr(frame, lf)) {
            *out++ = '\r';
        }
        *out++ = '\n';
    }
    result.resize(static_cast<size_t>(out - result.data()));
    return result;
}

bool frame_crlf_ends_match_rewrite(std::string_view crlfFrame, size_t lineLength) {
    if (lineLength < 3 || crlfFrame.size() % lineLength != 0) {
        return false;
    }
    // The bytes before a CR are those before the LF of the same frame with LF
    // ends, back to the line before, so the CR goes where the rewrite's would.
    const char* data = crlfFrame.data();
    for (size_t cr = lineLength - 2; cr < crlfFrame.size(); cr += lineLength) {
        if (cr >= 3 && follows_pair_border(data, cr)) {
            continue;
        }
        if (crlfFrame[cr] != '\r' || crlfFrame[cr + 1] != '\n' || !needs_cr(crlfFrame, cr)) {
            return false;
        }
    }
    return true;
}
