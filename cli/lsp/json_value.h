// A JSON value for the language server's messages: parsed from and written
// to UTF-8 text. Objects keep their members in order; numbers are doubles,
// which hold every integer the protocol sends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lsp {

struct JsonMember;

class JsonValue {
  public:
    enum class Type : uint8_t { Null, Bool, Number, String, Array, Object, Written };

    JsonValue() = default;
    JsonValue(std::nullptr_t) {}
    JsonValue(bool value) : type_(Type::Bool), bool_(value) {}
    JsonValue(double value) : type_(Type::Number), number_(value) {}
    JsonValue(int value) : JsonValue(static_cast<double>(value)) {}
    JsonValue(int64_t value) : JsonValue(static_cast<double>(value)) {}
    JsonValue(size_t value) : JsonValue(static_cast<double>(value)) {}
    JsonValue(std::string value) : type_(Type::String), string_(std::move(value)) {}
    JsonValue(std::string_view value) : JsonValue(std::string(value)) {}
    JsonValue(const char* value) : JsonValue(std::string(value)) {}

    static JsonValue array();
    static JsonValue object();
    // JSON text written already, put out as it is: a long list of edits
    // costs its text and not a tree of values.
    static JsonValue written(std::string json);

    Type type() const { return type_; }
    bool is_null() const { return type_ == Type::Null; }
    bool is_bool() const { return type_ == Type::Bool; }
    bool is_number() const { return type_ == Type::Number; }
    bool is_string() const { return type_ == Type::String; }
    bool is_array() const { return type_ == Type::Array; }
    bool is_object() const { return type_ == Type::Object; }

    bool as_bool() const { return bool_; }
    double as_number() const { return number_; }
    const std::string& as_string() const { return string_; }
    // The string moved out, so that a large text is held once.
    std::string take_string() { return std::move(string_); }
    const std::vector<JsonValue>& items() const { return items_; }
    const std::vector<JsonMember>& members() const;

    // The member named key of an object; null for anything else.
    const JsonValue* find(std::string_view key) const;
    JsonValue* find(std::string_view key);
    // find's value when it is of that type, else the fallback.
    std::string string_or(std::string_view key, std::string fallback) const;
    double number_or(std::string_view key, double fallback) const;

    // Adds or replaces a member; returns *this for chaining.
    JsonValue& set(std::string key, JsonValue value);
    JsonValue& push(JsonValue value);

    std::string write() const;
    void write_to(std::string& out) const;

    bool operator==(const JsonValue& other) const;
    bool operator!=(const JsonValue& other) const { return !(*this == other); }

  private:
    Type type_ = Type::Null;
    bool bool_ = false;
    double number_ = 0;
    std::string string_;
    std::vector<JsonValue> items_;
    std::vector<JsonMember> members_;
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

struct JsonParse {
    JsonValue value;
    std::string error;  // empty when the text was one JSON value

    bool ok() const { return error.empty(); }
};

// Strict JSON (RFC 8259): UTF-8 only, escapes and surrogate pairs checked,
// nesting at most kJsonDepthLimit deep.
JsonParse parse_json(std::string_view text);

constexpr int kJsonDepthLimit = 512;

}  // namespace lsp
