// The WebAssembly module's C interface over the text layer, for the page and
// the npm package. The caller writes UTF-8 into the input buffer, frames it,
// then reads the output or the refusal; every pointer stays valid until the
// next call, and memory views must be taken again after each call because
// the memory may have grown.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/text_rules.h"
#include "page_layout.h"
#include "text/cp932_codec.h"
#include "text/documents/document.h"
#include "text/frame_text.h"
#include "utf16_output.h"

#define ZENTAB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::string gInput;
// What the next frames take from the calls before: fit, shape, cell text,
// title alignment; the rest comes with each frame.
FrameRequest gNext;
std::string gShapeLists;
std::string gCellTextValues;
// The title and footer of the next frames, each ended by U+001F, in UTF-8.
std::string gTitles;
std::string gOutput;
std::string gMessage;
Refusal gRefusal;

void refuse(const Refusal& refusal) {
    gOutput.clear();
    gRefusal = refusal;
    gMessage = describe_refusal(refusal);
}

void succeed(std::string output) {
    gOutput = std::move(output);
    gRefusal = Refusal{};
    gMessage.clear();
}

// The first fields of given, each ended by U+001F (the last one may not be).
template <size_t count>
std::array<std::string_view, count> fields_of(std::string_view given) {
    std::array<std::string_view, count> fields;
    for (std::string_view& field : fields) {
        const size_t end = given.find('\x1F');
        field = given.substr(0, end);
        given.remove_prefix(end == std::string_view::npos ? given.size() : end + 1);
    }
    return fields;
}

// The title and footer given, held in kept: in code page 932 for a request
// in it, false with the refusal when they cannot be.
bool set_titles(FrameRequest& request, std::string& kept) {
    kept = gTitles;
    if (request.encoding == TextEncoding::Cp932 && !kept.empty()) {
        Cp932Encoded encoded = cp932_encode_utf8(kept);
        if (!encoded.ok) {
            Refusal refusal;
            refusal.kind = encoded.invalidUtf8 ? RefusalKind::InvalidUtf8 : RefusalKind::NotInCp932;
            refusal.codePoint = encoded.codePoint;
            refuse(refusal);
            return false;
        }
        kept = std::move(encoded.bytes);
    }
    const auto [title, footer] = fields_of<2>(kept);
    request.titles.title = title;
    request.titles.footer = footer;
    return true;
}

// The page's Shift-JIS choice: its Unicode text in code page 932, or the
// first character that has no code there.
bool encode_cp932_input(std::string& bytes) {
    std::string_view text = gInput;
    // The UTF-8 path skips a byte order mark; here it has no code to become.
    text.remove_prefix(text_rules::bom_length(text, true));
    Cp932Encoded encoded = cp932_encode_utf8(text);
    if (!encoded.ok) {
        Refusal refusal;
        refusal.kind = encoded.invalidUtf8 ? RefusalKind::InvalidUtf8 : RefusalKind::NotInCp932;
        refusal.line = encoded.line;
        refusal.column = encoded.column;
        refusal.codePoint = encoded.codePoint;
        refuse(refusal);
        return false;
    }
    bytes = std::move(encoded.bytes);
    return true;
}

}  // namespace

// The input buffer for `size` bytes of UTF-8.
ZENTAB_EXPORT char* zentab_input(uint32_t size) {
    gInput.resize(size);
    return gInput.data();
}

// How the next frames fit their cells (text/frame_fit.h): width and padding
// in columns, 0 for none; overflow 0 wrap, 1 truncate; rules 0 all, 1 header,
// 2 none. Cell widths and alignments follow, written where zentab_fit_cells
// and zentab_fit_align point. A negative width or padding is the text
// layer's to refuse.
ZENTAB_EXPORT void zentab_fit(int32_t width, int32_t overflow, int32_t padding, int32_t rules,
                              int32_t layout) {
    FrameFit& fit = gNext.fit;
    fit.width = width;
    fit.overflow = overflow == 1 ? Overflow::Truncate : Overflow::Wrap;
    fit.padding = padding;
    fit.rules = rules == 1 ? RuleLines::Header : rules == 2 ? RuleLines::None : RuleLines::All;
    fit.layout = layout == 1   ? RowLayout::Records
                 : layout == 2 ? RowLayout::Auto
                               : RowLayout::Table;
}

