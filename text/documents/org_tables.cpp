// Org tables lined up in place as Emacs's org-table-align lines them up, so
// that aligning Zentab's output there changes nothing: every row indented as
// the table's first, one space of padding, rules of dashes joined by "+",
// short rows filled with empty cells, and a column of mostly numbers on the
// right unless an alignment cookie says otherwise. Cell text is copied as
// written. Lines inside blocks whose contents Org does not parse (source,
// example, export, comment and verse blocks, LaTeX environments) and table.el
// tables are not Org tables.
#include <algorithm>
#include <map>
#include <string>

#include "core/text_rules.h"
#include "text/documents/ascii_text.h"
#include "text/documents/directive.h"
#include "text/documents/document_kinds.h"
#include "text/documents/table_edits.h"
#include "text/unicode/display_width.h"

namespace documents {

namespace {

using text_rules::Line;

constexpr size_t kNone = std::string_view::npos;

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

std::vector<Line> lines_of(std::string_view text) {
    std::vector<Line> lines;
    for (size_t at = 0; at < text.size();) {
        lines.push_back(text_rules::line_at(text, at));
        at = lines.back().next;
    }
    return lines;
}

// A line's text from its first non-blank character on.
std::string_view content_of(std::string_view text, const Line& line) {
    size_t at = line.start;
    while (at < line.end && is_blank(text[at])) {
        ++at;
    }
    return text.substr(at, line.end - at);
}

bool is_table_line(std::string_view text, const Line& line) {
    const std::string_view content = content_of(text, line);
    return !content.empty() && content.front() == '|';
}

bool is_headline(std::string_view text, const Line& line) {
    size_t at = line.start;
    while (at < line.end && text[at] == '*') {
        ++at;
    }
    return at > line.start && at < line.end && text[at] == ' ';
}

// Document structure

std::string_view without_trailing_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool is_environment_name(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return is_digit(c) || (ascii_lower(c) >= 'a' && ascii_lower(c) <= 'z') || c == '*';
    });
}

bool closes_block(std::string_view candidate, std::string_view close) {
    return candidate.size() == close.size() && starts_with_ignoring_case(candidate, close);
}

bool closes_environment(std::string_view candidate, std::string_view close) {
    return candidate.size() >= close.size() &&
           candidate.substr(candidate.size() - close.size()) == close;
}

// Finds the lines that close blocks and environments. Each closing text's
// last answer is kept: a document of many blocks left open is still walked
// once for each.
class CloseFinder {
  public:
    CloseFinder(std::string_view text, const std::vector<Line>& lines)
        : text_(text), lines_(lines), nextHeadline_(lines.size() + 1, kNone) {
        for (size_t i = lines.size(); i-- > 0;) {
            nextHeadline_[i] = is_headline(text, lines[i]) ? i : nextHeadline_[i + 1];
        }
    }

    // The first line from `from` on that close ends, before the next
    // headline; kNone if there is none.
    size_t find(const std::string& close, bool block, size_t from) {
        Answer& answer = answers_[close];
        if (answer.from > from || (answer.line != kNone && answer.line < from)) {
            answer = {from, first_closing(close, block, from)};
        }
        return answer.line < nextHeadline_[from] ? answer.line : kNone;
    }

  private:
    struct Answer {
        size_t from = kNone;
        size_t line = kNone;
    };

    size_t first_closing(std::string_view close, bool block, size_t from) const {
        for (size_t i = from; i < lines_.size(); ++i) {
            const std::string_view candidate =
                without_trailing_blanks(content_of(text_, lines_[i]));
            if (block ? closes_block(candidate, close) : closes_environment(candidate, close)) {
                return i;
            }
        }
        return kNone;
    }

    std::string_view text_;
    const std::vector<Line>& lines_;
    std::vector<size_t> nextHeadline_;
    std::map<std::string, Answer> answers_;
};

