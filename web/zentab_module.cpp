// The WebAssembly module's C interface over the text layer, for the page and
// the npm package. The caller writes UTF-8 into the input buffer, frames it,
// then reads the output or the refusal; every pointer stays valid until the
// next call, and memory views must be taken again after each call because
// the memory may have grown.
#include <cstdint>
#include <string>
#include <vector>

#include "core/text_rules.h"
#include "text/cp932_codec.h"
#include "text/formats/table.h"
#include "text/frame_text.h"
#include "text/text_limits.h"
#include "text/unicode/display_width.h"

#define ZENTAB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// A refusal that only this face makes: Shift-JIS chosen for text that code
// page 932 cannot hold. Past the text layer's kinds.
constexpr int32_t kNotInCp932 = 100;

std::string gInput;
std::string gOutput;
std::string gMessage;
Refusal gRefusal;
int32_t gKind = 0;

std::string code_point_name(uint32_t value) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    for (; value != 0 || digits.size() < 4; value >>= 4) {
        digits.insert(digits.begin(), kDigits[value & 0xF]);
    }
    return "U+" + digits;
}

std::string place_of(const Refusal& refusal) {
    return "line " + std::to_string(refusal.line) + ", column " + std::to_string(refusal.column) +
           ": ";
}

void refuse(const Refusal& refusal, int32_t kind, std::string message) {
    gOutput.clear();
    gRefusal = refusal;
    gKind = kind;
    gMessage = std::move(message);
}

}  // namespace

// The input buffer for `size` bytes of UTF-8.
ZENTAB_EXPORT char* zentab_input(uint32_t size) {
    gInput.resize(size);
    return gInput.data();
}

// Frames the input, read as `from` (TableFormat: 0 psv, 1 csv, 2 tsv,
// 3 markdown, 4 frame). cp932: as `zentab -e cp932` would frame the text in
// code page 932, with the output in code page 932 bytes. Returns 1 for a
// frame, 0 for a refusal.
ZENTAB_EXPORT int32_t zentab_frame(int32_t frameType, int32_t positionType, int32_t wide,
                                   int32_t cp932, int32_t crlf, int32_t from) {
    FrameRequest request;
    request.frameType = frameType;
    request.positionType = positionType;
    request.widthModel = wide != 0 ? WidthModel::Wide : WidthModel::Narrow;
    request.lineEnd = crlf != 0 ? LineEnd::CrLf : LineEnd::Lf;
    request.text = gInput;
    Cp932Encoded encoded;
    if (cp932 != 0) {
        std::string_view text = gInput;
        // The UTF-8 path skips a byte order mark; here it has no code to become.
        text.remove_prefix(text_rules::bom_length(text, true));
        encoded = cp932_encode_utf8(text);
        if (!encoded.ok) {
            Refusal refusal;
            refusal.line = encoded.line;
            refusal.column = encoded.column;
            refusal.codePoint = encoded.codePoint;
            if (encoded.invalidUtf8) {
                refusal.kind = RefusalKind::InvalidUtf8;
                refuse(refusal, static_cast<int32_t>(refusal.kind), describe_refusal(refusal));
            } else {
                refuse(refusal, kNotInCp932,
                       place_of(refusal) + code_point_name(encoded.codePoint) +
                           " cannot be written in code page 932 (Shift-JIS)");
            }
            return 0;
        }
        request.text = encoded.bytes;
        request.encoding = TextEncoding::Cp932;
    }
    FrameOutcome outcome;
    if (from == static_cast<int32_t>(TableFormat::Psv)) {
        outcome = frame_text(request);
    } else {
        // As convert_table does for --from, with the frame as the only
        // output: the other writers then stay out of the module.
        const auto format = static_cast<TableFormat>(from);
        const int64_t limit = format == TableFormat::Frame ? kTextFrameLimit : kTextInputLimit;
        outcome.refusal = check_input_text(request.text, request.encoding, limit);
        const std::string_view text = without_bom(request.text, request.encoding);
        if (outcome.ok() && text.find_first_not_of("\r\n") != std::string_view::npos) {
            TableRead read = read_table(text, format, request.encoding, request.widthModel);
            outcome.refusal = read.refusal;
            if (read.ok()) {
                WriteOptions options;
                options.frameType = frameType;
                options.positionType = positionType;
                options.widthModel = request.widthModel;
                options.lineEnd = request.lineEnd;
                TableWrite written = write_table(read.table, TableFormat::Frame, options);
                outcome.frame = std::move(written.text);
                outcome.refusal = written.refusal;
            }
        }
    }
    if (!outcome.ok()) {
        refuse(outcome.refusal, static_cast<int32_t>(outcome.refusal.kind),
               describe_refusal(outcome.refusal));
        return 0;
    }
    gOutput = std::move(outcome.frame);
    gRefusal = Refusal{};
    gKind = 0;
    gMessage.clear();
    return 1;
}

// The code page 932 table that the caller fills before its first Shift-JIS
// frame (see text/cp932_codec.h).
ZENTAB_EXPORT uint16_t* zentab_cp932_table() {
    return cp932_caller_table();
}

// Turns a code page 932 output into UTF-8, for showing it.
ZENTAB_EXPORT void zentab_output_to_utf8() {
    gOutput = cp932_decode_to_utf8(gOutput);
}

