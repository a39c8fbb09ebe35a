// JSON rows: an array of arrays or of objects, or JSON Lines with one array or
// object a line. Strings are decoded, numbers kept as written, true and false
// as words and null as an empty cell; objects give a header of their keys in
// first-seen order. An array or object inside a row is refused, or kept as its
// JSON text exactly as in the input.
#include <unordered_map>
#include <unordered_set>

#include "text/formats/formats_internal.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

// A cell while its row is still being read: objects are rows only once
// every key is known.
struct JsonCell {
    std::string text;
    CellPlace place = kNoPlace;
};

struct Member {
    JsonCell key;
    JsonCell value;
};

// An object waits for every key to be known before it becomes a row.
struct ObjectRow {
    JsonCell place;
    std::vector<Member> members;
};

enum class RowKind : uint8_t { None, Array, Object };

void append_row(Table& table, const std::vector<JsonCell>& cells) {
    for (const JsonCell& cell : cells) {
        table.add_cell(cell.text, cell.place);
    }
    table.end_row();
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

int hex_value(char c) {
    if (is_digit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

class JsonReader {
  public:
    JsonReader(std::string_view text, JsonNested nested, bool lines)
        : text_(text), nested_(nested), lines_(lines) {
        table_.place_in(text);
    }

    TableRead read() {
        TableRead read;
        const bool ok = lines_ ? read_lines() : read_array();
        if (!ok) {
            read.refusal = refusal_;
            return read;
        }
        read.table = std::move(table_);
        if (kind_ == RowKind::Object) {
            build_object_rows(read.table);
        }
        if (read.table.rows().empty()) {
            read.refusal.kind = RefusalKind::NoCells;
        }
        return read;
    }

  private:
    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }

    bool fail(JsonFault fault, size_t offset) {
        refusal_ = refusal_at(text_, TextEncoding::Utf8, RefusalKind::BadJson, offset);
        refusal_.found = static_cast<int64_t>(fault);
        return false;
    }

    // JSON Lines keeps each value on its line.
    void skip_space() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c != ' ' && c != '\t' && (lines_ || (c != '\n' && c != '\r'))) {
                return;
            }
            ++at_;
        }
    }

    bool expect(char c, JsonFault fault) {
        skip_space();
        if (peek() != c) {
            return fail(fault, at_);
        }
        ++at_;
        skip_space();
        return true;
    }

    bool read_array() {
        if (!expect('[', JsonFault::ExpectedRows)) {
            return false;
        }
        if (peek() == ']') {
            ++at_;
        } else {
            for (;;) {
                if (!read_row()) {
                    return false;
                }
                skip_space();
                if (peek() == ']') {
                    ++at_;
                    break;
                }
                if (!expect(',', JsonFault::ExpectedCommaOrBracket)) {
                    return false;
                }
            }
        }
        skip_space();
        return at_ == text_.size() || fail(JsonFault::ExpectedEnd, at_);
    }

    bool read_lines() {
        while (at_ < text_.size()) {
            const text_rules::Line line = text_rules::line_at(text_, at_);
            skip_space();
            if (at_ < line.end && !read_row()) {
                return false;
            }
            skip_space();
            if (at_ < line.end) {
                return fail(JsonFault::ExpectedLineEnd, at_);
            }
            at_ = line.next;
        }
        return true;
    }

    bool read_row() {
        const char c = peek();
        if (c != '[' && c != '{') {
            return fail(JsonFault::ExpectedRow, at_);
        }
        const RowKind kind = c == '[' ? RowKind::Array : RowKind::Object;
        if (kind_ != RowKind::None && kind != kind_) {
            return fail(JsonFault::MixedRows, at_);
        }
        kind_ = kind;
        return kind == RowKind::Array ? read_array_row() : read_object_row();
    }

    bool read_array_row() {
        std::vector<JsonCell> cells;
        if (!expect('[', JsonFault::ExpectedRow)) {
            return false;
        }
        if (peek() == ']') {
            ++at_;
            append_row(table_, std::move(cells));
            return true;
        }
        for (;;) {
            cells.emplace_back();
            if (!read_cell(cells.back())) {
                return false;
            }
            skip_space();
            if (peek() == ']') {
                ++at_;
                append_row(table_, std::move(cells));
                return true;
            }
            if (!expect(',', JsonFault::ExpectedCommaOrBracket)) {
                return false;
            }
        }
    }

    bool read_object_row() {
        ObjectRow row;
        row.place.place = at_;
        if (!expect('{', JsonFault::ExpectedRow)) {
            return false;
        }
        if (peek() == '}') {
            ++at_;
            objects_.push_back(std::move(row));
            return true;
        }
        std::unordered_set<std::string> keys;
        for (;;) {
            Member member;
            if (!read_key(member.key, keys) || !expect(':', JsonFault::ExpectedColon) ||
                !read_cell(member.value)) {
                return false;
            }
            row.members.push_back(std::move(member));
            skip_space();
            if (peek() == '}') {
                ++at_;
                objects_.push_back(std::move(row));
                return true;
            }
            if (!expect(',', JsonFault::ExpectedCommaOrBrace)) {
                return false;
            }
        }
    }

    // A set, not a search of the members, so a wide object costs no more
    // than its keys.
    bool read_key(JsonCell& key, std::unordered_set<std::string>& keys) {
        if (peek() != '"') {
            return fail(JsonFault::ExpectedKey, at_);
        }
        const size_t start = at_;
        key.place = start;
        if (!read_string(key.text)) {
            return false;
        }
        return keys.insert(key.text).second || fail(JsonFault::DuplicateKey, start);
    }

    bool read_cell(JsonCell& cell) {
        cell.place = at_;
        const char c = peek();
        if (c != '[' && c != '{') {
            return read_scalar(cell.text);
        }
        if (nested_ == JsonNested::Refuse) {
            return fail(JsonFault::Nested, at_);
        }
        const size_t start = at_;
        if (!skip_nested()) {
            return false;
        }
        cell.text.assign(text_.substr(start, at_ - start));
        return true;
    }

    bool read_scalar(std::string& out) {
        const char c = peek();
        if (c == '"') {
            return read_string(out);
        }
        if (c == '-' || is_digit(c)) {
            return read_number(out);
        }
        if (c == 't' || c == 'f' || c == 'n') {
            return read_literal(out);
        }
        return fail(JsonFault::ExpectedValue, at_);
    }

    // Walks an array or object without keeping it, one level of a stack per
    // opener, so depth costs no call stack.
    bool skip_nested() {
        std::string closers;
        std::string scratch;
        bool valueDone = false;
        for (;;) {
            const char c = peek();
            if (!valueDone && (c == '[' || c == '{')) {
                closers += c == '[' ? ']' : '}';
                ++at_;
                skip_space();
                if (peek() == closers.back()) {
                    ++at_;
                    closers.pop_back();
                    valueDone = true;
                } else if (closers.back() == '}' && !skip_key(scratch)) {
                    return false;
                }
                continue;
            }
            if (!valueDone && !read_scalar(scratch)) {
                return false;
            }
            valueDone = true;
            if (closers.empty()) {
                return true;
            }
            skip_space();
            if (peek() == closers.back()) {
                ++at_;
                closers.pop_back();
                continue;
            }
            const bool inArray = closers.back() == ']';
            if (!expect(',', inArray ? JsonFault::ExpectedCommaOrBracket
                                     : JsonFault::ExpectedCommaOrBrace) ||
                (!inArray && !skip_key(scratch))) {
                return false;
            }
            valueDone = false;
        }
    }

    bool skip_key(std::string& scratch) {
        if (peek() != '"') {
            return fail(JsonFault::ExpectedKey, at_);
        }
        return read_string(scratch) && expect(':', JsonFault::ExpectedColon);
    }

    bool read_literal(std::string& out) {
        for (std::string_view word : {"true", "false", "null"}) {
            if (text_.substr(at_, word.size()) == word) {
                at_ += word.size();
                out.assign(word == "null" ? std::string_view() : word);
                return true;
            }
        }
        return fail(JsonFault::BadLiteral, at_);
    }

    bool skip_digits() {
        if (!is_digit(peek())) {
            return fail(JsonFault::BadNumber, at_);
        }
        while (is_digit(peek())) {
            ++at_;
        }
        return true;
    }

    bool read_number(std::string& out) {
        const size_t start = at_;
        if (peek() == '-') {
            ++at_;
        }
        if (peek() == '0') {
            ++at_;
        } else if (!skip_digits()) {
            return false;
        }
        if (peek() == '.') {
            ++at_;
            if (!skip_digits()) {
                return false;
            }
        }
        if (peek() == 'e' || peek() == 'E') {
            ++at_;
            if (peek() == '+' || peek() == '-') {
                ++at_;
            }
            if (!skip_digits()) {
                return false;
            }
        }
        out.assign(text_.substr(start, at_ - start));
        return true;
    }

    bool read_string(std::string& out) {
        const size_t open = at_++;
        out.clear();
        for (;;) {
            const size_t run = at_;
            while (at_ < text_.size() && text_[at_] != '"' && text_[at_] != '\\' &&
                   static_cast<unsigned char>(text_[at_]) >= 0x20) {
                ++at_;
            }
            out.append(text_.substr(run, at_ - run));
            if (at_ == text_.size()) {
                return fail(JsonFault::OpenString, open);
            }
            if (text_[at_] == '"') {
                ++at_;
                return true;
            }
            if (text_[at_] != '\\') {
                return fail(JsonFault::RawControl, at_);
            }
            if (!read_escape(out)) {
                return false;
            }
        }
    }

    bool read_escape(std::string& out) {
        const size_t start = at_++;
        constexpr std::string_view kFrom = "\"\\/bfnrt";
        constexpr std::string_view kTo = "\"\\/\b\f\n\r\t";
        const size_t simple = kFrom.find(peek());
        if (peek() != '\0' && simple != std::string_view::npos) {
            out += kTo[simple];
            ++at_;
            return true;
        }
        if (peek() != 'u') {
            return fail(JsonFault::BadEscape, start);
        }
        uint32_t codePoint = 0;
        if (!read_hex4(codePoint, start)) {
            return false;
        }
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF && !join_surrogates(codePoint, start)) {
            return false;
        }
        char bytes[4];
        out.append(bytes, text_rules::encode_utf8(codePoint, bytes));
        return true;
    }

    // at_ is on the 'u'; moves past the four digits.
    bool read_hex4(uint32_t& value, size_t escape) {
        if (text_.size() - at_ < 5) {
            return fail(JsonFault::BadEscape, escape);
        }
        value = 0;
        for (size_t k = 1; k <= 4; ++k) {
            const int digit = hex_value(text_[at_ + k]);
            if (digit < 0) {
                return fail(JsonFault::BadEscape, escape);
            }
            value = value << 4 | static_cast<uint32_t>(digit);
        }
        at_ += 5;
        return true;
    }

    bool join_surrogates(uint32_t& codePoint, size_t escape) {
        if (codePoint >= 0xDC00 || text_.substr(at_, 2) != "\\u") {
            return fail(JsonFault::LoneSurrogate, escape);
        }
        const size_t second = at_++;
        uint32_t low = 0;
        if (!read_hex4(low, second)) {
            return false;
        }
        if (low < 0xDC00 || low > 0xDFFF) {
            return fail(JsonFault::LoneSurrogate, escape);
        }
        codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (low - 0xDC00);
        return true;
    }

    void build_object_rows(Table& table) {
        std::vector<JsonCell> header;
        std::unordered_map<std::string, size_t> columns;
        for (const ObjectRow& row : objects_) {
            for (const Member& member : row.members) {
                if (columns.emplace(member.key.text, header.size()).second) {
                    header.push_back(member.key);
                }
            }
        }
        if (header.empty()) {
            return;
        }
        const size_t width = header.size();
        append_row(table, std::move(header));
        for (ObjectRow& row : objects_) {
            JsonCell missing = row.place;
            std::vector<JsonCell> cells(width, missing);
            for (Member& member : row.members) {
                cells[columns[member.key.text]] = std::move(member.value);
            }
            append_row(table, std::move(cells));
        }
    }

    std::string_view text_;
    JsonNested nested_;
    bool lines_;
    size_t at_ = 0;
    Refusal refusal_;
    Table table_;
    RowKind kind_ = RowKind::None;
    std::vector<ObjectRow> objects_;
};

}  // namespace

Refusal json_not_utf8() {
    Refusal refusal = refusal_of(RefusalKind::BadJson);
    refusal.found = static_cast<int64_t>(JsonFault::NotUtf8);
    return refusal;
}

TableRead read_json(std::string_view text, TextEncoding encoding, JsonNested nested, bool lines) {
    if (encoding != TextEncoding::Utf8) {
        TableRead read;
        read.refusal = json_not_utf8();
        return read;
    }
    return JsonReader(text, nested, lines).read();
}

}  // namespace formats
