#include "cli/lsp/json_value.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using lsp::JsonValue;
using lsp::parse_json;

struct StringCase {
    const char* json;
    std::string text;
};

TEST(JsonValue, ReadsEscapesAndSurrogatePairs) {
    const StringCase cases[] = {
        {R"("plain")", "plain"},
        {R"("\"\\\/\b\f\n\r\t")", "\"\\/\b\f\n\r\t"},
        {R"("\u00e9")", "\xC3\xA9"},                        // é
        {R"("\u6F22\u5b57")", "\xE6\xBC\xA2\xE5\xAD\x97"},  // 漢字, either case of hex
        {R"("\ud83d\ude00")", "\xF0\x9F\x98\x80"},          // 😀 from its pair
        {"\"\xF0\x9F\x98\x80 raw\"", "\xF0\x9F\x98\x80 raw"},
        {R"("\u0000")", std::string(1, '\0')},
    };
    for (const StringCase& c : cases) {
        const lsp::JsonParse parsed = parse_json(c.json);
        ASSERT_TRUE(parsed.ok()) << c.json << ": " << parsed.error;
        EXPECT_EQ(parsed.value.as_string(), c.text) << c.json;
    }
}

TEST(JsonValue, RefusesWhatIsNotJson) {
    const char* const cases[] = {
        "",
        "{",
        "[1,]",
        "{\"a\" 1}",
        "{\"a\":1,}",
        "01",
        "1.",
        "-",
        "1e",
        "tru",
        "nul",
        "\"open",
        "\"\\x\"",
        "\"\\u12\"",
        "\"\\ud83d\"",         // a high surrogate alone
        "\"\\ud83d\\u0041\"",  // followed by no low one
        "\"\\ude00\"",         // a low surrogate alone
        "\"tab\there\"",       // a raw control character
        "\"\xC3\"",            // UTF-8 cut short
        "\"\xC0\xAF\"",        // overlong
        "\"\xED\xA0\x80\"",    // a surrogate in UTF-8
        "\"\xFF\"",
        "1 2",
        "{} x",
    };
    for (const char* text : cases) {
        EXPECT_FALSE(parse_json(text).ok()) << text;
    }
}

TEST(JsonValue, RefusesNestingPastTheLimit) {
    const std::string deep(static_cast<size_t>(lsp::kJsonDepthLimit) + 2, '[');
    EXPECT_FALSE(parse_json(deep + std::string(deep.size(), ']')).ok());
    const std::string fine(100, '[');
    EXPECT_TRUE(parse_json(fine + std::string(fine.size(), ']')).ok());
}

TEST(JsonValue, NumbersAsTheProtocolSendsThem) {
    const std::pair<const char*, double> cases[] = {
        {"0", 0},     {"-7", -7},    {"2147483648", 2147483648.0},
        {"1.5", 1.5}, {"1e3", 1000}, {"-2.5E-1", -0.25},
    };
    for (const auto& [text, number] : cases) {
        const lsp::JsonParse parsed = parse_json(text);
        ASSERT_TRUE(parsed.ok()) << text;
        EXPECT_EQ(parsed.value.as_number(), number) << text;
    }
    EXPECT_EQ(JsonValue(42).write(), "42");
    EXPECT_EQ(JsonValue(-3).write(), "-3");
    EXPECT_EQ(JsonValue(0.5).write(), "0.5");
}

// A random value of every type, written and read back, is itself.
JsonValue random_value(std::mt19937_64& random, int depth) {
    const char* const pieces[] = {"a",    "\"",       "\\",           "\n",
                                  "\x01", "\xC3\xA9", "\xE6\xBC\xA2", "\xF0\x9F\x98\x80",
                                  "/",    " ",        "\x7F"};
    switch (depth > 3 ? random() % 4 : random() % 6) {
        case 0:
            return JsonValue();
        case 1:
            return JsonValue(random() % 2 == 0);
        case 2:
            return JsonValue(static_cast<int64_t>(random() % 2000000) - 1000000);
        case 3: {
            std::string text;
            for (size_t n = random() % 8; n > 0; --n) {
                text += pieces[random() % std::size(pieces)];
            }
            return JsonValue(text);
        }
        case 4: {
            JsonValue array = JsonValue::array();
            for (size_t n = random() % 4; n > 0; --n) {
                array.push(random_value(random, depth + 1));
            }
            return array;
        }
        default: {
            JsonValue object = JsonValue::object();
            for (size_t n = random() % 4; n > 0; --n) {
                object.set(
                    "k" + std::to_string(random() % 5) + pieces[random() % std::size(pieces)],
                    random_value(random, depth + 1));
            }
            return object;
        }
    }
}

TEST(JsonValue, WritesWhatItReadsBack) {
    std::mt19937_64 random(28);
    for (int round = 0; round < 2000; ++round) {
        const JsonValue value = random_value(random, 0);
        const std::string written = value.write();
        const lsp::JsonParse parsed = parse_json(written);
        ASSERT_TRUE(parsed.ok()) << written << ": " << parsed.error;
        EXPECT_EQ(parsed.value, value) << written;
    }
}

TEST(JsonValue, FindsMembersAndTakesStrings) {
    lsp::JsonParse parsed = parse_json(R"({"a":{"b":"text"},"n":3,"a2":[]})");
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed.value.find("a")->string_or("b", ""), "text");
    EXPECT_EQ(parsed.value.number_or("n", 0), 3);
    EXPECT_EQ(parsed.value.number_or("a", -1), -1);  // not a number
    EXPECT_EQ(parsed.value.find("missing"), nullptr);
    EXPECT_EQ(parsed.value.find("n")->find("x"), nullptr);  // not an object
    EXPECT_EQ(parsed.value.find("a")->find("b")->take_string(), "text");
}

}  // namespace

namespace {

TEST(JsonValue, WrittenJsonGoesOutAsItIs) {
    const JsonValue message =
        JsonValue::object().set("result", JsonValue::written(R"([{"a":1}])")).set("id", 2);
    EXPECT_EQ(message.write(), R"({"result":[{"a":1}],"id":2})");
}

}  // namespace