ZENTAB_EXPORT const char* zentab_output() {
    return gOutput.data();
}
ZENTAB_EXPORT uint32_t zentab_output_size() {
    return static_cast<uint32_t>(gOutput.size());
}
// Reads the input as a frame (`zentab --unframe`) into rows of cells: in the
// output, each cell ends in U+001F and each row in U+001E, characters that the
// text layer refuses in any input. Returns 1, or 0 for a refusal.
ZENTAB_EXPORT int32_t zentab_unframe(int32_t wide) {
    const WidthModel model = wide != 0 ? WidthModel::Wide : WidthModel::Narrow;
    Refusal refusal = check_input_text(gInput, TextEncoding::Utf8, kTextFrameLimit);
    TableRead read;
    const std::string_view text = without_bom(gInput, TextEncoding::Utf8);
    // Nothing but line ends is no table, as for the command.
    if (refusal.kind == RefusalKind::None &&
        text.find_first_not_of("\r\n") != std::string_view::npos) {
        read = read_table(text, TableFormat::Frame, TextEncoding::Utf8, model);
        refusal = read.refusal;
    }
    if (refusal.kind != RefusalKind::None) {
        refuse(refusal, static_cast<int32_t>(refusal.kind), describe_refusal(refusal));
        return 0;
    }
    gOutput.clear();
    for (const Row& row : read.table.rows) {
        for (const Cell& cell : row) {
            gOutput += cell.text;
            gOutput += '\x1F';
        }
        gOutput += '\x1E';
    }
    gRefusal = Refusal{};
    gKind = 0;
    gMessage.clear();
    return 1;
}

namespace {
std::vector<char16_t> gOutput16;
}  // namespace

// The output as UTF-16 at zentab_output16(), for Node, where making a string
// of UTF-16 is a copy but of UTF-8 a slow decode. Returns the code units.
ZENTAB_EXPORT uint32_t zentab_output_utf16() {
    if (gOutput16.size() < gOutput.size()) {
        gOutput16.resize(gOutput.size());
    }
    char16_t* out = gOutput16.data();
    for (size_t at = 0; at < gOutput.size();) {
        const text_rules::Utf8Char c = text_rules::decode_utf8_unchecked(gOutput, at);
        at += c.length;
        uint32_t value = c.codePoint;
        if (value >= 0x10000) {
            *out++ = static_cast<char16_t>(0xD7C0 + (value >> 10));
            value = 0xDC00 | (value & 0x3FF);
        }
        *out++ = static_cast<char16_t>(value);
    }
    return static_cast<uint32_t>(out - gOutput16.data());
}

ZENTAB_EXPORT const char16_t* zentab_output16() {
    return gOutput16.data();
}

ZENTAB_EXPORT const char* zentab_message() {
    return gMessage.data();
}
ZENTAB_EXPORT uint32_t zentab_message_size() {
    return static_cast<uint32_t>(gMessage.size());
}
ZENTAB_EXPORT int32_t zentab_refusal_kind() {
    return gKind;
}
// Doubles, so that JavaScript reads them as numbers rather than BigInts.
ZENTAB_EXPORT double zentab_refusal_line() {
    return static_cast<double>(gRefusal.line);
}
ZENTAB_EXPORT double zentab_refusal_column() {
    return static_cast<double>(gRefusal.column);
}
ZENTAB_EXPORT uint32_t zentab_refusal_code_point() {
    return gRefusal.codePoint;
}

namespace {

std::vector<uint32_t> gLayout;

}  // namespace

// Lays out the input as the page shows it: for each grapheme cluster that
// holds a character beyond ASCII (an accent after a plain letter too), its
// start and length in UTF-16 code units and its columns. Returns the number
// of triples at zentab_layout_data(). The input must be valid UTF-8.
ZENTAB_EXPORT uint32_t zentab_layout(int32_t wide) {
    gLayout.clear();
    const std::string_view text = gInput;
    const WidthModel model = wide != 0 ? WidthModel::Wide : WidthModel::Narrow;
    uint32_t offset = 0;
    for (size_t at = 0; at < text.size();) {
        const bool plain = static_cast<uint8_t>(text[at]) < 0x80 &&
                           (at + 1 == text.size() || static_cast<uint8_t>(text[at + 1]) < 0x80);
        if (plain) {
            ++at;
            ++offset;
            continue;
        }
        const Grapheme cluster = next_grapheme(text, at, model);
        uint32_t units = 0;
        bool ascii = true;
        for (size_t index = at; index < cluster.end; ++index) {
            const auto byte = static_cast<uint8_t>(text[index]);
            // Lead bytes start a code point; four-byte ones need a surrogate pair.
            units += text_rules::is_utf8_continuation(byte) ? 0 : byte >= 0xF0 ? 2 : 1;
            ascii = ascii && byte < 0x80;
        }
        // A line end before a box piece, say, stays text: a box would hold the break.
        if (ascii) {
            offset += units;
            at = cluster.end;
            continue;
        }
        gLayout.push_back(offset);
        gLayout.push_back(units);
        gLayout.push_back(static_cast<uint32_t>(cluster.width));
        offset += units;
        at = cluster.end;
    }
    return static_cast<uint32_t>(gLayout.size() / 3);
}

ZENTAB_EXPORT const uint32_t* zentab_layout_data() {
    return gLayout.data();
}