// The index of the line closing the block or LaTeX environment that line
// opens, when Org leaves its contents unparsed; kNone otherwise. An opening
// line with no closing one before the next headline is plain text.
size_t verbatim_close(std::string_view text, const std::vector<Line>& lines, size_t open,
                      CloseFinder& finder) {
    const std::string_view content = without_trailing_blanks(content_of(text, lines[open]));
    const bool block = starts_with_ignoring_case(content, "#+begin_");
    const bool environment = content.substr(0, 7) == "\\begin{";
    if (!block && !environment) {
        return kNone;
    }
    const std::string_view rest = content.substr(block ? 8 : 7);
    const size_t nameEnd =
        block ? static_cast<size_t>(std::find_if(rest.begin(), rest.end(), is_blank) - rest.begin())
              : rest.find('}');
    if (nameEnd == kNone || nameEnd == 0) {
        return kNone;
    }
    std::string name(rest.substr(0, nameEnd));
    if (environment && !is_environment_name(name)) {
        return kNone;
    }
    std::transform(name.begin(), name.end(), name.begin(), ascii_lower);
    constexpr std::string_view kUnparsed[] = {"src", "example", "export", "comment", "verse"};
    if (block &&
        std::find(std::begin(kUnparsed), std::end(kUnparsed), name) == std::end(kUnparsed)) {
        return kNone;
    }
    if (block) {
        return finder.find("#+end_" + name, true, open + 1);
    }
    // An environment's closing words end a line, even its opening one.
    const std::string close = "\\end{" + std::string(rest.substr(0, nameEnd)) + "}";
    const std::string_view afterOpen = rest.substr(nameEnd + 1);
    return closes_environment(afterOpen, close) ? open : finder.find(close, false, open + 1);
}

// "+---+--+" alone on its line, blanks around it allowed.
bool is_table_el_rule(std::string_view text, const Line& line) {
    const std::string_view content = without_trailing_blanks(content_of(text, line));
    if (content.size() < 3 || content.front() != '+' || content.back() != '+') {
        return false;
    }
    for (size_t i = 1; i < content.size(); ++i) {
        if (content[i] != '-' && content[i] != '+') {
            return false;
        }
        if (content[i] == '+' && content[i - 1] == '+') {
            return false;
        }
    }
    return true;
}

// Past the last line of the table.el table that line first opens, or kNone:
// Org takes lines of "|" and "+" that begin and end with a full rule for one.
size_t table_el_end(std::string_view text, const std::vector<Line>& lines, size_t first) {
    if (!is_table_el_rule(text, lines[first]) || first + 1 >= lines.size()) {
        return kNone;
    }
    size_t end = first + 1;
    while (end < lines.size()) {
        const std::string_view content = content_of(text, lines[end]);
        if (content.empty() || (content.front() != '|' && content.front() != '+')) {
            break;
        }
        ++end;
    }
    if (end == first + 1 || !is_table_el_rule(text, lines[end - 1])) {
        return kNone;
    }
    return end;
}

// Whether the line is an Org comment ("#" alone or before a blank), and
// what follows its "#".
bool comment_text(std::string_view text, const Line& line, std::string_view& after) {
    const std::string_view content = content_of(text, line);
    if (content.empty() || content.front() != '#' || (content.size() > 1 && content[1] != ' ')) {
        return false;
    }
    after = content.substr(1);
    return true;
}

// Cells

struct Span {
    size_t start = 0;
    size_t end = 0;
};

struct OrgRow {
    bool rule = false;
    std::vector<Span> cells;
};

// The cells of a line from its first "|" on, split as Org splits them: at
// every "|", blanks around each cell trimmed, nothing after the last "|"
// but blanks making no cell.
OrgRow parse_row(std::string_view text, size_t pipe, size_t end) {
    OrgRow row;
    size_t at = pipe + 1;
    if (at < end && text[at] == '-') {
        row.rule = true;
        return row;
    }
    for (;;) {
        while (at < end && is_blank(text[at])) {
            ++at;
        }
        if (at >= end) {
            return row;
        }
        size_t bar = at;
        while (bar < end && text[bar] != '|') {
            ++bar;
        }
        size_t cellEnd = bar;
        while (cellEnd > at && is_blank(text[cellEnd - 1])) {
            --cellEnd;
        }
        row.cells.push_back({at, cellEnd});
        at = bar < end ? bar + 1 : end;
    }
}

// Where the target of a bracket link that begins at "[[" ends (at its "]"),
// or kNone: a bracket counts in it only when an odd run of backslashes
// escapes it.
size_t link_target_end(std::string_view text, size_t from, size_t end) {
    size_t backslashes = 0;
    for (size_t at = from; at < end; ++at) {
        const char c = text[at];
        if ((c == '[' || c == ']') && backslashes % 2 == 0) {
            return c == ']' && at > from ? at : kNone;
        }
        backslashes = c == '\\' ? backslashes + 1 : 0;
    }
    return kNone;
}

