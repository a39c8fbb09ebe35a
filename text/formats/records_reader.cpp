// Records frames back into their table. The number a rule carries, "[ 1 ]",
// marks records: no table's frame has text in a rule, so only a frame whose
// top rule carries [ 1 ] (or [ 0 ], keys alone) is read as records. The
// labels are drawn over as fill, and the frame is read as the table of
// fields it then is.
#include <optional>
#include <string>

#include "text/formats/formats_internal.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

struct Label {
    size_t start = 0;  // of "[ N ]" and the blank after it, if any
    size_t end = 0;
    int64_t number = 0;
    uint32_t firstPiece = kNone;
    std::string_view fill;
};

constexpr int64_t kMostRecords = 999999999999;

std::string_view char_at(std::string_view text, size_t at, TextEncoding encoding) {
    return text.substr(at, text_rules::char_length(text, at, is_cp932(encoding)));
}

Piece piece_at(std::string_view text, size_t at, TextEncoding encoding) {
    return piece_of(piece_code(char_at(text, at, encoding), encoding));
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// "[ N ]" at at, N without leading zeros; the number, or nothing.
std::optional<int64_t> number_at(std::string_view line, size_t& at) {
    if (line.compare(at, 2, "[ ") != 0) {
        return std::nullopt;
    }
    size_t end = at + 2;
    int64_t number = 0;
    while (end < line.size() && is_digit(line[end]) && number <= kMostRecords) {
        number = number * 10 + (line[end] - '0');
        ++end;
    }
    const size_t digits = end - at - 2;
    if (digits == 0 || (digits > 1 && line[at + 2] == '0') || number > kMostRecords ||
        line.compare(end, 2, " ]") != 0) {
        return std::nullopt;
    }
    at = end + 2;
    return number;
}

// The label of a rule that opens a record: its first piece, one fill or
// more, the label, maybe a blank, and fill again.
std::optional<Label> label_of(std::string_view text, LineSpan span, TextEncoding encoding) {
    const std::string_view line = text.substr(0, span.end);
    size_t at = span.start;
    if (at >= line.size() || piece_at(line, at, encoding) != Piece::Joint) {
        return std::nullopt;
    }
    Label label;
    label.firstPiece = piece_code(char_at(line, at, encoding), encoding);
    at += char_at(line, at, encoding).size();
    if (at >= line.size() || piece_at(line, at, encoding) != Piece::Fill) {
        return std::nullopt;
    }
    label.fill = char_at(line, at, encoding);
    while (line.compare(at, label.fill.size(), label.fill) == 0) {
        at += label.fill.size();
    }
    label.start = at;
    const std::optional<int64_t> number = number_at(line, at);
    if (!number) {
        return std::nullopt;
    }
    at += at < line.size() && line[at] == ' ' ? 1 : 0;
    if (line.compare(at, label.fill.size(), label.fill) != 0) {
        return std::nullopt;
    }
    label.end = at;
    label.number = *number;
    return label;
}

bool starts_frame_line(std::string_view text, LineSpan line, TextEncoding encoding) {
    if (line.start >= line.end) {
        return false;
    }
    const Piece piece = piece_at(text.substr(0, line.end), line.start, encoding);
    return piece == Piece::Joint || piece == Piece::Vertical;
}

// A joint and fill: the first such line is the top rule a reader takes.
bool starts_rule(std::string_view text, LineSpan line, TextEncoding encoding) {
    const std::string_view upToEnd = text.substr(0, line.end);
    if (line.start >= line.end || piece_at(upToEnd, line.start, encoding) != Piece::Joint) {
        return false;
    }
    const size_t next = line.start + char_at(upToEnd, line.start, encoding).size();
    return next < line.end && piece_at(upToEnd, next, encoding) == Piece::Fill;
}

// The frame with its labels drawn over as fill, and where they stood.
struct Unlabelled {
    std::string text;
    std::vector<size_t> labelLineStarts;  // where each label's line starts in text, in order
    bool keysOnly = false;            // the one record is numbered 0
    bool ruledFields = false;         // a rule stands between two fields somewhere
    bool ok = false;
};

Unlabelled unlabelled(std::string_view text, TextEncoding encoding, WidthModel model) {
    Unlabelled out;
    const Lines lines = split_lines(text);
    size_t copiedTo = 0;
    bool contentSince = false;
    bool ruleSince = false;
    for (size_t k = 0; k < lines.size(); ++k) {
        if (!starts_frame_line(text, lines[k], encoding)) {
            if (out.labelLineStarts.empty()) {
                continue;
            }
            break;
        }
        const std::optional<Label> label = label_of(text, lines[k], encoding);
        if (!label) {
            const bool rule = piece_at(text, lines[k].start, encoding) == Piece::Joint;
            if (!rule && ruleSince && contentSince) {
                out.ruledFields = true;
            }
            contentSince = contentSince || !rule;
            ruleSince = contentSince && rule;
            continue;
        }
        const auto expected = static_cast<int64_t>(out.labelLineStarts.size()) + 1;
        const int64_t fillColumns = text_columns(label->fill, encoding, model);
        const auto labelColumns = static_cast<int64_t>(label->end - label->start);
        if (label->number != expected && !(out.labelLineStarts.empty() && label->number == 0)) {
            return out;
        }
        if (out.keysOnly || fillColumns <= 0 || labelColumns % fillColumns != 0) {
            return out;
        }
        out.keysOnly = label->number == 0;
        out.text.append(text.substr(copiedTo, label->start - copiedTo));
        for (int64_t c = 0; c < labelColumns; c += fillColumns) {
            out.text.append(label->fill);
        }
        copiedTo = label->end;
        out.labelLineStarts.push_back(out.text.size() - (label->start - lines[k].start));
        contentSince = false;
        ruleSince = false;
    }
    out.text.append(text.substr(copiedTo));
    out.ok = !out.labelLineStarts.empty();
    return out;
}

// The fields read, in records: the keys of each the same, in the same order.
// The table outlives the unlabelled text its fields are offsets in, so its
// places are given as lines and columns, counted in one pass over the fields.
bool build_table(const Table& fields, const Unlabelled& frame, Table& table) {
    const Rows rows = fields.rows();
    std::vector<std::vector<size_t>> records(frame.labelLineStarts.size());
    std::vector<CellPlace> places;  // key and value of each field
    text_rules::PlaceCounter counter(frame.text, is_cp932(fields.encoding));
    for (size_t f = 0; f < rows.size(); ++f) {
        const Row field = rows[f];
        if (field.size() != 2) {
            return false;
        }
        size_t record = 0;
        while (record + 1 < frame.labelLineStarts.size() &&
               frame.labelLineStarts[record + 1] < field[0].place) {
            ++record;
        }
        records[record].push_back(f);
        for (const Cell cell : field) {
            const text_rules::TextPlace place = counter.place_of(static_cast<size_t>(cell.place));
            places.push_back(Table::given_place(place.line, place.column));
        }
    }
    const std::vector<size_t>& first = records.front();
    for (const std::vector<size_t>& record : records) {
        if (record.size() != first.size() || record.empty()) {
            return false;
        }
        for (size_t f = 0; f < record.size(); ++f) {
            if (rows[record[f]][0].text != rows[first[f]][0].text) {
                return false;
            }
        }
    }
    for (size_t f : first) {
        table.add_cell(rows[f][0].text, places[2 * f]);
    }
    table.end_row();
    if (frame.keysOnly) {
        return true;
    }
    for (const std::vector<size_t>& record : records) {
        for (size_t f : record) {
            table.add_cell(rows[f][1].text, places[2 * f + 1]);
        }
        table.end_row();
    }
    return true;
}

TableRead read_in(std::string_view text, TextEncoding encoding, WidthModel model) {
    TableRead read;
    read.table.encoding = encoding;
    const Unlabelled frame = unlabelled(text, encoding, model);
    if (!frame.ok) {
        read.refusal = refusal_of(RefusalKind::FrameMismatch);
        return read;
    }
    // Fields without rules between them part where a key begins; when the
    // keys do not then repeat, each record is one field of several lines.
    for (FieldRows rows :
         {frame.ruledFields ? FieldRows::Ruled : FieldRows::Keyed, FieldRows::Ruled}) {
        const TableRead fields = read_frame_fields(frame.text, encoding, model, rows);
        if (!fields.ok()) {
            return fields;
        }
        read.table.clear();
        if (build_table(fields.table, frame, read.table)) {
            return read;
        }
    }
    read.table.clear();
    read.refusal = refusal_of(RefusalKind::FrameMismatch);
    return read;
}

}  // namespace

bool opens_records(std::string_view text, TextEncoding encoding) {
    for (size_t at = 0; at < text.size();) {
        const text_rules::Line found = text_rules::line_at(text, at);
        const LineSpan line{static_cast<uint32_t>(found.start), static_cast<uint32_t>(found.end)};
        if (starts_rule(text, line, encoding)) {
            const std::optional<Label> label = label_of(text, line, encoding);
            return label && label->number <= 1 && opens_frame(label->firstPiece);
        }
        at = found.next;
    }
    return false;
}

TableRead read_records(std::string_view text, TextEncoding encoding, WidthModel model) {
    TableRead first = read_in(text, encoding, model);
    if (first.ok() || is_cp932(encoding)) {
        return first;
    }
    const WidthModel other = model == WidthModel::Narrow ? WidthModel::Wide : WidthModel::Narrow;
    TableRead second = read_in(text, encoding, other);
    return second.ok() ? second : first;
}

}  // namespace formats
