// Column-aligned text as commands list processes, disks or containers:
// columns start where the header's words start, two or more blanks
// separating columns and one joining the words of a heading unless text
// starts under the second word. A word across a column's start is cut at the
// blank run before it, as a right-aligned number spills left, or after it when
// it is all the previous cell holds; the last column takes the rest of the
// line, spaces and all.
#include "text/formats/formats_internal.h"
#include "text/formats/line_cells.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

struct Word {
    int64_t column;
    bool joinable;           // a single blank stands before it
    bool supported = false;  // a data line has text that starts under it
};

struct Char {
    size_t offset;
    int64_t column;
};

class AlignedReader {
  public:
    AlignedReader(std::string_view text, TextEncoding encoding, WidthModel model)
        : text_(text), encoding_(encoding), model_(model) {
        read_.table.borrow(text);
        read_.table.encoding = encoding;
    }

    TableRead read() {
        std::vector<LineSpan> lines;
        for (const LineSpan& line : split_lines(text_)) {
            if (!trim_blanks(text_.substr(line.start, line.end - line.start)).empty()) {
                lines.push_back(line);
            }
        }
        if (lines.empty()) {
            read_.refusal.kind = RefusalKind::NoCells;
            return std::move(read_);
        }
        chars_of(lines[0]);
        header_words();
        for (size_t i = 1; i < lines.size(); ++i) {
            chars_of(lines[i]);
            weigh_joins();
        }
        for (size_t k = 0; k < words_.size(); ++k) {
            if (k == 0 || !words_[k].joinable || words_[k].supported) {
                starts_.push_back(words_[k].column);
            }
        }
        std::vector<CutLine> cut;
        for (const LineSpan& line : lines) {
            chars_of(line);
            cut.push_back(cut_line());
        }
        append_rows(cut, text_, read_.table);
        return std::move(read_);
    }

  private:
    // The line's end, the last entry, is blank: it may be the text's end.
    bool blank_at(size_t index) const {
        return index + 1 >= chars_.size() || is_blank(text_[chars_[index].offset]);
    }

    void chars_of(LineSpan line) {
        chars_.clear();
        int64_t column = 0;
        for (size_t at = line.start; at < line.end;) {
            const size_t length = text_rules::char_length(text_, at, is_cp932(encoding_));
            chars_.push_back({at, column});
            column += length == 1 ? 1 : text_columns(text_.substr(at, length), encoding_, model_);
            at += length;
        }
        chars_.push_back({line.end, column});  // the end, as a character past the last
    }

    // Header words; one after a single blank may be the next word of the
    // same heading.
    void header_words() {
        size_t blanks = 2;
        for (size_t i = 0; i + 1 < chars_.size(); ++i) {
            if (blank_at(i)) {
                ++blanks;
                continue;
            }
            if (blanks > 0) {
                words_.push_back({chars_[i].column, blanks == 1});
            }
            blanks = 0;
        }
    }

    // A word after a single blank heads a column of its own when some data
    // line has text that starts under it, rather than running across its
    // start as the rest of a longer heading's cell would.
    void weigh_joins() {
        size_t at = 0;
        for (size_t k = 1; k < words_.size(); ++k) {
            Word& word = words_[k];
            at = index_at(word.column, at);
            if (!word.joinable || word.supported || chars_[at].column != word.column ||
                (at > 0 && !blank_at(at - 1))) {
                continue;
            }
            const int64_t end = k + 1 < words_.size() ? words_[k + 1].column : INT64_MAX;
            for (size_t i = at; !word.supported && i + 1 < chars_.size() && chars_[i].column < end;
                 ++i) {
                word.supported = !blank_at(i);
            }
        }
    }

    // The index of the character at or after column.
    size_t index_at(int64_t column, size_t from) const {
        while (from + 1 < chars_.size() && chars_[from].column < column) {
            ++from;
        }
        return from;
    }

    // Where the column starting at start begins on this line: there, unless
    // a word crosses it; then at the nearer end of that word.
    size_t cut_at(int64_t start, size_t previous, int64_t nextStart) const {
        const size_t at = index_at(start, previous);
        if (at == previous || blank_at(at) || blank_at(at - 1)) {
            return at;
        }
        size_t left = at;
        while (left > previous && !blank_at(left - 1)) {
            --left;
        }
        size_t right = at;
        while (right + 1 < chars_.size() && !blank_at(right) && chars_[right].column < nextStart) {
            ++right;
        }
        // The crossing word is a right-aligned cell spilling left, unless it
        // is all the previous cell holds: then that cell runs over.
        bool before = false;
        for (size_t i = previous; i < left && !before; ++i) {
            before = !blank_at(i);
        }
        if (left > previous && (before || !blank_at(right))) {
            return left;
        }
        return blank_at(right) ? right : at;
    }

    CutLine cut_line() const {
        CutLine out;
        size_t from = 0;
        for (size_t k = 1; k <= starts_.size(); ++k) {
            size_t to = chars_.size() - 1;
            if (k < starts_.size()) {
                const int64_t nextStart = k + 1 < starts_.size() ? starts_[k + 1] : INT64_MAX;
                to = cut_at(starts_[k], from, nextStart);
            }
            const size_t begin = chars_[from].offset;
            out.cells.push_back({text_.substr(begin, chars_[to].offset - begin)});
            from = to;
        }
        return out;
    }

    std::string_view text_;
    TextEncoding encoding_;
    WidthModel model_;
    std::vector<Char> chars_;
    std::vector<Word> words_;
    std::vector<int64_t> starts_;
    TableRead read_;
};

}  // namespace

TableRead read_aligned(std::string_view text, TextEncoding encoding, WidthModel model) {
    return AlignedReader(text, encoding, model).read();
}

}  // namespace formats
