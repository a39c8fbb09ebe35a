#include "text/formats/table.h"

#include "text/formats/formats_internal.h"
#include "text/formats/text_scan.h"
#include "text/text_limits.h"

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

namespace {

// frame_text reads the psv text one row per line, so its places name rows;
// they are moved to the cell concerned in the table's own input.
void place_in_input(Refusal& refusal, const Table& table) {
    if (refusal.line < 1 || refusal.line > static_cast<int64_t>(table.rows.size())) {
        return;
    }
    const Row& row = table.rows[static_cast<size_t>(refusal.line - 1)];
    if (row.empty()) {
        refusal.line = 0;
        refusal.column = 0;
        return;
    }
    const Cell* cell = &row.front();
    if (refusal.kind == RefusalKind::RaggedRow) {
        const auto limit = static_cast<size_t>(refusal.limit > 0 ? refusal.limit : 0);
        cell = row.size() > limit ? &row[limit] : &row.back();
    }
    refusal.line = cell->line;
    refusal.column = cell->column;
}

}  // namespace

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
        case TableFormat::Frame:
            break;
    }
    return formats::read_frame(text, encoding, widthModel);
}

TableWrite frame_input_text(const Table& table) {
    return formats::write_psv(table, LineEnd::Lf);
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
            break;
    }
    TableWrite out = frame_input_text(table);
    if (!out.ok()) {
        return out;
    }
    FrameRequest request;
    request.text = out.text;
    request.encoding = table.encoding;
    request.frameType = options.frameType;
    request.positionType = options.positionType == 0 ? 1 : options.positionType;
    request.widthModel = options.widthModel;
    request.lineEnd = options.lineEnd;
    FrameOutcome frame = frame_text(request);
    out.text = std::move(frame.frame);
    out.refusal = frame.refusal;
    formats::place_in_input(out.refusal, table);
    return out;
}

TableWrite convert_table(const ConvertRequest& request) {
    TableWrite out;
    if (request.from == TableFormat::Psv && request.to == TableFormat::Frame) {
        FrameRequest frame;
        frame.text = request.text;
        frame.encoding = request.encoding;
        frame.frameType = request.options.frameType;
        frame.positionType = request.options.positionType == 0 ? 1 : request.options.positionType;
        frame.widthModel = request.options.widthModel;
        frame.lineEnd = request.options.lineEnd;
        FrameOutcome outcome = frame_text(frame);
        out.text = std::move(outcome.frame);
        out.refusal = outcome.refusal;
        return out;
    }
    // A frame is read back whatever size this layer may have drawn it.
    const int64_t limit = request.from == TableFormat::Frame ? kTextFrameLimit : kTextInputLimit;
    out.refusal = check_input_text(request.text, request.encoding, limit);
    if (!out.ok()) {
        return out;
    }
    const std::string_view text = without_bom(request.text, request.encoding);
    if (text.find_first_not_of("\r\n") == std::string_view::npos) {
        return out;
    }
    TableRead read = read_table(text, request.from, request.encoding, request.options.widthModel);
    if (!read.ok()) {
        out.refusal = read.refusal;
        return out;
    }
    return write_table(read.table, request.to, request.options);
}

std::string describe_format_refusal(const Refusal& refusal) {
    switch (refusal.kind) {
        case RefusalKind::OpenQuote:
            return "this quote opens a csv field that is never closed";
        case RefusalKind::StrayQuote:
            return "a quote inside a csv field that does not start with one, or text right "
                   "after a closing quote (write a quote in a field as \"\" inside quotes)";
        case RefusalKind::NoDelimiterRow:
            return "no Markdown table: the first row is not followed by a delimiter row "
                   "such as |---|---| with as many cells";
        case RefusalKind::NoFrameFound:
            return "no frame found: no rule line such as +---+---+ or a box-drawing one with "
                   "rows under it";
        case RefusalKind::FrameMismatch:
            return "the frame's lines do not agree here: a border out of place, a cell too "
                   "many or too few, or a rule missing";
        case RefusalKind::CellHoldsSeparator:
            return refusal.codePoint == '\t'
                       ? "this cell holds a TAB, which the output format cannot hold"
                       : "this cell holds '|', which the output format cannot hold (Markdown "
                         "and csv can)";
        case RefusalKind::CellHoldsLineBreak:
            return "this cell holds a line break, which only csv can hold";
        case RefusalKind::RowNotHeld:
            return "the output format cannot hold this row: a row with no cells, or a last "
                   "row of one empty cell in tsv";
        default:
            return {};
    }
}
