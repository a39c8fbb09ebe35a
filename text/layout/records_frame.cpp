#include "text/layout/records_frame.h"

#include <climits>
#include <string_view>
#include <vector>

#include "core/frame_core.h"
#include "core/styles/frame_drawing.h"
#include "text/frame_render.h"
#include "text/layout/frame_layout.h"
#include "text/text_limits.h"
#include "text/formats/table_formats.h"

namespace {

struct RecordFields {
    std::vector<CellSpan> spans;          // key, value; field after field
    std::vector<unsigned char> opensRow;  // per field; empty: every field
    int64_t records = 0;                  // drawn, record 0 counting as one
    int32_t fields = 0;                   // per record
};

CellSpan span_of(const Cell& cell, const char* base) {
    if (cell.text.empty()) {
        return CellSpan{0, 0, 0};
    }
    return CellSpan{static_cast<int32_t>(cell.text.data() - base),
                    static_cast<int32_t>(cell.text.size()), 0};
}

RecordFields record_fields(const Table& table, bool ruledFields) {
    RecordFields fields;
    const Rows rows = table.rows();
    const char* base = table.text().data();
    const Row header = rows.front();
    fields.fields = static_cast<int32_t>(header.size());
    const size_t body = rows.size() - 1;
    fields.records = body == 0 ? 1 : static_cast<int64_t>(body);
    for (size_t record = 0; record < static_cast<size_t>(fields.records); ++record) {
        for (size_t c = 0; c < header.size(); ++c) {
            fields.spans.push_back(span_of(header[c], base));
            fields.spans.push_back(body == 0 ? CellSpan{0, 0, 0}
                                             : span_of(rows[record + 1][c], base));
            if (!ruledFields) {
                fields.opensRow.push_back(c == 0 ? 1 : 0);
            }
        }
    }
    return fields;
}

ColumnAlign align_of(FtPlacement placement) {
    return placement == FT_RIGHT    ? ColumnAlign::Right
           : placement == FT_CENTRE ? ColumnAlign::Centre
                                    : ColumnAlign::Left;
}

// A position type that places the first row's key and value as every other
// row's: the layout places the first row by the position type alone.
int32_t position_placing(FtPlacement key, FtPlacement value, int32_t fallback) {
    for (int32_t type = 1; type <= FT_POSITION_TYPE_MAX; ++type) {
        if (ft_placement(type, 0, 0) == key && ft_placement(type, 0, 1) == value) {
            return type;
        }
    }
    return fallback;
}

std::string_view bytes_of(const EncodedPiece& piece) {
    return {piece.bytes, static_cast<size_t>(piece.size)};
}

void put_fill(std::string& line, const EncodedLine& pieces, int64_t count) {
    for (int64_t k = 0; k < count; ++k) {
        line += bytes_of(pieces.fill);
    }
}

// Fill pieces from at up to the piece that ends the area.
int64_t fills_from(std::string_view line, size_t& at, const EncodedLine& pieces) {
    const std::string_view fill = bytes_of(pieces.fill);
    int64_t count = 0;
    while (line.compare(at, fill.size(), fill) == 0) {
        at += fill.size();
        ++count;
    }
    return count;
}

class RecordRules {
  public:
    RecordRules(const EncodedStyle& style, std::string_view top) {
        size_t at = static_cast<size_t>(style.top.first.size);
        keyFills_ = fills_from(top, at, style.top);
        at += static_cast<size_t>(style.top.second.size);
        valueFills_ = fills_from(top, at, style.top);
    }

    std::string plain(const EncodedLine& pieces) const {
        std::string line(bytes_of(pieces.first));
        put_fill(line, pieces, keyFills_);
        line += bytes_of(pieces.second);
        put_fill(line, pieces, valueFills_);
        line += bytes_of(pieces.rightEnd);
        return line;
    }