// The parts of bracket links Org hides on the line: "[[target][" and "]]"
// around a description, "[[" and "]]" around a bare target. Org measures a
// cell by what it shows.
std::vector<Span> hidden_link_parts(std::string_view text, size_t start, size_t end) {
    std::vector<Span> hidden;
    size_t at = start;
    while (at + 1 < end) {
        const size_t open = text.find("[[", at);
        if (open == kNone || open + 1 >= end) {
            break;
        }
        const size_t targetEnd = link_target_end(text, open + 2, end);
        if (targetEnd == kNone || targetEnd + 1 >= end) {
            at = open + 1;
            continue;
        }
        if (text[targetEnd + 1] == ']') {
            hidden.push_back({open, open + 2});
            hidden.push_back({targetEnd, targetEnd + 2});
            at = targetEnd + 2;
            continue;
        }
        const size_t close =
            text[targetEnd + 1] == '[' ? text.find("]]", targetEnd + 3) : std::string_view::npos;
        if (close == kNone || close + 2 > end) {
            at = open + 1;
            continue;
        }
        hidden.push_back({open, targetEnd + 2});
        hidden.push_back({close, close + 2});
        at = close + 2;
    }
    return hidden;
}

int64_t shown_width(std::string_view text, Span cell, const std::vector<Span>& hidden,
                    WidthModel model) {
    int64_t width = 0;
    size_t at = cell.start;
    for (const Span& part : hidden) {
        if (part.end <= at || part.start >= cell.end) {
            continue;
        }
        if (part.start > at) {
            width += display_width(text.substr(at, part.start - at), model);
        }
        at = std::min(part.end, cell.end);
    }
    if (at < cell.end) {
        width += display_width(text.substr(at, cell.end - at), model);
    }
    return width;
}

// Column alignment

// Org matches its number pattern and cookies ignoring letter case.
bool in_set(char c, std::string_view lowerSet) {
    return lowerSet.find(ascii_lower(c)) != kNone;
}

bool is_hex_digit(char c) {
    return is_digit(c) || (ascii_lower(c) >= 'a' && ascii_lower(c) <= 'f');
}

bool is_alnum(char c) {
    return is_digit(c) || (ascii_lower(c) >= 'a' && ascii_lower(c) <= 'z');
}

std::string_view without_sign(std::string_view cell) {
    if (!cell.empty() && (cell.front() == '-' || cell.front() == '+')) {
        cell.remove_prefix(1);
    }
    return cell;
}

// "12", "-3.5", "2.4e-08", "2x10^12", "4.034+-0.02", "2.7(10)", "1:30": the
// digits and signs before some digit, and the exponent marks, brackets and
// percent sign after it too.
bool is_decimal_like(std::string_view cell) {
    constexpr std::string_view kBefore = "-+^.0123456789";
    constexpr std::string_view kAfter = "-+^.0123456789edx()%:";
    size_t firstOther = 0;
    bool digitBefore = false;
    while (firstOther < cell.size() && in_set(cell[firstOther], kBefore)) {
        digitBefore = digitBefore || is_digit(cell[firstOther]);
        ++firstOther;
    }
    return digitBefore && std::all_of(cell.begin() + static_cast<ptrdiff_t>(firstOther), cell.end(),
                                      [&](char c) { return in_set(c, kAfter); });
}

// "0x1F", "-0X1a.8".
bool is_hex_number(std::string_view cell) {
    cell = without_sign(cell);
    return cell.size() > 2 && cell[0] == '0' && ascii_lower(cell[1]) == 'x' &&
           std::all_of(cell.begin() + 2, cell.end(),
                       [](char c) { return is_hex_digit(c) || c == '.'; });
}

// Calc's radix numbers: "16#FF".
bool is_radix_number(std::string_view cell) {
    cell = without_sign(cell);
    const size_t hash = cell.find('#');
    return hash != kNone && hash > 0 && hash + 1 < cell.size() &&
           std::all_of(cell.begin(), cell.begin() + static_cast<ptrdiff_t>(hash), is_digit) &&
           std::all_of(cell.begin() + static_cast<ptrdiff_t>(hash) + 1, cell.end(),
                       [](char c) { return is_alnum(c) || c == '.'; });
}

bool is_infinity(std::string_view cell) {
    if (!cell.empty() && in_set(cell.front(), "-+u")) {
        cell.remove_prefix(1);
    }
    return cell.size() == 3 && starts_with_ignoring_case(cell, "inf");
}

// org-table-number-regexp's default.
bool looks_like_number(std::string_view cell) {
    if (cell.size() == 3 && starts_with_ignoring_case(cell, "nan")) {
        return true;
    }
    if (is_infinity(cell)) {
        return true;
    }
    if (!cell.empty() && (cell.front() == '<' || cell.front() == '>')) {
        cell.remove_prefix(1);
    }
    return is_decimal_like(cell) || is_hex_number(cell) || is_radix_number(cell);
}

