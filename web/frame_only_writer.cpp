// The page's only writer: it draws frames (frame_text draws them without
// write_table), and this write_table, linked in place of the text layer's,
// keeps every other writer out of the page's module.
#include "text/formats/formats_internal.h"
#include "text/formats/table.h"

TableWrite write_table(const Table& table, TableFormat to, const WriteOptions& options) {
    if (to == TableFormat::Frame) {
        return formats::write_frame(table, options);
    }
    TableWrite refused;
    refused.refusal = refusal_of(RefusalKind::FormatNotWritable);
    return refused;
}
