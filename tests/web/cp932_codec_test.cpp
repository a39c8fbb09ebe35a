// The page's code page 932 codec against glibc's iconv, and where it refuses.
#include "text/cp932_codec.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

std::string utf8_of(uint32_t value) {
    std::string out;
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | value >> 6);
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | value >> 12);
        out += static_cast<char>(0x80 | (value >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | value >> 18);
        out += static_cast<char>(0x80 | (value >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (value >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
    return out;
}

class Iconv {
  public:
    Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Iconv() { iconv_close(handle_); }

    // The whole of input converted, or false.
    bool convert(std::string input, std::string& output) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char buffer[32];
        char* in = input.data();
        size_t inLeft = input.size();
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        bool ok = iconv(handle_, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1);
        output.assign(buffer, out);
        return ok && inLeft == 0;
    }

  private:
    iconv_t handle_;
};

TEST(Cp932Codec, EncodesEveryBmpCharacterAsIconvDoes) {
    Iconv toCp932("CP932", "UTF-8");
    // glibc also writes these, which the charmap has no code for, as look-alikes.
    const std::set<uint32_t> iconvOnly = {0xA2,   0xA3,   0xA5,   0xAC,  0x2014,
                                          0x2016, 0x203E, 0x2212, 0x301C};
    std::set<uint32_t> refusedButIconvWrites;
    int encoded = 0;
    for (uint32_t value = 1; value < 0x10000; ++value) {
        if (value >= 0xD800 && value <= 0xDFFF) {
            continue;
        }
        std::string expected;
        bool iconvOk = toCp932.convert(utf8_of(value), expected);
        Cp932Encoded ours = cp932_encode_utf8(utf8_of(value));
        if (ours.ok) {
            ++encoded;
            ASSERT_TRUE(iconvOk) << std::hex << value;
            ASSERT_EQ(ours.bytes, expected) << std::hex << value;
        } else if (iconvOk) {
            refusedButIconvWrites.insert(value);
        }
    }
    EXPECT_EQ(refusedButIconvWrites, iconvOnly);
    EXPECT_EQ(encoded, 9396);  // the charmap's two-way entries but NUL
}

TEST(Cp932Codec, DecodesEveryCodeAsIconvDoes) {
    Iconv toUtf8("UTF-8", "CP932");
    for (uint32_t code = 0; code < 0x10000; ++code) {
        std::string bytes;
        if (code > 0xFF) {
            bytes += static_cast<char>(code >> 8);
        }
        bytes += static_cast<char>(code & 0xFF);
        std::string expected;
        if (toUtf8.convert(bytes, expected)) {
            ASSERT_EQ(cp932_decode_to_utf8(bytes), expected) << std::hex << code;
        }
    }
}

TEST(Cp932Codec, OneWayCodesReadAsTheCharacterWrittenElsewhere) {
    struct Case {
        std::string code;
        uint32_t value;
        std::string writtenAs;
    };
    const std::vector<Case> cases = {
        {"\xED\x40", 0x7E8A, "\xFA\x5C"},  // NEC-selected IBM extension, kanji
        {"\xEE\xEF", 0x2170, "\xFA\x40"},  // small roman numeral one
        {"\xFA\x4A", 0x2160, "\x87\x54"},  // roman numeral one: the NEC row wins
        {"\xFA\x54", 0xFFE2, "\x81\xCA"},  // not sign: JIS X 0208 wins
        {"\x87\x9A", 0x2235, "\x81\xE6"},  // because
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp932_decode_to_utf8(c.code), utf8_of(c.value));
        EXPECT_EQ(cp932_encode_utf8(utf8_of(c.value)).bytes, c.writtenAs);
    }
}

TEST(Cp932Codec, UndefinedBytesBecomeReplacementCharacters) {
    const std::string kReplacement = "\xEF\xBF\xBD";
    struct Case {
        std::string bytes;
        std::string utf8;
    };
    const std::vector<Case> cases = {
        {"\x80", kReplacement},
        {"\xA0", kReplacement},
        {"\xFD\xFE\xFF", kReplacement + kReplacement + kReplacement},
        {"a\x81", "a" + kReplacement},                            // lead byte at the end
        {"\x81 b", kReplacement + " b"},                          // the byte after is read afresh
        {"\x85\x40", kReplacement},                               // a lead with no characters
        {"\xF0\x40\xF9\xFC", utf8_of(0xE000) + utf8_of(0xE757)},  // user-defined area
        {"\xB1\x5C\x7E", utf8_of(0xFF71) + "\\~"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp932_decode_to_utf8(c.bytes), c.utf8) << c.bytes;
    }
}

TEST(Cp932Codec, RefusesWithLineAndColumnInCharacters) {
    struct Case {
        std::string utf8;
        bool invalidUtf8;
        int64_t line;
        int64_t column;
        uint32_t codePoint;
    };
    const std::vector<Case> cases = {
        {"A|B\nC|\xC3\xA9", false, 2, 3, 0xE9},
        {"A\r\nB\rC\xC3\xA9", false, 3, 2, 0xE9},     // CR LF is one line end, CR alone one
        {"\xE6\xBC\xA2\xC3\xA9", false, 1, 2, 0xE9},  // after a two-byte character
        {"x\xF0\x9F\x98\x80", false, 1, 2, 0x1F600},
        {"\n\n\xE3\x80\x9C", false, 3, 1, 0x301C},
        {"a\xC0\x80", true, 1, 2, 0xC0},         // overlong
        {"\xED\xA0\x80", true, 1, 1, 0xED},      // surrogate
        {"\xF4\x90\x80\x80", true, 1, 1, 0xF4},  // past U+10FFFF
        {"ab\xE3\x81", true, 1, 3, 0xE3},        // cut short
        {"\x80", true, 1, 1, 0x80},              // lone continuation byte
    };
    for (const Case& c : cases) {
        Cp932Encoded encoded = cp932_encode_utf8(c.utf8);
        EXPECT_FALSE(encoded.ok) << c.utf8;
        EXPECT_TRUE(encoded.bytes.empty());
        EXPECT_EQ(encoded.invalidUtf8, c.invalidUtf8) << c.utf8;
        EXPECT_EQ(encoded.line, c.line) << c.utf8;
        EXPECT_EQ(encoded.column, c.column) << c.utf8;
        // Invalid UTF-8: the first byte, which the refusal names as the command's does.
        EXPECT_EQ(encoded.codePoint, c.codePoint) << c.utf8;
    }
}

TEST(Cp932Codec, TextThatItHoldsRoundTrips) {
    const std::string text = "品名\t数量\r\nｶﾀｶﾅ|①─±§Ж※\n\xEE\x80\x80|\\~";
    Cp932Encoded encoded = cp932_encode_utf8(text);
    ASSERT_TRUE(encoded.ok);
    EXPECT_EQ(cp932_decode_to_utf8(encoded.bytes), text);
}

}  // namespace