    // One fill, the label, a blank when the fill's width asks for one, and
    // fill to the key column's end.
    std::string labelled(const EncodedLine& pieces, const std::string& label) const {
        const int64_t fill = pieces.fillColumns;
        const int64_t rest = keyFills_ * fill - fill - static_cast<int64_t>(label.size());
        const int64_t blank = rest % fill;
        std::string line(bytes_of(pieces.first));
        put_fill(line, pieces, 1);
        line += label;
        line.append(static_cast<size_t>(blank), ' ');
        put_fill(line, pieces, (rest - blank) / fill);
        line += bytes_of(pieces.second);
        put_fill(line, pieces, valueFills_);
        line += bytes_of(pieces.rightEnd);
        return line;
    }

  private:
    int64_t keyFills_ = 0;
    int64_t valueFills_ = 0;
};

std::vector<std::string_view> lines_of(std::string_view frame) {
    std::vector<std::string_view> lines;
    for (size_t at = 0; at < frame.size();) {
        const size_t end = frame.find('\n', at);
        const size_t next = end == std::string_view::npos ? frame.size() : end + 1;
        lines.push_back(frame.substr(at, next - at));
        at = next;
    }
    return lines;
}

// The layout's rules made the records' own: each record opens with a rule
// of its number, the top one too, and the fields between are parted by inner
// rules only.
std::string relabelled(std::string_view frame, const EncodedStyle& style,
                       const RecordFields& fields, bool keysOnly) {
    const std::vector<std::string_view> lines = lines_of(frame);
    const RecordRules rules(style, lines.front());
    const std::string_view content = bytes_of(style.content.first);
    const int64_t rowsPerRecord = fields.opensRow.empty() ? fields.fields : 1;
    std::string out;
    out.reserve(frame.size());
    out += rules.labelled(style.top, record_label(keysOnly ? 0 : 1));
    int64_t tableRow = 0;
    for (size_t k = 1; k + 1 < lines.size(); ++k) {
        const std::string_view line = lines[k];
        if (line.compare(0, content.size(), content) == 0) {
            out += line;
            continue;
        }
        ++tableRow;
        if (tableRow % rowsPerRecord == 0) {
            out += rules.labelled(style.header, record_label(tableRow / rowsPerRecord + 1));
        } else {
            out += rules.plain(style.inner);
        }
    }
    out += lines.back();
    return out;
}

}  // namespace

std::string record_label(int64_t number) {
    return "[ " + std::to_string(number) + " ]";
}

Refusal write_records_frame(const Table& table, const WriteOptions& options, std::string& frame) {
    const bool keysOnly = table.rows().size() == 1;
    const RecordFields fields = record_fields(table, options.fit.rules == RuleLines::All);
    FrameLook look = frame_look(options, table.encoding);
    const EncodedStyle& style = encoded_style(look.frameType, core_look(look));
    const FtPlacement key = ft_placement(look.positionType, 0, 0);
    const FtPlacement value = ft_placement(look.positionType, 1, 1);
    look.positionType = position_placing(key, value, look.positionType);

    FrameFit fit = options.fit;
    fit.layout = RowLayout::Table;
    fit.rules = RuleLines::All;
    fit.align = {align_of(key), align_of(value)};
    if (fit.cellWidths.size() > 1) {
        fit.cellWidths.clear();  // a list per column of the table has no column here
    }
    LaidOutRows rows;
    rows.opensRow = fields.opensRow;
    const int32_t fill = style.top.fillColumns;
    const auto label = static_cast<int32_t>(record_label(fields.records).size());
    rows.leastWidths = {label + 2 * fill + (fill - 1), 0};

    if (fields.spans.size() / 2 > static_cast<size_t>(INT32_MAX)) {
        Refusal tooLarge = refusal_of(RefusalKind::FrameTooLarge);
        tooLarge.found = static_cast<int64_t>(fields.spans.size());
        tooLarge.limit = kTextFrameLimit;
        return tooLarge;
    }
    const TableView view{table.text().data(), fields.spans.data(),
                         static_cast<int32_t>(fields.spans.size() / 2), 2};
    std::string drawn;
    Refusal refusal = render_laid_out(view, look, fit, drawn, rows);
    if (refusal.kind == RefusalKind::None) {
        frame = relabelled(drawn, style, fields, keysOnly);
    }
    return refusal;
}
