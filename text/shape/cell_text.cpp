#include "text/shape/cell_text.h"

#include <optional>
#include <vector>

#include "text/cp932_codec.h"
#include "text/shape/number_format.h"
#include "text/text_check.h"

namespace {

bool is_continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U;
}

size_t characters_in(std::string_view utf8) {
    size_t count = 0;
    for (char byte : utf8) {
        count += is_continuation(byte) ? 0 : 1;
    }
    return count;
}

// UTF-8 text, as the table's encoding writes it.
Refusal in_table_encoding(std::string_view utf8, TextEncoding encoding, std::string& written) {
    if (encoding != TextEncoding::Cp932) {
        written = std::string(utf8);
        return Refusal{};
    }
    Cp932Encoded encoded = cp932_encode_utf8(utf8);
    if (!encoded.ok) {
        Refusal refusal = refusal_of(RefusalKind::NotInCp932);
        refusal.codePoint = encoded.codePoint;
        return refusal;
    }
    written = std::move(encoded.bytes);
    return Refusal{};
}

// The style, group and missing text in the table's encoding.
struct CellWriting {
    std::vector<NumberStyle> styles;
    std::string group;
    std::string missing;
    char point = '.';
};

Refusal cell_writing(const CellText& cellText, TextEncoding encoding, CellWriting& writing) {
    if (!cellText.number.empty()) {
        writing.styles = number_styles(cellText.number).value_or(std::vector<NumberStyle>());
    }
    writing.point = cellText.groupChar == "." ? ',' : '.';
    Refusal refusal = in_table_encoding(cellText.groupChar, encoding, writing.group);
    if (refusal.kind == RefusalKind::None) {
        refusal = in_table_encoding(cellText.missing, encoding, writing.missing);
    }
    return refusal;
}

void add_body_row(Table& out, const Row& row, const CellWriting& writing) {
    const NumberMarks marks{writing.group, writing.point};
    for (size_t column = 0; column < row.size(); ++column) {
        const Cell cell = row[column];
        if (cell.text.empty() && !writing.missing.empty()) {
            out.add_cell(writing.missing, cell.place);
            continue;
        }
        const NumberStyle style =
            column < writing.styles.size() ? writing.styles[column] : NumberStyle{};
        std::optional<std::string> number = formatted_number(cell.text, style, marks);
        out.add_cell(number ? std::string_view(*number) : cell.text, cell.place);
    }
    out.end_row();
}

}  // namespace

bool number_list_valid(std::string_view list) {
    return number_styles(list).has_value();
}

bool group_char_valid(std::string_view character) {
    if (characters_in(character) != 1 || check_utf8_text(character).fault != TextFault::None) {
        return false;
    }
    const char first = character.front();
    return !(first >= '0' && first <= '9') && first != '-' && first != '+' &&
           static_cast<unsigned char>(first) >= 0x20;
}

bool missing_text_valid(std::string_view text) {
    for (char byte : text) {
        if (static_cast<unsigned char>(byte) < 0x20) {
            return false;
        }
    }
    return check_utf8_text(text).fault == TextFault::None;
}

CellTextTable with_cell_text(const Table& table, const CellText& cellText) {
    CellTextTable result;
    result.table.encoding = table.encoding;
    CellWriting writing;
    result.refusal = cell_writing(cellText, table.encoding, writing);
    if (!result.ok()) {
        return result;
    }
    result.table.borrow(table.text());
    result.table.place_as(table);
    const Rows rows = table.rows();
    if (rows.empty()) {
        return result;
    }
    for (const Cell cell : rows.front()) {
        result.table.add_cell(cell.text, cell.place);
    }
    result.table.end_row();
    for (size_t row = 1; row < rows.size(); ++row) {
        add_body_row(result.table, rows[row], writing);
    }
    return result;
}
