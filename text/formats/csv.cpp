// csv as RFC 4180 has it, with LF or CR alone also ending a record. Quotes,
// commas, CR and LF are ASCII below 0x40, so no code page 932 character holds
// one as its second byte and the bytes can be read as they come.
#include <algorithm>

#include "text/formats/formats_internal.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

class CsvReader {
  public:
    CsvReader(std::string_view text, TextEncoding encoding)
        : text_(text), places_(text, is_cp932(encoding)) {
        read_.table.borrow(text);
        read_.table.encoding = encoding;
    }

    TableRead read() {
        while (at_ < text_.size() && read_record()) {
            if (read_.table.rows().size() == 1) {
                reserve_like_first_row();
            }
        }
        if (!read_.ok()) {
            read_.table.clear();
            return std::move(read_);
        }
        while (emptyLinesAtEnd_ > 0) {
            read_.table.drop_last_row();
            --emptyLinesAtEnd_;
        }
        if (read_.table.rows().empty()) {
            read_.refusal.kind = RefusalKind::NoCells;
        }
        return std::move(read_);
    }

  private:
    bool at_record_end() const {
        return at_ == text_.size() || text_rules::is_line_end(text_[at_]);
    }

    void skip_line_end() { at_ = text_rules::line_at(text_, at_).next; }

    // Room for as many rows as lines, each as long as the first: growing the
    // cells one doubling at a time would touch half as much memory again.
    void reserve_like_first_row() {
        const char lineEnd = text_.find('\n') != std::string_view::npos ? '\n' : '\r';
        const size_t lines = static_cast<size_t>(std::count(text_.begin(), text_.end(), lineEnd));
        const size_t cells = read_.table.cell_count() * (lines + 1);
        // A cell takes at least its separator, so none has more cells than bytes.
        read_.table.reserve_cells(std::min(cells, text_.size() + 1));
    }

    bool read_record() {
        const size_t recordStart = at_;
        for (;;) {
            const text_rules::TextPlace place = places_.place_of(at_);
            const bool quoted = at_ < text_.size() && text_[at_] == '"';
            const bool ok = quoted ? read_quoted(place) : read_plain(place);
            if (!ok) {
                return false;
            }
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
                continue;
            }
            break;
        }
        const bool emptyLine = at_ == recordStart;
        emptyLinesAtEnd_ = emptyLine ? emptyLinesAtEnd_ + 1 : 0;
        skip_line_end();
        read_.table.end_row();
        return true;
    }

    bool read_plain(const text_rules::TextPlace& place) {
        const size_t start = at_;
        while (at_ < text_.size() && text_[at_] != ',' && !text_rules::is_line_end(text_[at_])) {
            if (text_[at_] == '"') {
                read_.refusal = refusal_at(places_, RefusalKind::StrayQuote, at_);
                return false;
            }
            ++at_;
        }
        read_.table.add_cell(text_.substr(start, at_ - start), place.line, place.column);
        return true;
    }

    // A quoted field is a span of the input unless it doubles a quote: only
    // then does its text need storage of its own.
    bool read_quoted(const text_rules::TextPlace& place) {
        const size_t open = at_++;
        const size_t textStart = at_;
        bool doubled = false;
        for (;;) {
            const size_t quote = text_.find('"', at_);
            if (quote == std::string_view::npos) {
                read_.refusal = refusal_at(places_, RefusalKind::OpenQuote, open);
                return false;
            }
            at_ = quote + 1;
            if (at_ < text_.size() && text_[at_] == '"') {
                doubled = true;
                ++at_;
                continue;
            }
            if (at_ < text_.size() && text_[at_] != ',' && !at_record_end()) {
                read_.refusal = refusal_at(places_, RefusalKind::StrayQuote, quote);
                return false;
            }
            const std::string_view quotedText = text_.substr(textStart, quote - textStart);
            if (doubled) {
                add_undoubled(quotedText, place);
            } else {
                read_.table.add_cell(quotedText, place.line, place.column);
            }
            return true;
        }
    }

    void add_undoubled(std::string_view quotedText, const text_rules::TextPlace& place) {
        std::string& text = read_.table.open_cell(place.line, place.column);
        for (size_t at = 0; at < quotedText.size(); ++at) {
            text += quotedText[at];
            at += quotedText[at] == '"' ? 1 : 0;  // the quote that doubled it
        }
    }

    std::string_view text_;
    text_rules::PlaceCounter places_;
    TableRead read_;
    size_t at_ = 0;
    size_t emptyLinesAtEnd_ = 0;
};

bool needs_quotes(const Row& row, std::string_view text, bool opensText) {
    return text.find_first_of(",\"\r\n") != std::string_view::npos ||
           (row.size() == 1 && text.empty()) ||  // else an empty line, dropped at the end
           (opensText && text_rules::bom_length(text, true) > 0);  // else read as a BOM
}

}  // namespace

TableRead read_csv(std::string_view text, TextEncoding encoding) {
    return CsvReader(text, encoding).read();
}

TableWrite write_csv(const Table& table, LineEnd lineEnd) {
    TableWrite out;
    const std::string_view end = line_end_text(lineEnd);
    for (const Row& row : table.rows()) {
        if (row.empty()) {
            out.text.clear();
            out.refusal.kind = RefusalKind::RowNotHeld;
            return out;
        }
        for (size_t c = 0; c < row.size(); ++c) {
            if (c > 0) {
                out.text += ',';
            }
            const std::string_view text = row[c].text;
            const bool opensText = out.text.empty() && table.encoding == TextEncoding::Utf8;
            if (!needs_quotes(row, text, opensText)) {
                out.text += text;
                continue;
            }
            out.text += '"';
            for (char ch : text) {
                if (ch == '"') {
                    out.text += '"';
                }
                out.text += ch;
            }
            out.text += '"';
        }
        out.text += end;
    }
    return out;
}

}  // namespace formats
