#include "text/formats/line_cells.h"

#include <algorithm>

#include "text/unicode/escape_sequence.h"

namespace formats {

namespace {

enum class Mark : uint8_t { None, Newline, Wrap };

// A mark stands in the right margin, after a blank left margin, so a cell
// that merely ends in '+' or '.' with no padding is text.
Mark right_mark(const CutCell& cell) {
    if (!may_end_in_mark(cell.span, cell.bareLeft)) {
        return Mark::None;
    }
    return cell.span.back() == '+' ? Mark::Newline : Mark::Wrap;
}

Mark left_mark(char mark) {
    return mark == ':' ? Mark::Newline : mark == ';' ? Mark::Wrap : Mark::None;
}

// A wrapped value was cut at the width, blanks and all: the blanks before a
// wrap mark and after the mark that continues it are the value's own.
std::string_view content_of(const CutCell& cell, Mark before, bool marked) {
    std::string_view span = cell.span;
    const Mark mark = marked ? right_mark(cell) : Mark::None;
    if (mark != Mark::None) {
        span.remove_suffix(1);
    }
    const std::string_view left = trim_blanks(span);
    if (before == Mark::Wrap && !left.empty() && left.front() == '.') {
        span = span.substr(static_cast<size_t>(left.data() - span.data()) + 1);
    } else {
        span = span.substr(static_cast<size_t>(left.data() - span.data()));
    }
    return mark == Mark::Wrap ? span : trim_blanks(span);
}

// Marks are looked for only where every cell has its left margin, as a
// database shell draws them, so that text ending in '+' stays text elsewhere.
bool has_margins(const std::vector<CutLine>& lines) {
    for (const CutLine& line : lines) {
        for (const CutCell& cell : line.cells) {
            if (!cell.bareLeft && !cell.span.empty() && !is_blank(cell.span.front()) &&
                cell.span.front() != '.') {
                return false;
            }
        }
    }
    return true;
}

std::vector<Mark> marks_of(const CutLine& line) {
    std::vector<Mark> marks;
    bool any = false;
    for (const CutCell& cell : line.cells) {
        marks.push_back(right_mark(cell));
        any = any || marks.back() != Mark::None;
    }
    return any ? marks : std::vector<Mark>{};
}

// The marks that join line to the one before it, or none when it is a row
// of its own.
std::vector<Mark> joining_marks(const CutLine& line, const std::vector<Mark>& above) {
    std::vector<Mark> marks(line.cells.size(), Mark::None);
    bool any = false;
    for (size_t c = 0; c < line.cells.size(); ++c) {
        marks[c] = left_mark(line.cells[c].leftMark);
        if (marks[c] == Mark::None && c < above.size()) {
            marks[c] = above[c];
        }
        any = any || marks[c] != Mark::None;
    }
    if (!any || !line.afterContent) {
        return {};
    }
    for (size_t c = 0; c < line.cells.size(); ++c) {
        if (marks[c] == Mark::None && !trim_blanks(line.cells[c].span).empty()) {
            return {};
        }
        const std::string_view span = trim_blanks(line.cells[c].span);
        if (marks[c] == Mark::Wrap && c < above.size() && above[c] == Mark::Wrap &&
            (span.empty() || span.front() != '.')) {
            return {};
        }
    }
    return marks;
}

// A cell whose continuation lines may still follow.
struct PendingCell {
    std::string text;
    CellPlace place = 0;
};

void add_row(Table& table, const std::vector<PendingCell>& cells) {
    for (const PendingCell& cell : cells) {
        table.add_cell(cell.text, cell.place);
    }
    table.end_row();
}

constexpr char kEscape = '\x1b';

// The colour a frame closed at the end of the line that joined ends in (from
// lineStart on), and set again at the start of next: taken out of both.
// before holds what was on where that line starts, so that each line is read
// once. A cell that itself ends a line with a reset and starts the next with
// the colour just reset reads back without that pair: the frame shows both
// the same.
void join_colour(std::string& joined, size_t lineStart, const EscapeState& before,
                 std::string_view& next) {
    const size_t searchFrom = std::max(lineStart, joined.size() > 64 ? joined.size() - 64 : 0);
    for (size_t at = joined.find(kEscape, searchFrom); at != std::string::npos;
         at = joined.find(kEscape, at + 1)) {
        EscapeState inForce = before;
        inForce.read(std::string_view(joined).substr(lineStart, at - lineStart));
        const std::string close = inForce.close();
        const std::string reopen = inForce.reopen();
        if (!close.empty() && joined.compare(at, std::string::npos, close) == 0 &&
            next.substr(0, reopen.size()) == reopen) {
            joined.resize(at);
            next.remove_prefix(reopen.size());
            return;
        }
    }
}

}  // namespace

void append_joined_row(const std::vector<CutLine>& lines, std::string_view text, Table& table) {
    const std::vector<CutCell>& first = lines.front().cells;
    for (size_t c = 0; c < first.size(); ++c) {
        size_t used = 0;  // lines up to the last that is not blank
        for (size_t k = 0; k < lines.size(); ++k) {
            if (c < lines[k].cells.size() && !trim_blanks(lines[k].cells[c].span).empty()) {
                used = k + 1;
            }
        }
        const std::string_view content = trim_blanks(first[c].span);
        const std::string_view at = content.empty() ? first[c].span : content;
        const auto place = static_cast<CellPlace>(at.data() - text.data());
        if (used <= 1) {  // a cell of one line is a span of the text
            table.add_cell(used == 0 ? std::string_view() : content, place);
            continue;
        }
        std::string joined;
        EscapeState before;  // what is on where joined's last line starts
        size_t lineStart = 0;
        for (size_t k = 0; k < used; ++k) {
            std::string_view line =
                c < lines[k].cells.size() ? trim_blanks(lines[k].cells[c].span) : "";
            if (k > 0) {
                if (joined.find(kEscape, lineStart) != std::string::npos) {
                    join_colour(joined, lineStart, before, line);
                    before.read(std::string_view(joined).substr(lineStart));
                }
                joined += '\n';
                lineStart = joined.size();
            }
            joined += line;
        }
        table.add_cell(joined, place);
    }
    table.end_row();
}

void append_rows(const std::vector<CutLine>& lines, std::string_view text, Table& table) {
    std::vector<std::vector<Mark>> joins(lines.size());
    if (has_margins(lines)) {
        for (size_t i = 1; i < lines.size(); ++i) {
            joins[i] = joining_marks(lines[i], marks_of(lines[i - 1]));
        }
    }
    std::vector<PendingCell> row;
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool marked = i + 1 < lines.size() && !joins[i + 1].empty();
        const std::vector<CutCell>& cells = lines[i].cells;
        if (joins[i].empty()) {
            if (i > 0) {
                add_row(table, row);
                row.clear();
            }
            for (const CutCell& cell : cells) {
                const std::string_view content = content_of(cell, Mark::None, marked);
                const std::string_view at = content.empty() ? cell.span : content;
                row.push_back(PendingCell{std::string(content),
                                          static_cast<CellPlace>(at.data() - text.data())});
            }
            continue;
        }
        for (size_t c = 0; c < cells.size() && c < row.size(); ++c) {
            if (joins[i][c] != Mark::None) {
                row[c].text += joins[i][c] == Mark::Newline ? "\n" : "";
                row[c].text += std::string(content_of(cells[c], joins[i][c], marked));
            }
        }
    }
    if (!lines.empty()) {
        add_row(table, row);
    }
}

}  // namespace formats
