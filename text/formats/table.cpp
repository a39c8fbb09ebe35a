#include "text/formats/table.h"

#include "text/formats/formats_internal.h"
#include "text/formats/text_scan.h"

namespace formats {

Refusal cell_refusal(RefusalKind kind, const Cell& cell, uint32_t codePoint) {
    Refusal refusal;
    refusal.kind = kind;
    refusal.line = cell.line;
    refusal.column = cell.column;
    refusal.codePoint = codePoint;
    return refusal;
}

std::string_view line_end_text(LineEnd lineEnd) {
    return lineEnd == LineEnd::CrLf ? "\r\n" : "\n";
}

size_t find_char(std::string_view text, char c, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        return text.find(c);  // no UTF-8 sequence holds an ASCII byte
    }
    for (size_t at = 0; at < text.size();
         at += text_rules::char_length(text, at, is_cp932(encoding))) {
        if (text[at] == c) {
            return at;
        }
    }
    return std::string_view::npos;
}

}  // namespace formats

TableRead read_table(std::string_view text, TableFormat from, TextEncoding encoding,
                     WidthModel widthModel) {
    text.remove_prefix(text_rules::bom_length(text, encoding == TextEncoding::Utf8));
    switch (from) {
        case TableFormat::Psv:
            return formats::read_delimited(text, encoding, false);
        case TableFormat::Tsv:
            return formats::read_delimited(text, encoding, true);
        case TableFormat::Csv:
            return formats::read_csv(text, encoding);
        case TableFormat::Markdown:
            return formats::read_markdown(text, encoding);
        case TableFormat::Aligned:
            return formats::read_aligned(text, encoding, widthModel);
        case TableFormat::Frame:
            break;
    }
    return formats::read_frame(text, encoding, widthModel);
}

TableWrite write_table(const Table& table, TableFormat to, const WriteOptions& options) {
    switch (to) {
        case TableFormat::Psv:
            return formats::write_psv(table, options.lineEnd);
        case TableFormat::Tsv:
            return formats::write_tsv(table, options.lineEnd);
        case TableFormat::Csv:
            return formats::write_csv(table, options.lineEnd);
        case TableFormat::Markdown:
            return formats::write_markdown(table, options);
        case TableFormat::Frame:
        case TableFormat::Aligned:
            break;
    }
    return formats::write_frame(table, options);
}
