#include "text/formats/table.h"

#include <algorithm>

#include "text/formats/formats_internal.h"
#include "text/formats/text_scan.h"

Rows::Rows(const Table& table) : table_(&table), count_(table.rowEnds_.size()) {}

void Table::close_cell() {
    if (cellOpen_) {
        Span& span = cells_.back();
        span.length = static_cast<uint32_t>(own_.size() - span.start);
        cellOpen_ = false;
    }
}

void Table::copy_borrowed() {
    if (!owned_) {
        own_.assign(borrowed_.data(), borrowed_.size());
        owned_ = true;
        compact_ = borrowed_.empty();
    }
}

std::string& Table::open_cell(CellPlace place) {
    close_cell();
    copy_borrowed();
    cells_.push_back(Span{static_cast<uint32_t>(own_.size()), 0, place});
    cellOpen_ = true;
    return own_;
}

void Table::add_cell_apart(std::string_view text, CellPlace place) {
    if (text.empty() && !owned_) {
        close_cell();
        cells_.push_back(Span{0, 0, place});
        return;
    }
    if (borrows(text)) {
        close_cell();
        cells_.push_back(Span{static_cast<uint32_t>(text.data() - borrowed_.data()),
                              static_cast<uint32_t>(text.size()), place});
        compact_ = false;
        return;
    }
    open_cell(place).append(text);
    close_cell();
}

void Table::end_row() {
    close_cell();
    rowEnds_.push_back(cells_.size());
}

void Table::drop_last_row() {
    close_cell();
    rowEnds_.pop_back();
    const size_t first = rowEnds_.empty() ? 0 : rowEnds_.back();
    if (first < cells_.size()) {
        if (compact_) {
            own_.resize(cells_[first].start);
        }
        cells_.resize(first);
    }
}

void Table::clear() {
    own_.clear();
    cells_.clear();
    rowEnds_.clear();
    cellOpen_ = false;
    owned_ = true;
    compact_ = true;
    borrowed_ = std::string_view();
    source_.reset();
}

void Table::borrow(std::string_view input) {
    clear();
    borrowed_ = input;
    source_ = input;
    owned_ = false;
}

void Table::own_places(int64_t linesAbove) {
    if (!source_) {
        return;
    }
    std::vector<uint32_t> order;  // the cells placed, by place
    order.reserve(cells_.size());
    for (uint32_t k = 0; k < cells_.size(); ++k) {
        if (cells_[k].place != kNoPlace) {
            order.push_back(k);
        }
    }
    // Most readers add cells in the input's order; JSON's keys need sorting.
    const auto byPlace = [this](uint32_t a, uint32_t b) {
        return cells_[a].place < cells_[b].place;
    };
    if (!std::is_sorted(order.begin(), order.end(), byPlace)) {
        std::stable_sort(order.begin(), order.end(), byPlace);
    }
    text_rules::PlaceCounter counter(*source_, encoding == TextEncoding::Cp932);
    for (uint32_t k : order) {
        const text_rules::TextPlace place = counter.place_of(static_cast<size_t>(cells_[k].place));
        cells_[k].place = given_place(place.line + linesAbove, place.column);
    }
    source_.reset();
}

CellPlace Table::given_place(int64_t line, int64_t column) {
    return static_cast<CellPlace>(line) << 32 | static_cast<uint32_t>(column);
}

text_rules::TextPlace Table::place_of(const Cell& cell) const {
    if (cell.place == kNoPlace) {
        return {0, 0};
    }
    if (!source_) {
        return {static_cast<int64_t>(cell.place >> 32),
                static_cast<int64_t>(cell.place & 0xFFFFFFFFu)};
    }
    return text_rules::place_of(*source_, static_cast<size_t>(cell.place),
                                encoding == TextEncoding::Cp932);
}

void Table::own_text() {
    close_cell();
    if (owned_ && compact_) {
        borrowed_ = std::string_view();
        return;
    }
    const std::string_view from = text();
    size_t bytes = 0;
    for (const Span& span : cells_) {
        bytes += span.length;
    }
    std::string own;
    own.reserve(bytes);
    for (Span& span : cells_) {
        const uint32_t start = static_cast<uint32_t>(own.size());
        own.append(from.substr(span.start, span.length));
        span.start = start;
    }
    own_ = std::move(own);
    borrowed_ = std::string_view();
    owned_ = true;
    compact_ = true;
}

bool Table::cells_hold_byte(char byte) const {
    const std::string_view all = text();
    const std::string_view input = all.substr(0, borrowed_.size());
    size_t next = input.find(byte);  // the first at or after the last cell searched from
    const bool inputHolds = next != std::string_view::npos;
    uint32_t lastStart = 0;
    for (const Span& span : cells_) {
        const std::string_view cell = all.substr(span.start, span.length);
        const bool inInput = span.start + span.length <= input.size();
        if (inInput && !inputHolds) {
            continue;  // cells of the input in any order, such as sorted rows
        }
        if (!inInput || span.start < lastStart) {
            // A cell of the table's own, or out of the input's order: searched alone.
            if (cell.find(byte) != std::string_view::npos) {
                return true;
            }
            continue;
        }
        // Cells in the input's order: one search from each cell that starts
        // past the byte last found, rather than one search a cell.
        if (next != std::string_view::npos && next < span.start) {
            next = input.find(byte, span.start);
        }
        lastStart = span.start;
        if (next < span.start + span.length) {
            return true;
        }
    }
    return false;
}

bool Table::cells_hold_any(std::string_view bytes) const {
    for (char byte : bytes) {
        if (compact_ ? text().find(byte) != std::string_view::npos : cells_hold_byte(byte)) {
            return true;
        }
    }
    return false;
}

namespace formats {

Refusal cell_refusal(RefusalKind kind, const Table& table, const Cell& cell, uint32_t codePoint) {
    const text_rules::TextPlace place = table.place_of(cell);
    Refusal refusal;
    refusal.kind = kind;
    refusal.line = place.line;
    refusal.column = place.column;
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
