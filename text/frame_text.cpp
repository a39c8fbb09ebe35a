#include "text/frame_text.h"

#include "core/frame_core.h"
#include "text/cell_grid.h"
#include "text/cell_width.h"
#include "text/chosen_table.h"
#include "text/formats/delimited_grid.h"
#include "text/formats/frame_reader.h"
#include "text/formats/markdown_reader.h"
#include "text/formats/table_formats.h"
#include "text/formats/text_scan.h"
#include "text/frame_render.h"
#include "text/input_check.h"
#include "text/layout/frame_layout.h"
#include "text/layout/layout_choice.h"
#include "text/shape/elision_row.h"
#include "text/shape/shaped_grid.h"
#include "text/shape/title_rows.h"
#include "text/text_limits.h"
#include "text/unicode/escape_sequence.h"

namespace {
Refusal check_request(const FrameRequest& request) {
    Refusal refusal;
    const int32_t lowestPosition = request.to == TableFormat::Frame ? 1 : 0;
    if (request.frameType < 1 || request.frameType > FT_FRAME_TYPE_MAX) {
        refusal.kind = RefusalKind::BadFrameType;
        refusal.found = request.frameType;
    } else if (request.positionType < lowestPosition ||
               request.positionType > FT_POSITION_TYPE_MAX) {
        refusal.kind = RefusalKind::BadPositionType;
        refusal.found = request.positionType;
    }
    return refusal;
}

// A frame is read back whatever size this layer may have drawn it.
int64_t input_limit(const FrameRequest& request) {
    return request.from == TableFormat::Frame ? kTextFrameLimit : kTextInputLimit;
}

// A psv cell holding part of an escape sequence, the rest cut off by a '|',
// refused as input holding the control character would be.
Refusal cut_escape(std::string_view table, const CellGrid& grid, TextEncoding encoding) {
    for (const CellSpan& span : grid.cells) {
        const std::string_view cell =
            table.substr(static_cast<size_t>(span.start), static_cast<size_t>(span.length));
        Refusal inCell = check_text(cell, encoding);
        if (inCell.kind != RefusalKind::None) {
            Refusal refusal =
                formats::refusal_at(table, encoding, inCell.kind, static_cast<size_t>(span.start));
            refusal.column += inCell.column - 1;
            refusal.codePoint = inCell.codePoint;
            return refusal;
        }
    }
    return Refusal{};
}

// The cells of a psv table, spans of it, drawn. An escape sequence anywhere
// may be a cell's; psv cells hold no line break.
Refusal draw_grid(const FrameRequest& request, std::string_view table, const CellGrid& grid,
                  bool mayHoldEscapes, FrameTarget& frame) {
    if (grid.columns == 0) {
        return refusal_of(RefusalKind::NoCells);
    }
    const TableView view{table.data(), grid.cells.data(), grid.rows, grid.columns};
    const FrameLook look = frame_look(request, request.encoding);
    const std::string_view special = mayHoldEscapes ? table : std::string_view();
    if (needs_layout(request.fit, special, kEscapeOnly)) {
        if (special.find(kEscape) != std::string_view::npos) {
            Refusal refusal = cut_escape(table, grid, request.encoding);
            if (refusal.kind != RefusalKind::None) {
                return refusal;
            }
        }
        return render_laid_out(view, look, request.fit, frame.text);
    }
    return render_frame(view, look, frame);
}

// A shaped grid with one more row: empty, or its first cell the words, kept
// after the table's own text in text.
Refusal draw_with_last_row(const FrameRequest& request, std::string_view table, CellGrid grid,
                           const std::string& words, bool mayHoldEscapes, std::string& frame) {
    std::string text(table);
    CellSpan first{0, 0, 0};
    if (!words.empty()) {
        text += words;
        const auto length = static_cast<int32_t>(words.size());
        first = CellSpan{static_cast<int32_t>(table.size()), length,
                         request.encoding == TextEncoding::Cp932
                             ? length
                             : measure_utf8_cell(words.data(), length, request.widthModel)};
    }
    grid.cells.push_back(first);
    for (int32_t column = 1; column < grid.columns; ++column) {
        grid.cells.push_back(CellSpan{0, 0, 0});
    }
    ++grid.rows;
    FrameTarget whole{frame};
    return draw_grid(request, text, grid, mayHoldEscapes, whole);
}

// A grid shaped, its frame ending in a row spanning it for the rows cut:
// the words in a row of their own when they fit the frame's width, else
// widening its first column.
Refusal draw_shaped_grid(const FrameRequest& request, std::string_view table, const CellGrid& grid,
                         bool mayHoldEscapes, FrameTarget& frame) {
    const ShapePlan plan = plan_shape(GridCells(table, grid, request.encoding), request.shape);
    if (!plan.ok()) {
        return plan.refusal;
    }
    const CellGrid shaped = shaped_grid(grid, plan);
    if (shaped.rows == 0) {
        return Refusal{};  // every column hidden and the rows turned: nothing to draw
    }
    if (plan.rowsLeftOut == 0 || shaped.columns == 0) {
        return draw_grid(request, table, shaped, mayHoldEscapes, frame);
    }
    const std::string words = elision_words(plan.rowsLeftOut, plan.tailOnly, request.encoding);
    const ElidedFrame look{request.encoding, request.widthModel,
                           request.fit.rules == RuleLines::All ||
                               (request.fit.rules == RuleLines::Header && shaped.rows == 1),
                           request.fit.padding};
    std::string drawn;
    Refusal refusal = draw_with_last_row(request, table, shaped, {}, mayHoldEscapes, drawn);
    if (refusal.kind == RefusalKind::None && !span_last_row(drawn, words, look)) {
        drawn.clear();
        refusal = draw_with_last_row(request, table, shaped, words, mayHoldEscapes, drawn);
        span_last_row(drawn, words, look);
    }
    if (refusal.kind == RefusalKind::None) {
        frame.text = std::move(drawn);
    }
    return refusal;
}

Refusal frame_psv_cells(const FrameRequest& request, std::string_view table, const CellGrid& grid,
                        bool mayHoldEscapes, FrameTarget& frame) {
    if (request.shape.any()) {
        return draw_shaped_grid(request, table, grid, mayHoldEscapes, frame);
    }
    return draw_grid(request, table, grid, mayHoldEscapes, frame);
}

// psv to a frame, the way most tables go: cells stay spans of the input.
Refusal frame_psv(const FrameRequest& request, std::string_view table, FrameTarget& frame) {
    GridRead read;
    Refusal refusal = read_psv_grid(table, request.encoding, request.widthModel, read);
    if (refusal.kind != RefusalKind::None) {
        return refusal;
    }
    return frame_psv_cells(request, read.text_of(table), read.grid, true, frame);
}

bool read_plain(std::string_view table, const FrameRequest& request, bool bordersOnly,
                GridRead& read) {
    if (request.from == TableFormat::Frame) {
        return read_plain_frame(table, request.encoding, request.widthModel, read.grid);
    }
    if (request.from == TableFormat::Markdown) {
        return read_markdown_cells(table, request.encoding, request.widthModel, bordersOnly,
                                   read.grid);
    }
    return read_plain_grid(table, request.from, request.encoding, request.widthModel, read);
}

// psv, csv, tsv, Markdown or a frame to a frame when the table is plain, its
// input checked as it is read; false leaves the request to the general path.
// Only psv lays out a fit here. bordersOnly: Markdown only when every line
// starts with '|', where GitHub starts no other block, so that the input is
// its document's one table before any document is looked through.
bool frame_plain_table(const FrameRequest& request, bool bordersOnly, FrameTarget& frame,
                       Refusal& refusal) {
    const bool psv = request.from == TableFormat::Psv;
    if ((!psv && request.from != TableFormat::Csv && request.from != TableFormat::Tsv &&
         request.from != TableFormat::Markdown && request.from != TableFormat::Frame) ||
        request.to != TableFormat::Frame || (!psv && !request.fit.plain()) ||
        request.cellText.any() || check_request(request).kind != RefusalKind::None ||
        static_cast<int64_t>(request.text.size()) > input_limit(request)) {
        return false;
    }
    const std::string_view table =
        text_rules::without_trailing_line_ends(without_bom(request.text, request.encoding));
    GridRead read;
    if (table.empty() || !read_plain(table, request, bordersOnly, read)) {
        return false;
    }
    refusal = frame_psv_cells(request, read.text_of(table), read.grid, false, frame);
    return true;
}

// The input, checked, without its empty last lines; empty when there is no
// table in it. Its byte order mark stays for read_table to skip: a second
// U+FEFF is a cell's.
Refusal checked_table(const FrameRequest& request, std::string_view& table) {
    Refusal refusal = check_request(request);
    if (refusal.kind == RefusalKind::None) {
        refusal = check_input_text(request.text, request.encoding, input_limit(request));
    }
    table = std::string_view();
    if (refusal.kind == RefusalKind::None) {
        table = text_rules::without_trailing_line_ends(request.text);
    }
    if (without_bom(table, request.encoding).empty()) {
        table = std::string_view();
    }
    return refusal;
}

// What any path drew whole goes to a writer in one part.
void hand_over(FrameOutcome& outcome, const FrameTarget& target) {
    if (outcome.ok() && target.write != nullptr && !outcome.text.empty()) {
        (*target.write)(outcome.text);
        outcome.text = std::string();
    }
}

// The request for the table it reads: the input as it stands, or the one
// table of a document chosen; false with the refusal when there is none.
bool with_chosen_table(const FrameRequest& request, FrameRequest& chosenRequest,
                       std::string& chosenText, Refusal& refusal) {
    chosenRequest = request;
    if (static_cast<int64_t>(request.text.size()) > input_limit(request)) {
        return true;  // refused as too large on the way
    }
    ChosenTable chosen = choose_table(request);
    refusal = chosen.refusal;
    if (!chosen.whole) {
        chosenText = std::move(chosen.text);
        chosenRequest.text = chosenText;
    }
    return refusal.kind == RefusalKind::None;
}

// Records number the rows they show, and say nothing of the rows cut.
bool records_of(const FrameRequest& request, const Table& table) {
    return request.fit.layout != RowLayout::Table && draws_records(table, request);
}

// A shaped table's frame with one more row, empty or holding words first.
Refusal frame_with_last_row(const FrameRequest& request, Table table, std::string_view first,
                            std::string& frame) {
    const size_t columns = table.rows().front().size();
    for (size_t column = 0; column < columns; ++column) {
        table.add_cell(column == 0 ? first : std::string_view(), kNoPlace);
    }
    table.end_row();
    FrameTarget whole{frame};
    return write_frame_to(table, request, whole);
}

// The frame of a shaped table, with a row spanning it for the rows cut: the
// words go in a row of their own when they fit the table's width, else they
// widen its first column.
Refusal write_shaped_frame(const FrameRequest& request, const ShapedTable& shaped,
                           FrameTarget& target) {
    if (shaped.rowsLeftOut == 0 || shaped.table.rows().empty() ||
        shaped.table.rows().front().empty() || records_of(request, shaped.table)) {
        return write_frame_to(shaped.table, request, target);
    }
    const size_t bodyRows = shaped.table.rows().size() - 1;
    const std::string words =
        elision_words(shaped.rowsLeftOut, shaped.tailOnly, shaped.table.encoding);
    const ElidedFrame look{request.encoding, request.widthModel,
                           request.fit.rules == RuleLines::All ||
                               (request.fit.rules == RuleLines::Header && bodyRows == 0),
                           request.fit.padding};
    std::string frame;
    Refusal refusal = frame_with_last_row(request, shaped.table, {}, frame);
    if (refusal.kind == RefusalKind::None && !span_last_row(frame, words, look)) {
        frame.clear();
        refusal = frame_with_last_row(request, shaped.table, words, frame);
        span_last_row(frame, words, look);
    }
    if (refusal.kind != RefusalKind::None) {
        return refusal;
    }
    target.take(std::move(frame));
    return refusal;
}

Refusal write_unshaped(const FrameRequest& request, const Table& table, FrameTarget& target) {
    if (request.to == TableFormat::Frame) {
        return write_frame_to(table, request, target);
    }
    TableWrite written = write_table(table, request.to, request);
    target.text = std::move(written.text);
    return written.refusal;
}

// Columns chosen and rows sorted and cut, then the body's cells written as
// asked, then turned: sorting sees the cells as read, and the header row is
// the one that stays as it is.
ShapedTable shaped_and_written(const Table& table, const FrameRequest& request) {
    if (!request.cellText.any()) {
        return shape_table(table, request.shape);
    }
    TableShape unturned = request.shape;
    unturned.transpose = false;
    ShapedTable shaped = shape_table(table, unturned);
    if (!shaped.ok() || shaped.table.rows().empty()) {
        return shaped;
    }
    CellTextTable written = with_cell_text(shaped.table, request.cellText);
    if (!written.ok()) {
        shaped.refusal = written.refusal;
        return shaped;
    }
    // Both the shaped and the written table are spans of the given table's
    // text, or own what they hold: either may replace the other.
    if (!request.shape.transpose) {
        shaped.table = std::move(written.table);
        return shaped;
    }
    TableShape turn;
    turn.transpose = true;
    ShapedTable turned = shape_table(written.table, turn);
    turned.table.own_text();
    shaped.table = std::move(turned.table);
    return shaped;
}

// Columns chosen and rows sorted and cut, between reading and writing.
Refusal convert_shaped(const FrameRequest& request, const Table& table, FrameTarget& target) {
    ShapedTable shaped = shaped_and_written(table, request);
    if (!shaped.ok()) {
        return shaped.refusal;
    }
    if (request.to == TableFormat::Frame) {
        return write_shaped_frame(request, shaped, target);
    }
    return write_unshaped(request, shaped.table, target);
}

Refusal write_any(const FrameRequest& request, const Table& table, FrameTarget& target) {
    return request.shape.any() || request.cellText.any() ? convert_shaped(request, table, target)
                                                         : write_unshaped(request, table, target);
}

Refusal check_titles(const FrameRequest& request) {
    Refusal refusal = check_title_text(request.titles.title, request.encoding);
    if (refusal.kind == RefusalKind::None) {
        refusal = check_title_text(request.titles.footer, request.encoding);
    }
    if (refusal.kind == RefusalKind::None) {
        refusal = titles_refusal(request.to, request.titles, request.withTitle);
    }
    return refusal;
}

// A frame drawn whole, then given its title and footer rows.
Refusal write_titled_frame(const FrameRequest& request, const Table& table, FrameTarget& target) {
    std::string frame;
    FrameTarget whole{frame};
    Refusal refusal = write_any(request, table, whole);
    const TitledFrame look{request.encoding, request.widthModel, request.frameType,
                           request.fit.padding};
    if (refusal.kind == RefusalKind::None && !frame.empty()) {
        refusal = add_title_rows(frame, request.titles, look);
    }
    if (refusal.kind != RefusalKind::None) {
        return refusal;
    }
    target.take(std::move(frame));
    return refusal;
}

// The table with the titles asked for, or with --with-title those read.
Refusal write_titled(const FrameRequest& given, const Table& table, const TableTitles& read,
                     FrameTarget& target) {
    FrameRequest request = given;
    if (request.withTitle && request.titles.title.empty()) {
        request.titles.title = read.title;
    }
    if (request.withTitle && request.titles.footer.empty()) {
        request.titles.footer = read.footer;
    }
    Refusal refusal = check_titles(request);
    if (refusal.kind != RefusalKind::None) {
        return refusal;
    }
    if (request.to == TableFormat::Frame && request.titles.any()) {
        return write_titled_frame(request, table, target);
    }
    return write_any(request, table, target);
}

Refusal convert(const FrameRequest& given, FrameTarget& target) {
    FrameRequest request;
    std::string chosenText;
    Refusal refusal;
    if (given.fit.layout == RowLayout::Table && !given.titled() &&
        given.from == TableFormat::Markdown && given.table == 0 &&
        given.encoding == TextEncoding::Utf8 && frame_plain_table(given, true, target, refusal)) {
        return refusal;
    }
    if (!with_chosen_table(given, request, chosenText, refusal)) {
        return refusal;
    }
    // Records and titles go by the table value; the plain paths draw plain
    // tables only, and stay as they were.
    const bool plain = request.fit.layout == RowLayout::Table && !request.titled();
    if (plain && frame_plain_table(request, false, target, refusal)) {
        return refusal;
    }
    std::string_view table;
    refusal = checked_table(request, table);
    if (refusal.kind != RefusalKind::None || table.empty()) {
        return refusal;
    }
    if (plain && request.from == TableFormat::Psv && request.to == TableFormat::Frame &&
        !request.cellText.any()) {
        return frame_psv(request, without_bom(table, request.encoding), target);
    }
    TableRead read = read_table_in_place(table, request.from, request.encoding, request.widthModel,
                                         request.jsonNested);
    if (!read.ok()) {
        return read.refusal;
    }
    if (request.titled()) {
        return write_titled(request, read.table, TableTitles{read.title, read.footer}, target);
    }
    if (request.shape.any() || request.cellText.any()) {
        return convert_shaped(request, read.table, target);
    }
    return write_unshaped(request, read.table, target);
}
}  // namespace

