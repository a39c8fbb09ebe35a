#include "text/formats/text_scan.h"

#include "core/byte_blocks.h"
#include "text/input_check.h"
#include "text/unicode/display_width.h"
#include "text/unicode/escape_sequence.h"

namespace formats {

// Found 64 bytes at a time: most lines of a table are short, and a search a
// line would cost a call each.
Lines split_lines(std::string_view text) {
    const std::string_view kept = text_rules::without_trailing_line_ends(text);
    Lines lines;
    if (kept.empty()) {
        return lines;
    }
    // Room for lines of eight bytes: pages never written to cost no memory,
    // and the lines are not moved as they come.
    lines.reserve(kept.size() / 8 + 1);
    size_t start = 0;
    // Filled in place: a line pushed whole is written field by field and
    // read back in one load, which stalls.
    const auto end_line_at = [&](size_t end) {
        const bool pair = kept[end] == '\r' && end + 1 < kept.size() && kept[end + 1] == '\n';
        LineSpan& line = lines.emplace_back();
        line.start = static_cast<uint32_t>(start);
        line.end = static_cast<uint32_t>(end);
        start = end + (pair ? 2 : 1);
    };
    using K = byte_blocks::Kernel;
    constexpr uint64_t kLf = byte_blocks::kOnes * '\n';
    constexpr uint64_t kCr = byte_blocks::kOnes * '\r';
    constexpr size_t kChunk = 64;
    size_t at = 0;
    for (; kept.size() - at >= kChunk; at += kChunk) {
        uint64_t found = 0;
        for (size_t block = 0; block < kChunk / 16; ++block) {
            found |= uint64_t{K::target_bits(kept.data() + at + 16 * block, kLf, kCr, 0)}
                     << (16 * block);
        }
        for (; found != 0; found &= found - 1) {
            const size_t end = at + static_cast<size_t>(__builtin_ctzll(found));
            if (end >= start) {  // else the LF of a CR LF just taken
                end_line_at(end);
            }
        }
    }
    for (; at < kept.size(); ++at) {
        if (at >= start && text_rules::is_line_end(kept[at])) {
            end_line_at(at);
        }
    }
    LineSpan& last = lines.emplace_back();
    last.start = static_cast<uint32_t>(start);
    last.end = static_cast<uint32_t>(kept.size());
    return lines;
}

Refusal refusal_at(std::string_view text, TextEncoding encoding, RefusalKind kind, size_t offset) {
    const text_rules::TextPlace place = text_rules::place_of(text, offset, is_cp932(encoding));
    Refusal refusal;
    refusal.kind = kind;
    refusal.line = place.line;
    refusal.column = place.column;
    return refusal;
}

int64_t text_columns(std::string_view text, TextEncoding encoding, WidthModel model) {
    if (encoding == TextEncoding::Cp932) {
        return static_cast<int64_t>(text.size());
    }
    return display_width(text, model);
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

namespace {

// A refusal placed in a cell's text, placed in the input as the cell's text
// stands there; a cell a JSON string spelt is placed from the string's start.
Refusal placed_in_cell(const Table& table, const Cell& cell, Refusal inCell) {
    const text_rules::TextPlace place = table.place_of(cell);
    inCell.column += inCell.line == 1 ? place.column - 1 : 0;
    inCell.line += place.line - 1;
    return inCell;
}

// The first ESC of text that begins no whole escape sequence there.
size_t cut_escape_in(std::string_view text) {
    for (size_t at = text.find(kEscape); at != std::string_view::npos;) {
        const size_t length = escape_length_at(text, at);
        if (length == 0) {
            return at;
        }
        at = text.find(kEscape, at + length);  // a link's ESC \ is its own
    }
    return std::string_view::npos;
}

}  // namespace

bool cells_are_text(const Table& table, Refusal& refusal) {
    if (!table.cells_hold_any("\x1b") &&
        check_text(table.text(), table.encoding).kind == RefusalKind::None) {
        return true;
    }
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            const Refusal inCell = check_text(cell.text, table.encoding);
            if (inCell.kind != RefusalKind::None) {
                refusal = placed_in_cell(table, cell, inCell);
                return false;
            }
        }
    }
    return true;
}

bool escapes_whole(const Table& table, Refusal& refusal) {
    if (!table.cells_hold_any("\x1b")) {
        return true;
    }
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            const size_t cut = cut_escape_in(cell.text);
            if (cut == std::string_view::npos) {
                continue;
            }
            const text_rules::TextPlace place =
                text_rules::place_of(cell.text, cut, table.encoding == TextEncoding::Cp932);
            Refusal inCell = refusal_of(RefusalKind::ControlCharacter);
            inCell.line = place.line;
            inCell.column = place.column;
            inCell.codePoint = 0x1B;
            refusal = placed_in_cell(table, cell, inCell);
            return false;
        }
    }
    return true;
}

}  // namespace formats
