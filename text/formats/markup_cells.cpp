#include "text/formats/markup_cells.h"

#include "text/formats/text_scan.h"

namespace formats {

Table caption_table(std::string_view caption, TextEncoding encoding) {
    Table table;
    table.encoding = encoding;
    table.add_cell(caption, kNoPlace);
    table.end_row();
    return table;
}

namespace {

bool rows_rectangular(const Table& table, Refusal& refusal) {
    const size_t columnCount = table.rows()[0].size();
    for (const Row& row : table.rows()) {
        if (row.size() != columnCount) {
            const Cell& at = row.empty()                ? table.rows()[0][0]
                             : row.size() > columnCount ? row[columnCount]
                                                        : row.back();
            refusal = cell_refusal(RefusalKind::RaggedRow, table, at);
            refusal.found = static_cast<int64_t>(row.size());
            refusal.limit = static_cast<int64_t>(columnCount);
            return false;
        }
    }
    return true;
}

template <typename Visit>
void each_char(std::string_view text, TextEncoding encoding, Visit visit) {
    char before = '\0';
    for (size_t at = 0; at < text.size();) {
        const size_t length = text_rules::char_length(text, at, is_cp932(encoding));
        const CharAt c{text.substr(at, length), at == 0, before};
        if (!visit(c, at)) {
            return;
        }
        before = length == 1 ? text[at] : '\0';
        at += length;
    }
}

}  // namespace

bool markup_table_fits(const Table& table, Refusal& refusal, bool lineBreaksHeld) {
    if (table.rows().empty() || table.rows()[0].empty()) {
        refusal.kind = table.rows().empty() ? RefusalKind::NoCells : RefusalKind::RowNotHeld;
        return false;
    }
    if (!rows_rectangular(table, refusal)) {
        return false;
    }
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            if (!lineBreaksHeld && !cell_fits(table, cell, "", refusal)) {
                return false;
            }
            const std::string_view text(cell.text);
            if (!text.empty() && (is_blank(text.front()) || is_blank(text.back()))) {
                refusal = cell_refusal(RefusalKind::CellHasEdgeBlanks, table, cell);
                return false;
            }
        }
    }
    return true;
}

bool markup_and_caption_fit(const Table& table, std::string_view caption, Refusal& refusal) {
    return markup_table_fits(table, refusal) &&
           (caption.empty() || markup_table_fits(caption_table(caption, table.encoding), refusal));
}

std::optional<FtPlacement> cell_placement(int32_t positionType, size_t row, size_t column) {
    if (positionType < 1 || positionType > FT_POSITION_TYPE_MAX) {
        return std::nullopt;
    }
    return ft_placement(positionType, row == 0 ? 0 : 1, column == 0 ? 0 : 1);
}

std::string escape_cell(std::string_view text, TextEncoding encoding, const CharEscape& escape) {
    std::string escaped;
    escaped.reserve(text.size());
    each_char(text, encoding, [&](const CharAt& c, size_t) {
        std::optional<std::string> replacement = escape(c);
        escaped += replacement ? std::string_view(*replacement) : c.text;
        return true;
    });
    return escaped;
}

size_t find_char_of(std::string_view text, TextEncoding encoding,
                    const std::function<bool(const CharAt&)>& refused) {
    size_t found = std::string_view::npos;
    each_char(text, encoding, [&](const CharAt& c, size_t at) {
        if (refused(c)) {
            found = at;
            return false;
        }
        return true;
    });
    return found;
}

}  // namespace formats
