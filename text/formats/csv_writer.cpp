// csv written as RFC 4180 has it: a cell is quoted when it holds a comma, a
// quote or a line break, or would otherwise read back as something else.
#include "text/formats/formats_internal.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

bool needs_quotes(const Row& row, std::string_view text, bool opensText) {
    constexpr AsciiStops quoted(",\"\r\n");
    return quoted.any_in(text) ||
           (row.size() == 1 && text.empty()) ||  // else an empty line, dropped at the end
           (opensText && text_rules::bom_length(text, true) > 0);  // else read as a BOM
}

}  // namespace

TableWrite write_csv(const Table& table, LineEnd lineEnd) {
    TableWrite out;
    const std::string_view end = line_end_text(lineEnd);
    out.text.reserve(table.text().size() + table.cell_count() + table.rows().size() * end.size());
    for (const Row& row : table.rows()) {
        if (row.empty()) {
            out.text.clear();
            out.refusal.kind = RefusalKind::RowNotHeld;
            return out;
        }
        for (size_t c = 0; c < row.size(); ++c) {
            if (c > 0) {
                out.text += ',';
            }
            const std::string_view text = row[c].text;
            const bool opensText = out.text.empty() && table.encoding == TextEncoding::Utf8;
            if (!needs_quotes(row, text, opensText)) {
                out.text += text;
                continue;
            }
            out.text += '"';
            for (char ch : text) {
                if (ch == '"') {
                    out.text += '"';
                }
                out.text += ch;
            }
            out.text += '"';
        }
        out.text += end;
    }
    return out;
}

}  // namespace formats