// Room for `count` cell widths, one a column (a single one holds for every
// column), 0 for no limit.
ZENTAB_EXPORT int32_t* zentab_fit_cells(uint32_t count) {
    gNext.fit.cellWidths.assign(count, 0);
    return gNext.fit.cellWidths.data();
}

// Room for `count` alignments, one a column, in ColumnAlign's order: 0 as the
// position type says, 1 left, 2 right, 3 centred, 4 on the decimal point.
ZENTAB_EXPORT uint8_t* zentab_fit_align(uint32_t count) {
    static_assert(sizeof(ColumnAlign) == 1, "the caller writes one byte an alignment");
    gNext.fit.align.assign(count, ColumnAlign::ByPosition);
    return reinterpret_cast<uint8_t*>(gNext.fit.align.data());
}

// Room for `size` bytes of UTF-8: the columns, hidden columns and sort keys
// of the next frames (text/shape/table_shape.h), each ended by U+001F.
ZENTAB_EXPORT char* zentab_shape_lists(uint32_t size) {
    gShapeLists.resize(size);
    return gShapeLists.data();
}

// Which columns and rows the next frames show: the lists written at
// zentab_shape_lists, head and tail -1 for all. Returns 0, or 1, 2 or 3 for
// the columns, hidden columns or sort keys that cannot be read, leaving the
// shape as it was.
ZENTAB_EXPORT int32_t zentab_shape(double head, double tail, int32_t transpose) {
    const auto [columns, hide, sort] = fields_of<3>(gShapeLists);
    TableShape shape;
    shape.columns = columns;
    shape.hide = hide;
    shape.sort = sort;
    if (!shape.columns.empty() && !column_list_valid(shape.columns)) {
        return 1;
    }
    if (!shape.hide.empty() && !column_list_valid(shape.hide)) {
        return 2;
    }
    if (!shape.sort.empty() && !sort_keys_valid(shape.sort)) {
        return 3;
    }
    shape.head = static_cast<int64_t>(head);
    shape.tail = static_cast<int64_t>(tail);
    shape.transpose = transpose != 0;
    gNext.shape = std::move(shape);
    return 0;
}

// Room for `size` bytes of UTF-8: the number styles, grouping character and
// missing text of the next frames (text/shape/cell_text.h), each ended by
// U+001F.
ZENTAB_EXPORT char* zentab_cell_text_values(uint32_t size) {
    gCellTextValues.resize(size);
    return gCellTextValues.data();
}

// What the body's cells of the next frames show: the values written at
// zentab_cell_text_values, an empty grouping character for ",". Returns 0,
// or 1, 2 or 3 for the styles, grouping character or missing text that
// cannot be read, leaving them as they were.
ZENTAB_EXPORT int32_t zentab_cell_text() {
    const auto [number, groupChar, missing] = fields_of<3>(gCellTextValues);
    CellText cellText;
    cellText.number = number;
    cellText.groupChar = groupChar.empty() ? std::string_view(",") : groupChar;
    cellText.missing = missing;
    if (!cellText.number.empty() && !number_list_valid(cellText.number)) {
        return 1;
    }
    if (!group_char_valid(cellText.groupChar)) {
        return 2;
    }
    if (!missing_text_valid(cellText.missing)) {
        return 3;
    }
    gNext.cellText = std::move(cellText);
    return 0;
}

// Room for `size` bytes of UTF-8: the title and the footer of the next
// frames, each ended by U+001F ("" for none).
ZENTAB_EXPORT char* zentab_titles(uint32_t size) {
    gTitles.resize(size);
    return gTitles.data();
}

// Where the title's and footer's lines stand (0 centre, 1 left, 2 right), and
// whether those of a frame read go on into the output.
ZENTAB_EXPORT void zentab_title_align(int32_t align, int32_t withTitle) {
    gNext.titles.align = align == 1   ? TitleAlign::Left
                         : align == 2 ? TitleAlign::Right
                                      : TitleAlign::Centre;
    gNext.withTitle = withTitle != 0;
}