// The letter of an alignment cookie ("<l>", "<c10>", "<R>"), or 0.
char cookie_letter(std::string_view cell) {
    if (cell.size() < 3 || cell.front() != '<' || cell.back() != '>' || !in_set(cell[1], "lrc")) {
        return 0;
    }
    const std::string_view width = cell.substr(2, cell.size() - 3);
    return std::all_of(width.begin(), width.end(), is_digit) ? cell[1] : 0;
}

enum class Align { Left, Right, Centre };

// The first cookie of the column decides; otherwise numbers on the right when
// at least half the cells that are not empty are numbers. Org finds cookies
// ignoring case but places cells by lower-case letters only, so "<R>" leaves
// its column on the left.
Align column_align(const std::vector<std::vector<std::string_view>>& rows, size_t column) {
    size_t numbers = 0;
    size_t nonEmpty = 0;
    for (const std::vector<std::string_view>& row : rows) {
        const std::string_view cell = column < row.size() ? row[column] : std::string_view();
        if (cell.empty()) {
            continue;
        }
        if (const char letter = cookie_letter(cell)) {
            return letter == 'r' ? Align::Right : letter == 'c' ? Align::Centre : Align::Left;
        }
        ++nonEmpty;
        numbers += looks_like_number(cell) ? 1 : 0;
    }
    return 2 * numbers >= nonEmpty ? Align::Right : Align::Left;
}

// Drawing

struct Layout {
    std::vector<int64_t> widths;
    std::vector<Align> aligns;
};

struct ParsedTable {
    std::vector<bool> rules;
    std::vector<std::vector<std::string_view>> rows;  // the cells of each line, rules empty
    std::vector<std::vector<int64_t>> widths;
    size_t columns = 0;
};

Layout layout_of(const ParsedTable& table) {
    Layout layout;
    std::vector<std::vector<std::string_view>> cellRows;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        if (!table.rules[r]) {
            cellRows.push_back(table.rows[r]);
        }
    }
    for (size_t c = 0; c < table.columns; ++c) {
        int64_t width = 1;
        for (size_t r = 0; r < table.rows.size(); ++r) {
            if (c < table.widths[r].size()) {
                width = std::max(width, table.widths[r][c]);
            }
        }
        layout.widths.push_back(width);
        layout.aligns.push_back(cellRows.empty() ? Align::Left : column_align(cellRows, c));
    }
    return layout;
}

std::string drawn_rule(const Layout& layout, int32_t padding) {
    std::string line = "|";
    for (size_t c = 0; c < layout.widths.size(); ++c) {
        line.append(static_cast<size_t>(layout.widths[c] + 2 * padding), '-');
        line += c + 1 < layout.widths.size() ? '+' : '|';
    }
    return line;
}

std::string drawn_row(const ParsedTable& table, size_t r, const Layout& layout, int32_t padding) {
    std::string line = "|";
    const std::string pad(static_cast<size_t>(padding), ' ');
    for (size_t c = 0; c < table.columns; ++c) {
        const bool held = c < table.rows[r].size();
        const std::string_view cell = held ? table.rows[r][c] : std::string_view();
        const int64_t room = layout.widths[c] - (held ? table.widths[r][c] : 0);
        const int64_t before = layout.aligns[c] == Align::Right    ? room
                               : layout.aligns[c] == Align::Centre ? room / 2
                                                                   : 0;
        line += pad;
        line.append(static_cast<size_t>(before), ' ');
        line += cell;
        line.append(static_cast<size_t>(room - before), ' ');
        line += pad;
        line += '|';
    }
    return line;
}

std::vector<std::string> drawn_lines(const ParsedTable& table, int32_t padding) {
    const Layout layout = layout_of(table);
    std::vector<std::string> drawn;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        drawn.push_back(table.rules[r] ? drawn_rule(layout, padding)
                                       : drawn_row(table, r, layout, padding));
    }
    return drawn;
}

// Without padding a first cell starting with "-" would be read back as a
// rule: such a table keeps one space.
bool reads_as_rule(const ParsedTable& table, const std::vector<std::string>& drawn) {
    for (size_t r = 0; r < drawn.size(); ++r) {
        if (!table.rules[r] && drawn[r].size() > 1 && drawn[r][1] == '-') {
            return true;
        }
    }
    return false;
}

