#include "cli/lsp/json_value.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/text_rules.h"
#include "text/formats/json_string.h"

namespace lsp {

JsonValue JsonValue::array() {
    JsonValue value;
    value.type_ = Type::Array;
    return value;
}

JsonValue JsonValue::object() {
    JsonValue value;
    value.type_ = Type::Object;
    return value;
}

JsonValue JsonValue::written(std::string json) {
    JsonValue value;
    value.type_ = Type::Written;
    value.string_ = std::move(json);
    return value;
}

const std::vector<JsonMember>& JsonValue::members() const {
    return members_;
}

const JsonValue* JsonValue::find(std::string_view key) const {
    for (const JsonMember& member : members_) {
        if (member.key == key) {
            return &member.value;
        }
    }
    return nullptr;
}

JsonValue* JsonValue::find(std::string_view key) {
    return const_cast<JsonValue*>(static_cast<const JsonValue*>(this)->find(key));
}

std::string JsonValue::string_or(std::string_view key, std::string fallback) const {
    const JsonValue* value = find(key);
    return value != nullptr && value->is_string() ? value->as_string() : fallback;
}

double JsonValue::number_or(std::string_view key, double fallback) const {
    const JsonValue* value = find(key);
    return value != nullptr && value->is_number() ? value->as_number() : fallback;
}

JsonValue& JsonValue::set(std::string key, JsonValue value) {
    type_ = Type::Object;
    if (JsonValue* existing = find(key)) {
        *existing = std::move(value);
    } else {
        members_.push_back({std::move(key), std::move(value)});
    }
    return *this;
}

JsonValue& JsonValue::push(JsonValue value) {
    type_ = Type::Array;
    items_.push_back(std::move(value));
    return *this;
}

bool JsonValue::operator==(const JsonValue& other) const {
    if (type_ != other.type_) {
        return false;
    }
    switch (type_) {
        case Type::Null:
            return true;
        case Type::Bool:
            return bool_ == other.bool_;
        case Type::Number:
            return number_ == other.number_;
        case Type::String:
        case Type::Written:
            return string_ == other.string_;
        case Type::Array:
            return items_ == other.items_;
        case Type::Object:
            if (members_.size() != other.members_.size()) {
                return false;
            }
            for (size_t i = 0; i < members_.size(); ++i) {
                if (members_[i].key != other.members_[i].key ||
                    members_[i].value != other.members_[i].value) {
                    return false;
                }
            }
            return true;
    }
    return false;
}

namespace {

void write_number(std::string& out, double number) {
    if (!std::isfinite(number)) {
        out += "null";  // JSON has no infinities
        return;
    }
    // Integers, as ids and positions are, without a fraction or exponent.
    if (std::fabs(number) < 9007199254740992.0 && number == std::floor(number)) {
        out += std::to_string(static_cast<int64_t>(number));
        return;
    }
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, "%.17g", number);
    out.append(buffer, static_cast<size_t>(length));
}

}  // namespace

void JsonValue::write_to(std::string& out) const {
    switch (type_) {
        case Type::Null:
            out += "null";
            break;
        case Type::Bool:
            out += bool_ ? "true" : "false";
            break;
        case Type::Number:
            write_number(out, number_);
            break;
        case Type::String:
            formats::append_json_string(out, string_);
            break;
        case Type::Written:
            out += string_;
            break;
        case Type::Array:
            out += '[';
            for (size_t i = 0; i < items_.size(); ++i) {
                if (i > 0) {
                    out += ',';
                }
                items_[i].write_to(out);
            }
            out += ']';
            break;
        case Type::Object:
            out += '{';
            for (size_t i = 0; i < members_.size(); ++i) {
                if (i > 0) {
                    out += ',';
                }
                formats::append_json_string(out, members_[i].key);
                out += ':';
                members_[i].value.write_to(out);
            }
            out += '}';
            break;
    }
}

std::string JsonValue::write() const {
    std::string out;
    write_to(out);
    return out;
}

namespace {

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    JsonParse parse() {
        JsonParse result;
        skip_blanks();
        if (!value(result.value, 0)) {
            result.error = error_;
            return result;
        }
        skip_blanks();
        if (at_ != text_.size()) {
            fail("text after the value");
            result.error = error_;
        }
        return result;
    }

  private:
    bool fail(const std::string& what) {
        if (error_.empty()) {
            error_ = what + " at byte " + std::to_string(at_);
        }
        return false;
    }

