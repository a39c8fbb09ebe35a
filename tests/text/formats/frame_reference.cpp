#include "frame_reference.h"

#include <vector>

#include "core/text_rules.h"
#include "text/formats/frame_pieces.h"
#include "text/unicode/display_width.h"

namespace {

using formats::Piece;

std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t at = 0; at <= text.size(); ++at) {
        if (at == text.size() || text[at] == '\n' || text[at] == '\r') {
            lines.push_back(text.substr(start, at - start));
            if (at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n') {
                ++at;
            }
            start = at + 1;
        }
    }
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

struct Char {
    std::string_view bytes;
    size_t offset;
    Piece piece;
};

std::vector<Char> chars_of(std::string_view line, TextEncoding encoding) {
    std::vector<Char> chars;
    const bool cp932 = encoding == TextEncoding::Cp932;
    for (size_t at = 0; at < line.size();) {
        const size_t length = text_rules::char_length(line, at, cp932);
        const std::string_view bytes = line.substr(at, length);
        chars.push_back({bytes, at, formats::piece_of(formats::piece_code(bytes, encoding))});
        at += length;
    }
    return chars;
}

int64_t columns_to(std::string_view line, size_t offset, TextEncoding encoding, WidthModel model) {
    const std::string_view before = line.substr(0, offset);
    return encoding == TextEncoding::Cp932 ? static_cast<int64_t>(before.size())
                                           : display_width(before, model);
}

// The columns of a rule's joints, or nothing when the line is no rule: a
// joint, then joints and fills, ending in a joint or a vertical piece (other
// tools start one with a vertical piece too, around joints); a
// column of empty cells in ASCII is joints side by side, +++.
std::vector<int64_t> rule_joints(std::string_view line, TextEncoding encoding, WidthModel model) {
    const std::vector<Char> chars = chars_of(line, encoding);
    std::vector<int64_t> joints;
    bool fill = false;
    for (const Char& c : chars) {
        const bool end = c.piece == Piece::Vertical && (&c == &chars.back() || joints.empty());
        if (c.piece == Piece::Joint || end) {
            joints.push_back(columns_to(line, c.offset, encoding, model));
        } else if (c.piece == Piece::Fill) {
            fill = true;
        } else {
            return {};
        }
    }
    if (chars.empty() || (chars.front().piece != Piece::Joint && joints.size() < 3) ||
        (!fill && chars.front().bytes != "+") || joints.size() < 2) {
        return {};
    }
    return joints;
}

uint32_t corner(std::string_view line, TextEncoding encoding) {
    return formats::piece_code(
        line.substr(0, text_rules::char_length(line, 0, encoding == TextEncoding::Cp932)),
        encoding);
}

std::string trim(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return "";
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// A content line's cells, trimmed: cut at the vertical pieces that stand
// at the joints' columns.
bool cut_line(std::string_view line, const std::vector<int64_t>& joints, TextEncoding encoding,
              WidthModel model, std::vector<std::string>& cells) {
    size_t next = 0;
    size_t cellStart = 0;
    for (const Char& c : chars_of(line, encoding)) {
        if (next == joints.size()) {
            if (c.bytes != " ") {
                return false;
            }
            continue;
        }
        if (c.piece != Piece::Vertical) {
            continue;
        }
        const int64_t column = columns_to(line, c.offset, encoding, model);
        if (column == joints[next]) {
            if (next > 0) {
                cells.push_back(trim(line.substr(cellStart, c.offset - cellStart)));
            } else if (c.offset != 0) {
                return false;
            }
            cellStart = c.offset + c.bytes.size();
            ++next;
        }
    }
    return next == joints.size();
}

// Lines of one row, each cell's lines joined by LF, blank lines at its end left out.
std::vector<std::string> joined(const std::vector<std::vector<std::string>>& lines) {
    std::vector<std::string> row(lines.front().size());
    for (size_t c = 0; c < row.size(); ++c) {
        size_t used = 0;
        for (size_t k = 0; k < lines.size(); ++k) {
            used = lines[k][c].empty() ? used : k + 1;
        }
        for (size_t k = 0; k < used; ++k) {
            row[c] += (k > 0 ? "\n" : "") + lines[k][c];
        }
    }
    return row;
}

}  // namespace

FrameReferenceRead reference_frame_read(std::string_view text, TextEncoding encoding,
                                        WidthModel model) {
    FrameReferenceRead read;
    const std::vector<std::string_view> lines = lines_of(text);
    if (lines.empty()) {
        return read;
    }
    const std::vector<int64_t> joints = rule_joints(lines.front(), encoding, model);
    if (joints.empty() || !formats::opens_frame(corner(lines.front(), encoding))) {
        read.line = 1;
        return read;
    }
    std::vector<std::vector<std::vector<std::string>>> groups(1);
    size_t last = 0;  // the line of the last rule
    for (size_t at = 1; at < lines.size(); ++at) {
        read.line = static_cast<int64_t>(at) + 1;
        std::vector<int64_t> ruleJoints = rule_joints(lines[at], encoding, model);
        // |+---+| between borders is a cell, unless its joints are the frame's.
        if (formats::piece_of(corner(lines[at], encoding)) == Piece::Vertical &&
            ruleJoints != joints) {
            ruleJoints.clear();
        }
        if (!ruleJoints.empty()) {
            // A rule may have no joints between its ends, as a row spanning
            // the frame would draw it.
            const bool ends = ruleJoints.size() == 2 && ruleJoints.front() == joints.front() &&
                              ruleJoints.back() == joints.back();
            if (ruleJoints != joints && !ends) {
                return read;
            }
            if (!groups.back().empty()) {
                groups.emplace_back();
            }
            last = at;
            const uint32_t code = corner(lines[at], encoding);
            if (formats::closes_frame(code) && code != '+') {
                break;  // what follows is no part of the frame
            }
            continue;
        }
        std::vector<std::string> cells;
        if (!cut_line(lines[at], joints, encoding, model, cells)) {
            return read;
        }
        groups.back().push_back(cells);
    }
    if (!groups.back().empty() || last == 0 ||
        !formats::closes_frame(corner(lines[last], encoding))) {
        return read;  // no closing rule
    }
    groups.pop_back();
    // The lines before a rule inside are one row; so are the last ones when
    // two rules or more stand inside, else they are a row each.
    for (size_t g = 0; g < groups.size(); ++g) {
        if (g + 1 == groups.size() && groups.size() < 3) {
            read.cells.insert(read.cells.end(), groups[g].begin(), groups[g].end());
        } else {
            read.cells.push_back(joined(groups[g]));
        }
    }
    read.ok = !read.cells.empty();
    read.line = 0;
    return read;
}
