// Every reader, chosen by format, as table_writers.cpp chooses the writers.
#include "core/text_rules.h"
#include "text/formats/formats_internal.h"
#include "text/formats/table.h"
#include "text/formats/text_scan.h"

TableRead read_table(std::string_view text, TableFormat from, TextEncoding encoding,
                     WidthModel widthModel, JsonNested jsonNested) {
    TableRead read = read_table_in_place(text, from, encoding, widthModel, jsonNested);
    read.table.own_text();
    read.table.own_places();
    return read;
}

namespace {

TableRead read_format(std::string_view text, TableFormat from, TextEncoding encoding,
                      WidthModel widthModel, JsonNested jsonNested) {
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
#ifdef ZENTAB_PAGE_FORMATS
        case TableFormat::Json:
            static_cast<void>(jsonNested);
            break;
#else
        case TableFormat::Json:
        case TableFormat::Jsonl:
            return formats::read_json(text, encoding, jsonNested, from == TableFormat::Jsonl);
        case TableFormat::Aligned:
            return formats::read_aligned(text, encoding, widthModel);
#endif
        case TableFormat::Frame:
            return formats::read_frame(text, encoding, widthModel);
        default:
            break;
    }
    TableRead refused;
    refused.refusal = refusal_of(RefusalKind::FormatNotReadable);
    return refused;
}

}  // namespace

// JSON's cells are what its strings spell, which may be any text: only the
// formats whose cells are spans of the input are checked here.
TableRead read_table_in_place(std::string_view text, TableFormat from, TextEncoding encoding,
                              WidthModel widthModel, JsonNested jsonNested) {
    TableRead read = read_format(text, from, encoding, widthModel, jsonNested);
    const bool spelt = from == TableFormat::Json || from == TableFormat::Jsonl;
    if (read.ok() && !spelt && text.find('\x1b') != std::string_view::npos &&
        !formats::escapes_whole(read.table, read.refusal)) {
        read.table.clear();
    }
    return read;
}