FrameOutcome frame_text(const FrameRequest& request) {
    FrameOutcome outcome;
    FrameTarget target{outcome.text};
    outcome.refusal = convert(request, target);
    return outcome;
}

FrameOutcome frame_text_to(const FrameRequest& request, const FramePartWriter& write) {
    FrameOutcome outcome;
    FrameTarget target{outcome.text, &write};
    outcome.refusal = convert(request, target);
    hand_over(outcome, target);
    return outcome;
}

FrameOutcome frame_table(const Table& table, const FrameRequest& request) {
    FrameOutcome outcome;
    FrameTarget target{outcome.text};
    outcome.refusal = check_request(request);
    if (outcome.ok() && request.titled()) {
        outcome.refusal = write_titled(request, table, TableTitles{}, target);
    } else if (outcome.ok() && !request.shape.any() && !request.cellText.any()) {
        outcome.refusal = write_unshaped(request, table, target);
    } else if (outcome.ok()) {
        outcome.refusal = convert_shaped(request, table, target);
    }
    if (!outcome.ok()) {
        outcome.text = std::string();
    }
    return outcome;
}

TableRead read_text(const FrameRequest& given) {
    TableRead read;
    FrameRequest request;
    std::string chosenText;
    if (!with_chosen_table(given, request, chosenText, read.refusal)) {
        return read;
    }
    std::string_view table;
    read.refusal = checked_table(request, table);
    if (read.ok() && !table.empty()) {
        read = read_table(table, request.from, request.encoding, request.widthModel,
                          request.jsonNested);
    }
    if (read.ok() && (request.shape.any() || request.cellText.any())) {
        ShapedTable shaped = shaped_and_written(read.table, request);
        read.refusal = shaped.refusal;
        shaped.table.own_text();
        read.table = std::move(shaped.table);
    }
    return read;
}
