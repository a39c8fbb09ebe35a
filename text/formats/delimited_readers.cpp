// The delimited reader's production uses: into the table value, and straight
// into the frame renderer's grid, with the built-in kernel.
#include "core/text_rules.h"
#include "text/formats/delimited_grid.h"
#include "text/formats/delimited_reader.h"
#include "text/formats/formats_internal.h"
#include "text/formats/table_sink.h"

using delimited::DelimitedReader;
using delimited::Syntax;

namespace {

template <Syntax kSyntax>
TableRead read_into_table(std::string_view text, TextEncoding encoding) {
    TableRead read;
    TableSink sink(text, encoding, read);
    // A read stops only at a refusal, which leaves no table.
    if (!DelimitedReader<kSyntax, TableSink>(text, encoding, WidthModel::Narrow, sink).read()) {
        read.table.clear();
        return read;
    }
    sink.drop_empty_rows_at_end();
    if (read.table.rows().empty()) {
        read.refusal.kind = RefusalKind::NoCells;
    }
    return read;
}

// Out of line, one format each, everything it calls taken in: inlined into
// frame_text by the link-time optimizer, the reader's loop kept a cell's
// width in memory, and with six readers in one unit it called out for each
// cell and character.
template <Syntax kSyntax>
__attribute__((noinline, flatten)) bool read_plain_syntax(std::string_view text,
                                                          TextEncoding encoding,
                                                          WidthModel widthModel, GridRead& read) {
    GridSink<true> sink(text, encoding, widthModel, read);
    return DelimitedReader<kSyntax, GridSink<true>>(text, encoding, widthModel, sink).read();
}

}  // namespace

namespace formats {

TableRead read_delimited(std::string_view text, TextEncoding encoding, bool tabsOnly) {
    // Empty last lines are no rows.
    text = text_rules::without_trailing_line_ends(text);
    return tabsOnly ? read_into_table<Syntax::Tsv>(text, encoding)
                    : read_into_table<Syntax::Psv>(text, encoding);
}

TableRead read_csv(std::string_view text, TextEncoding encoding) {
    return read_into_table<Syntax::Csv>(text, encoding);
}

}  // namespace formats

bool read_plain_grid(std::string_view text, TableFormat format, TextEncoding encoding,
                     WidthModel widthModel, GridRead& read) {
    switch (format) {
        case TableFormat::Psv:
            return read_plain_syntax<Syntax::Psv>(text, encoding, widthModel, read);
        case TableFormat::Csv:
            return read_plain_syntax<Syntax::Csv>(text, encoding, widthModel, read);
        case TableFormat::Tsv:
            return read_plain_syntax<Syntax::Tsv>(text, encoding, widthModel, read);
        default:
            return false;
    }
}

Refusal read_psv_grid(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                      GridRead& read) {
    GridSink<false> sink(text, encoding, widthModel, read);
    DelimitedReader<Syntax::Psv, GridSink<false>>(text, encoding, widthModel, sink).read();
    return sink.refusal();
}