    void skip_blanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' ||
                                      text_[at_] == '\n' || text_[at_] == '\r')) {
            ++at_;
        }
    }

    bool literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) {
            return fail("a bad literal");
        }
        at_ += word.size();
        return true;
    }

    bool value(JsonValue& out, int depth) {
        if (depth > kJsonDepthLimit) {
            return fail("nesting too deep");
        }
        if (at_ >= text_.size()) {
            return fail("a value expected");
        }
        switch (text_[at_]) {
            case 'n':
                out = JsonValue();
                return literal("null");
            case 't':
                out = JsonValue(true);
                return literal("true");
            case 'f':
                out = JsonValue(false);
                return literal("false");
            case '"': {
                std::string text;
                if (!string(text)) {
                    return false;
                }
                out = JsonValue(std::move(text));
                return true;
            }
            case '[':
                return array(out, depth);
            case '{':
                return object(out, depth);
            default:
                return number(out);
        }
    }

    bool array(JsonValue& out, int depth) {
        out = JsonValue::array();
        ++at_;
        skip_blanks();
        if (at_ < text_.size() && text_[at_] == ']') {
            ++at_;
            return true;
        }
        for (;;) {
            JsonValue item;
            skip_blanks();
            if (!value(item, depth + 1)) {
                return false;
            }
            out.push(std::move(item));
            skip_blanks();
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
                continue;
            }
            if (at_ < text_.size() && text_[at_] == ']') {
                ++at_;
                return true;
            }
            return fail("',' or ']' expected");
        }
    }

    bool object(JsonValue& out, int depth) {
        out = JsonValue::object();
        ++at_;
        skip_blanks();
        if (at_ < text_.size() && text_[at_] == '}') {
            ++at_;
            return true;
        }
        for (;;) {
            skip_blanks();
            std::string key;
            if (at_ >= text_.size() || text_[at_] != '"') {
                return fail("a key expected");
            }
            if (!string(key)) {
                return false;
            }
            skip_blanks();
            if (at_ >= text_.size() || text_[at_] != ':') {
                return fail("':' expected");
            }
            ++at_;
            skip_blanks();
            JsonValue member;
            if (!value(member, depth + 1)) {
                return false;
            }
            // A repeated key: the last one counts, as most readers do.
            out.set(std::move(key), std::move(member));
            skip_blanks();
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
                continue;
            }
            if (at_ < text_.size() && text_[at_] == '}') {
                ++at_;
                return true;
            }
            return fail("',' or '}' expected");
        }
    }

    bool number(JsonValue& out) {
        const size_t start = at_;
        auto digits = [&] {
            const size_t from = at_;
            while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
                ++at_;
            }
            return at_ - from;
        };
        if (at_ < text_.size() && text_[at_] == '-') {
            ++at_;
        }
        const size_t intStart = at_;
        const size_t intDigits = digits();
        if (intDigits == 0 || (intDigits > 1 && text_[intStart] == '0')) {
            at_ = start;
            return fail("a value expected");
        }
        if (at_ < text_.size() && text_[at_] == '.') {
            ++at_;
            if (digits() == 0) {
                return fail("a bad number");
            }
        }
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) {
                ++at_;
            }
            if (digits() == 0) {
                return fail("a bad number");
            }
        }
        // strtod reads the locale's decimal point; the server never sets one.
        const std::string spelled(text_.substr(start, at_ - start));
        out = JsonValue(std::strtod(spelled.c_str(), nullptr));
        return true;
    }

    bool hex4(uint32_t& unit) {
        if (text_.size() - at_ < 4) {
            return fail("a bad \\u escape");
        }
        unit = 0;
        for (size_t k = 0; k < 4; ++k) {
            const char c = text_[at_ + k];
            uint32_t digit = 0;
            if (c >= '0' && c <= '9') {
                digit = static_cast<uint32_t>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                digit = static_cast<uint32_t>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                digit = static_cast<uint32_t>(c - 'A' + 10);
            } else {
                return fail("a bad \\u escape");
            }
            unit = unit << 4 | digit;
        }
        at_ += 4;
        return true;
    }

    bool unicode_escape(std::string& out) {
        uint32_t unit = 0;
        if (!hex4(unit)) {
            return false;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return fail("a lone low surrogate");
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            uint32_t low = 0;
            if (text_.substr(at_, 2) != "\\u" || (at_ += 2, !hex4(low)) || low < 0xDC00 ||
                low > 0xDFFF) {
                return fail("a lone high surrogate");
            }
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        char bytes[4];
        out.append(bytes, text_rules::encode_utf8(unit, bytes));
        return true;
    }

    bool escape(std::string& out) {
        ++at_;  // the backslash
        if (at_ >= text_.size()) {
            return fail("an unclosed string");
        }
        const char c = text_[at_++];
        switch (c) {
            case '"':
                out += '"';
                return true;
            case '\\':
                out += '\\';
                return true;
            case '/':
                out += '/';
                return true;
            case 'b':
                out += '\b';
                return true;
            case 'f':
                out += '\f';
                return true;
            case 'n':
                out += '\n';
                return true;
            case 'r':
                out += '\r';
                return true;
            case 't':
                out += '\t';
                return true;
            case 'u':
                return unicode_escape(out);
            default:
                --at_;
                return fail("a bad escape");
        }
    }

    bool string(std::string& out) {
        ++at_;  // the opening quote
        for (;;) {
            size_t run = at_;
            // Plain ASCII in one copy: a document's text is mostly that.
            while (at_ < text_.size()) {
                const auto byte = static_cast<unsigned char>(text_[at_]);
                if (byte == '"' || byte == '\\' || byte < 0x20 || byte >= 0x80) {
                    break;
                }
                ++at_;
            }
            out.append(text_.substr(run, at_ - run));
            if (at_ >= text_.size()) {
                return fail("an unclosed string");
            }
            const auto byte = static_cast<unsigned char>(text_[at_]);
            if (byte == '"') {
                ++at_;
                return true;
            }
            if (byte == '\\') {
                if (!escape(out)) {
                    return false;
                }
            } else if (byte < 0x20) {
                return fail("a control character in a string");
            } else {
                const text_rules::Utf8Char decoded = text_rules::decode_utf8(text_, at_);
                if (decoded.length == 0) {
                    return fail("bytes that are not UTF-8");
                }
                out.append(text_.substr(at_, decoded.length));
                at_ += decoded.length;
            }
        }
    }

    std::string_view text_;
    size_t at_ = 0;
    std::string error_;
};

}  // namespace

JsonParse parse_json(std::string_view text) {
    return Parser(text).parse();
}

}  // namespace lsp