// Frames the input, read as `from` and written as `to` (TableFormat: 0 psv,
// 1 csv, 2 tsv, 3 markdown, 4 frame). cp932: as `zentab -e cp932` would frame
// the text in code page 932, with the output in code page 932 bytes; the
// input is UTF-8 to encode first, or already code page 932 when cp932Input.
// Returns 1 for a frame, 0 for a refusal.
ZENTAB_EXPORT int32_t zentab_frame(int32_t frameType, int32_t positionType, int32_t wide,
                                   int32_t cp932, int32_t crlf, int32_t from, int32_t to,
                                   int32_t cp932Input) {
    FrameRequest request = gNext;
    request.text = gInput;
    request.from = static_cast<TableFormat>(from);
    request.to = static_cast<TableFormat>(to);
    request.frameType = frameType;
    request.positionType = positionType;
    request.widthModel = wide != 0 ? WidthModel::Wide : WidthModel::Narrow;
    request.lineEnd = crlf != 0 ? LineEnd::CrLf : LineEnd::Lf;
    std::string cp932Text;
    if (cp932 != 0) {
        if (cp932Input == 0) {
            if (!encode_cp932_input(cp932Text)) {
                return 0;
            }
            request.text = cp932Text;
        }
        request.encoding = TextEncoding::Cp932;
    }
    std::string titles;
    if (!set_titles(request, titles)) {
        return 0;
    }
    FrameOutcome outcome = frame_text(request);
    if (!outcome.ok()) {
        refuse(outcome.refusal);
        return 0;
    }
    succeed(std::move(outcome.text));
    return 1;
}

// The code page 932 table that the caller fills before its first Shift-JIS
// frame (see text/cp932_codec.h).
ZENTAB_EXPORT uint16_t* zentab_cp932_table() {
    return cp932_caller_table();
}

// Turns a code page 932 output into UTF-8, for showing it.
ZENTAB_EXPORT void zentab_output_to_utf8() {
    gOutput = cp932_decode_to_utf8(gOutput);
}

ZENTAB_EXPORT const char* zentab_output() {
    return gOutput.data();
}
ZENTAB_EXPORT uint32_t zentab_output_size() {
    return static_cast<uint32_t>(gOutput.size());
}
// Reads the input as a frame (`zentab --unframe`) into rows of cells: in the
// output, each cell ends in U+001F and each row in U+001E, characters that the
// text layer refuses in any input. Returns 1, or 0 for a refusal.
ZENTAB_EXPORT int32_t zentab_unframe(int32_t wide) {
    FrameRequest request;
    request.text = gInput;
    request.from = TableFormat::Frame;
    request.widthModel = wide != 0 ? WidthModel::Wide : WidthModel::Narrow;
    const TableRead read = read_text(request);
    if (!read.ok()) {
        refuse(read.refusal);
        return 0;
    }
    std::string cells;
    for (const Row& row : read.table.rows()) {
        for (const Cell& cell : row) {
            cells += cell.text;
            cells += '\x1F';
        }
        cells += '\x1E';
    }
    succeed(std::move(cells));
    return 1;
}

namespace {
std::vector<char16_t> gOutput16;
}  // namespace

// The output as UTF-16 at zentab_output16(): making a string of UTF-16 is a
// copy, of UTF-8 a decode, slow in Node. Returns the code units.
ZENTAB_EXPORT uint32_t zentab_output_utf16() {
    const size_t room = utf16_room(gOutput.size());
    if (gOutput16.size() < room) {
        gOutput16.resize(room);
    }
    return static_cast<uint32_t>(utf8_to_utf16(gOutput, gOutput16.data()));
}

ZENTAB_EXPORT const char16_t* zentab_output16() {
    return gOutput16.data();
}

