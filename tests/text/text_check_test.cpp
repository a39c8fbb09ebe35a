// The input check against the one decoder: its fast paths may skip decoding,
// never change a verdict.
#include "text/text_check.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text_rules.h"

namespace {

bool decoder_accepts(const std::string& text) {
    const text_rules::Utf8Char c = text_rules::decode_utf8(text, 0);
    const bool control = c.codePoint < 0x20 || (c.codePoint >= 0x7F && c.codePoint <= 0x9F);
    return c.length == text.size() && !control;
}

TEST(TextCheck, EveryTwoAndThreeByteSequenceAsTheDecoderSays) {
    for (int lead = 0xC0; lead <= 0xEF; ++lead) {
        for (int second = 0x00; second <= 0xFF; second += 3) {
            for (int third = 0x70; third <= 0xC0; ++third) {
                std::string text{static_cast<char>(lead), static_cast<char>(second)};
                if (lead >= 0xE0) {
                    text += static_cast<char>(third);
                } else if (third > 0x70) {
                    break;
                }
                // Padded to a word, so the eight-byte path is tried as well.
                const bool accepted = check_utf8_text(text + "abcdefgh").fault == TextFault::None;
                EXPECT_EQ(accepted, decoder_accepts(text)) << lead << " " << second << " " << third;
            }
        }
    }
}

}  // namespace