// A table found: its lines, each from its first "|" to its line end.
struct FoundTable {
    int64_t line = 0;
    std::vector<Line> lines;
};

size_t pipe_of(std::string_view text, const Line& line) {
    return line.end - content_of(text, line).size();
}

ParsedTable parse_table(std::string_view text, const FoundTable& found, WidthModel model) {
    ParsedTable table;
    size_t widest = 0;
    for (const Line& line : found.lines) {
        const size_t pipe = pipe_of(text, line);
        const OrgRow row = parse_row(text, pipe, line.end);
        const std::vector<Span> hidden = hidden_link_parts(text, pipe, line.end);
        table.rules.push_back(row.rule);
        table.rows.emplace_back();
        table.widths.emplace_back();
        for (const Span& cell : row.cells) {
            table.rows.back().push_back(text.substr(cell.start, cell.end - cell.start));
            table.widths.back().push_back(shown_width(text, cell, hidden, model));
        }
        widest = std::max(widest, row.cells.size());
    }
    // Rules alone: as many columns as the first line has, one column wide.
    const Line& first = found.lines.front();
    const std::string_view firstText = text.substr(first.start, first.end - first.start);
    const bool rulesOnly =
        std::all_of(table.rules.begin(), table.rules.end(), [](bool r) { return r; });
    table.columns =
        rulesOnly ? 1 + static_cast<size_t>(std::count(firstText.begin(), firstText.end(), '+'))
                  : std::max<size_t>(widest, 1);
    return table;
}

DocumentTable planned(std::string_view text, const FoundTable& found, const TableStyle& style) {
    DocumentTable table;
    table.line = found.line;
    const size_t firstPipe = pipe_of(text, found.lines.front());
    const std::string_view indent =
        text.substr(found.lines.front().start, firstPipe - found.lines.front().start);
    std::vector<TableLine> measured;
    std::vector<bool> reindented;
    for (const Line& line : found.lines) {
        const size_t pipe = pipe_of(text, line);
        measured.push_back({pipe, line.end});
        // Org indents every row as the first: a row indented otherwise is
        // rewritten from its line's start.
        const bool same = text.substr(line.start, pipe - line.start) == indent;
        reindented.push_back(!same);
        table.lines.push_back({same ? pipe : line.start, line.end});
    }
    table.refusal = unmeasurable_text(text, measured);
    if (table.refusal.kind != RefusalKind::None) {
        return table;
    }
    const ParsedTable parsed = parse_table(text, found, style.widthModel);
    std::vector<std::string> drawn = drawn_lines(parsed, style.padding);
    if (style.padding == 0 && reads_as_rule(parsed, drawn)) {
        drawn = drawn_lines(parsed, 1);
    }
    for (size_t i = 0; i < drawn.size(); ++i) {
        if (reindented[i]) {
            drawn[i].insert(0, indent);
        }
    }
    table.edits = line_edits(text, table.lines, drawn);
    return table;
}

// The document's steering comments, as a walk over its lines meets them.
struct Steering {
    TableStyle style;
    bool off = false;
    size_t ignoreLine = kNone;  // the line a "zentab: ignore" comment stands before

    void note(Directive directive, size_t line) {
        if (follow_directive(directive, off, style.widthModel)) {
            ignoreLine = line + 1;
        }
    }
};

}  // namespace

std::vector<DocumentTable> org_tables(std::string_view text, const TableStyle& style) {
    const std::vector<Line> lines = lines_of(text);
    CloseFinder closeFinder(text, lines);
    std::vector<DocumentTable> tables;
    Steering steering{style};
    size_t i = 0;
    while (i < lines.size()) {
        std::string_view comment;
        if (comment_text(text, lines[i], comment)) {
            steering.note(directive_in(comment), i);
            ++i;
            continue;
        }
        const size_t close = verbatim_close(text, lines, i, closeFinder);
        if (close != kNone) {
            i = close + 1;
            continue;
        }
        const size_t tableElEnd = table_el_end(text, lines, i);
        if (tableElEnd != kNone) {
            i = tableElEnd;
            continue;
        }
        if (!is_table_line(text, lines[i])) {
            ++i;
            continue;
        }
        FoundTable found;
        found.line = static_cast<int64_t>(i) + 1;
        const size_t first = i;
        while (i < lines.size() && is_table_line(text, lines[i])) {
            found.lines.push_back(lines[i]);
            ++i;
        }
        if (!steering.off && steering.ignoreLine != first) {
            tables.push_back(planned(text, found, steering.style));
        }
    }
    return tables;
}

}  // namespace documents