ZENTAB_EXPORT const char* zentab_message() {
    return gMessage.data();
}
ZENTAB_EXPORT uint32_t zentab_message_size() {
    return static_cast<uint32_t>(gMessage.size());
}
ZENTAB_EXPORT int32_t zentab_refusal_kind() {
    return static_cast<int32_t>(gRefusal.kind);
}
// Doubles, so that JavaScript reads them as numbers rather than BigInts.
ZENTAB_EXPORT double zentab_refusal_line() {
    return static_cast<double>(gRefusal.line);
}
ZENTAB_EXPORT double zentab_refusal_column() {
    return static_cast<double>(gRefusal.column);
}
ZENTAB_EXPORT uint32_t zentab_refusal_code_point() {
    return gRefusal.codePoint;
}
// What the refusal counted and its limit: bytes, for input over the limit.
ZENTAB_EXPORT double zentab_refusal_found() {
    return static_cast<double>(gRefusal.found);
}
ZENTAB_EXPORT double zentab_refusal_limit() {
    return static_cast<double>(gRefusal.limit);
}

namespace {

std::vector<uint32_t> gLayout;

}  // namespace

// Lays out the output, as UTF-8 (zentab_output_to_utf8 after a code page 932
// frame), as the page shows it (page_layout.h): the page lays out each frame
// it shows without handing it back. Returns the number of triples at
// zentab_layout_data().
ZENTAB_EXPORT uint32_t zentab_layout_output(int32_t wide) {
    gLayout.clear();
    lay_out_clusters(gOutput, wide != 0 ? WidthModel::Wide : WidthModel::Narrow, gLayout);
    return static_cast<uint32_t>(gLayout.size() / 3);
}

// Lays out the input as zentab_layout_output lays out the output: the page
// gives it the lines in sight of a frame too long to lay out whole.
ZENTAB_EXPORT uint32_t zentab_layout_input(int32_t wide) {
    gLayout.clear();
    lay_out_clusters(gInput, wide != 0 ? WidthModel::Wide : WidthModel::Narrow, gLayout);
    return static_cast<uint32_t>(gLayout.size() / 3);
}

ZENTAB_EXPORT const uint32_t* zentab_layout_data() {
    return gLayout.data();
}

namespace {

// What the caller asks of each table of the last document formatted; the
// edits themselves are in the output already.
struct TableFound {
    double line = 0;
    int32_t changes = 0;
    Refusal refusal;
};

std::vector<TableFound> gTables;

}  // namespace

// Lines up the tables of the input, a document of kind (DocumentKind: 0
// Markdown, 1 Org, 2 reStructuredText, 3 plain text), in place, the document
// becoming the output; padding -1 for the kind's own. Returns the tables
// found, or -1 for a document refused as a whole.
ZENTAB_EXPORT int32_t zentab_format_document(int32_t kind, int32_t wide, int32_t padding) {
    DocumentRequest request;
    request.text = gInput;
    request.kind = static_cast<DocumentKind>(kind);
    request.widthModel = wide != 0 ? WidthModel::Wide : WidthModel::Narrow;
    request.padding = padding;
    DocumentOutcome outcome = format_document(request);
    gTables.clear();
    if (!outcome.ok()) {
        refuse(outcome.refusal);
        return -1;
    }
    for (const DocumentTable& table : outcome.tables) {
        gTables.push_back(
            {static_cast<double>(table.line), table.changes() ? 1 : 0, table.refusal});
    }
    succeed(std::move(outcome.text));
    return static_cast<int32_t>(gTables.size());
}

// Table index of the last document: its refusal (kind None when it was
// lined up) becomes the one zentab_refusal_* and zentab_message read, the
// output staying. Returns the table's first line, 0 past the last table.
ZENTAB_EXPORT double zentab_document_table(uint32_t index) {
    const TableFound table = index < gTables.size() ? gTables[index] : TableFound{};
    gRefusal = table.refusal;
    gMessage =
        table.refusal.kind == RefusalKind::None ? std::string() : describe_refusal(table.refusal);
    return table.line;
}

// Whether table index of the last document had lines edited.
ZENTAB_EXPORT int32_t zentab_document_table_changes(uint32_t index) {
    return index < gTables.size() ? gTables[index].changes : 0;
}
