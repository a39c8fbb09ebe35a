#include "cli/lsp/table_conversion.h"

#include <algorithm>
#include <memory>

namespace lsp {

namespace {

using Options = std::unique_ptr<zentab_options, void (*)(zentab_options*)>;
using Result = std::unique_ptr<zentab_result, void (*)(zentab_result*)>;

Options new_options(zentab_format from) {
    Options options(zentab_options_new(), &zentab_options_free);
    if (options) {
        zentab_options_set_from(options.get(), from);
    }
    return options;
}

std::optional<Cells> cells_of(const zentab_result* result) {
    if (zentab_result_ok(result) == 0) {
        return std::nullopt;
    }
    const zentab_table* table = zentab_result_table(result);
    if (table == nullptr || zentab_table_rows(table) == 0) {
        return std::nullopt;
    }
    Cells cells(zentab_table_rows(table));
    for (size_t row = 0; row < cells.size(); ++row) {
        for (size_t column = 0; column < zentab_table_cells(table, row); ++column) {
            size_t size = 0;
            const char* cell = zentab_table_cell(table, row, column, &size);
            cells[row].emplace_back(cell, size);
        }
    }
    return cells;
}

std::optional<Cells> read_cells(std::string_view text, zentab_format from) {
    const Options options = new_options(from);
    if (!options) {
        return std::nullopt;
    }
    const Result result(from == ZENTAB_FORMAT_FRAME
                            ? zentab_unframe(text.data(), text.size(), options.get())
                            : zentab_read(text.data(), text.size(), options.get()),
                        &zentab_result_free);
    return result ? cells_of(result.get()) : std::nullopt;
}

std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// An Org table's rows as a Markdown table, its first row the header: the
// two cut cells at the same pipes, and the C library reads Markdown.
std::string org_as_markdown(std::string_view source) {
    std::string markdown;
    bool first = true;
    for (std::string_view line : lines_of(source)) {
        line = trimmed(line);
        if (line.substr(0, 2) == "|-") {
            continue;
        }
        markdown.append(line);
        markdown += '\n';
        if (first) {
            std::string_view cells = line.substr(1);
            if (!cells.empty() && cells.back() == '|') {
                cells.remove_suffix(1);
            }
            markdown += '|';
            const auto columns = std::count(cells.begin(), cells.end(), '|') + 1;
            for (std::ptrdiff_t c = 0; c < columns; ++c) {
                markdown += "---|";
            }
            markdown += '\n';
            first = false;
        }
    }
    return markdown;
}

// A psv or TSV line with its outer pipes and the blanks around its cells
// taken off, which the psv reader would refuse.
std::string plain_row(std::string_view line, char separator) {
    line = trimmed(line);
    if (separator == '|') {
        if (!line.empty() && line.front() == '|') {
            line.remove_prefix(1);
        }
        if (!line.empty() && line.back() == '|') {
            line.remove_suffix(1);
        }
    }
    std::string row;
    for (size_t at = 0;;) {
        const size_t next = line.find(separator, at);
        row.append(trimmed(line.substr(at, next - at)));
        if (next == std::string_view::npos) {
            break;
        }
        row += separator;
        at = next + 1;
    }
    return row;
}

void append_csv_field(std::string& out, std::string_view field) {
    out += '"';
    for (const char c : field) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
}

size_t line_start_before(std::string_view text, size_t at) {
    while (at > 0 && text[at - 1] != '\n' && text[at - 1] != '\r') {
        --at;
    }
    return at;
}

// The table's own lines with its edits made, each ending in LF: a drawing
// out of line may not read back as cells until it is lined up.
std::string aligned_source(std::string_view text, const DocumentTable& table) {
    if (!table.changes() || table.lines.empty()) {
        return table_source(text, table);
    }
    const size_t base = table.lines.front().start;
    std::string region(text.substr(base, table.lines.back().end - base));
    for (auto edit = table.edits.rbegin(); edit != table.edits.rend(); ++edit) {
        region.replace(edit->start - base, edit->end - edit->start, edit->text);
    }
    std::string source;
    size_t line = 0;
    for (size_t at = 0; at <= region.size(); ++line) {
        size_t end = region.find_first_of("\r\n", at);
        if (end == std::string::npos) {
            end = region.size();
        }
        const size_t prefix =
            line == 0 || line >= table.lines.size()
                ? 0
                : table.lines[line].start - line_start_before(text, table.lines[line].start);
        source.append(region, std::min(at + prefix, end), end - std::min(at + prefix, end));
        source += '\n';
        at = region.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    }
    return source;
}

}  // namespace

DrawnFormat format_of_kind(DocumentKind kind, int frameType) {
    switch (kind) {
        case DocumentKind::Markdown:
            return {ZENTAB_FORMAT_MARKDOWN};
        case DocumentKind::Org:
            return {ZENTAB_FORMAT_ORG};
        case DocumentKind::Rst:
            return {ZENTAB_FORMAT_RST};
        case DocumentKind::Text:
            return {ZENTAB_FORMAT_FRAME, frameType};
    }
    return {ZENTAB_FORMAT_MARKDOWN};
}

std::optional<Cells> cells_of_table(std::string_view text, const DocumentTable& table,
                                    DocumentKind kind) {
    const std::string source = aligned_source(text, table);
    switch (kind) {
        case DocumentKind::Markdown:
            return read_cells(source, ZENTAB_FORMAT_MARKDOWN);
        case DocumentKind::Org:
            return read_cells(org_as_markdown(source), ZENTAB_FORMAT_MARKDOWN);
        case DocumentKind::Rst:
        case DocumentKind::Text:
            return read_cells(source, ZENTAB_FORMAT_FRAME);
    }
    return std::nullopt;
}

std::optional<Cells> cells_of_selection(std::string_view lines) {
    bool psv = true;
    bool csv = true;
    bool any = false;
    for (const std::string_view line : lines_of(lines)) {
        if (trimmed(line).empty()) {
            continue;
        }
        any = true;
        psv = psv && line.find_first_of("|\t") != std::string_view::npos;
        csv = csv && line.find(',') != std::string_view::npos;
    }
    if (!any || (!psv && !csv)) {
        return std::nullopt;
    }
    if (!psv) {
        return read_cells(lines, ZENTAB_FORMAT_CSV);
    }
    std::string plain;
    for (const std::string_view line : lines_of(lines)) {
        if (!trimmed(line).empty()) {
            plain += plain_row(line, line.find('|') != std::string_view::npos ? '|' : '\t');
            plain += '\n';
        }
    }
    return read_cells(plain, ZENTAB_FORMAT_PSV);
}

std::optional<std::string> draw_cells(const Cells& cells, DrawnFormat format,
                                      const ServerSettings& settings) {
    std::string csv;
    for (const std::vector<std::string>& row : cells) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c > 0) {
                csv += ',';
            }
            append_csv_field(csv, row[c]);
        }
        csv += '\n';
    }
    const Options options = new_options(ZENTAB_FORMAT_CSV);
    if (!options) {
        return std::nullopt;
    }
    zentab_options_set_to(options.get(), format.format);
    zentab_options_set_frame_type(options.get(), format.frameType);
    zentab_options_set_width(options.get(), static_cast<zentab_width>(settings.widthModel));
    const Result result(zentab_convert(csv.data(), csv.size(), options.get()), &zentab_result_free);
    if (!result || zentab_result_ok(result.get()) == 0) {
        return std::nullopt;
    }
    std::string drawn(zentab_result_data(result.get()), zentab_result_size(result.get()));
    if (!drawn.empty() && drawn.back() != '\n') {
        drawn += '\n';
    }
    return drawn;
}

}  // namespace lsp
