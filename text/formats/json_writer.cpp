// JSON out: an array of objects keyed by the header row, or of arrays without
// one, a row a line; JSON Lines are the same rows without the array. Every value is a string, so no
// cell is taken for a number; only what JSON requires is escaped.
#include <unordered_map>

#include "text/formats/formats_internal.h"
#include "text/formats/json_string.h"

namespace formats {

namespace {

// The first header cell whose name an earlier one has; the rows' keys must
// differ, and renaming would change the cells read back.
bool header_unique(const Row& header, Refusal& refusal) {
    std::unordered_map<std::string_view, size_t> seen;
    for (const Cell& cell : header) {
        if (!seen.emplace(std::string_view(cell.text), 0).second) {
            refusal = cell_refusal(RefusalKind::DuplicateName, header.table(), cell);
            return false;
        }
    }
    return true;
}

void append_array(std::string& out, const Row& row) {
    out += '[';
    for (size_t c = 0; c < row.size(); ++c) {
        if (c > 0) {
            out += ',';
        }
        append_json_string(out, row[c].text);
    }
    out += ']';
}

// A row shorter than the header leaves its last keys out, which reads back as
// empty cells; a longer one has cells with no key.
bool append_object(std::string& out, const Row& header, const Row& row, Refusal& refusal) {
    if (row.size() > header.size()) {
        refusal = cell_refusal(RefusalKind::RaggedRow, row.table(), row[header.size()]);
        refusal.found = static_cast<int64_t>(row.size());
        refusal.limit = static_cast<int64_t>(header.size());
        return false;
    }
    out += '{';
    for (size_t c = 0; c < row.size(); ++c) {
        if (c > 0) {
            out += ',';
        }
        append_json_string(out, header[c].text);
        out += ':';
        append_json_string(out, row[c].text);
    }
    out += '}';
    return true;
}

// With --with-title the rows go in an object beside the title and footer
// there are: {"title": ..., "footer": ..., "rows": [...]}.
void open_titled(std::string& out, const TableTitles& titles) {
    out += '{';
    if (!titles.title.empty()) {
        append_json_string(out, "title");
        out += ':';
        append_json_string(out, titles.title);
        out += ',';
    }
    if (!titles.footer.empty()) {
        append_json_string(out, "footer");
        out += ':';
        append_json_string(out, titles.footer);
        out += ',';
    }
    append_json_string(out, "rows");
    out += ':';
}

}  // namespace

TableWrite write_json(const Table& table, const WriteOptions& options, bool lines) {
    TableWrite out;
    if (table.encoding != TextEncoding::Utf8) {
        out.refusal = json_not_utf8();
        return out;
    }
    const std::string_view end = line_end_text(options.lineEnd);
    const size_t first = options.header ? 1 : 0;
    if (options.header && !table.rows().empty() && !header_unique(table.rows()[0], out.refusal)) {
        return out;
    }
    const bool titled = !lines && options.withTitle;
    if (titled) {
        open_titled(out.text, options.titles);
    }
    if (!lines) {
        out.text += '[';
        out.text += end;
    }
    for (size_t r = first; r < table.rows().size(); ++r) {
        if (!options.header) {
            append_array(out.text, table.rows()[r]);
        } else if (!append_object(out.text, table.rows()[0], table.rows()[r], out.refusal)) {
            out.text.clear();
            return out;
        }
        out.text += !lines && r + 1 < table.rows().size() ? "," : "";
        out.text += end;
    }
    if (!lines) {
        out.text += titled ? "]}" : "]";
        out.text += end;
    }
    return out;
}

}  // namespace formats
