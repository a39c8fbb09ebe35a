// The words of refusals: every kind has its own, wherever its words live, and
// numbers read as std::to_string writes them.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "text/refusal.h"

namespace {

constexpr int kLastKind = static_cast<int>(RefusalKind::NoSuchColumn);

TEST(RefusalWords, EveryKindHasWordsOfItsOwn) {
    for (int kind = 0; kind <= kLastKind; ++kind) {
        Refusal refusal = refusal_of(static_cast<RefusalKind>(kind));
        refusal.found = 2;
        refusal.limit = 1;
        const std::string words = describe_refusal(refusal);
        EXPECT_NE(words, "refused") << "kind " << kind;
        EXPECT_FALSE(words.empty()) << "kind " << kind;
    }
}

// Numbers of every size and sign, in each place a refusal shows them, against
// the words built with std::to_string.
TEST(RefusalWords, NumbersReadAsToStringWritesThem) {
    const int64_t lowest = std::numeric_limits<int64_t>::min();
    const int64_t highest = std::numeric_limits<int64_t>::max();
    std::vector<int64_t> numbers = {0, 1, -1, 9, 10, 99, 100, -10, 1000000007, lowest, highest};
    std::mt19937_64 random(7);
    for (int i = 0; i < 200; ++i) {
        const int digits = static_cast<int>(random() % 19);
        int64_t n = static_cast<int64_t>(random() >> (63 - 3 * digits));
        numbers.push_back(random() % 2 == 0 ? n : -n);
    }
    using std::to_string;
    for (const int64_t n : numbers) {
        for (const int64_t m : {int64_t{0}, n / 3, lowest}) {
            Refusal refusal = refusal_of(RefusalKind::FrameTooLarge);
            refusal.found = n;
            refusal.limit = m;
            EXPECT_EQ(describe_refusal(refusal), "the frame would be " + to_string(n) +
                                                     " bytes; the limit is " + to_string(m));
            refusal = refusal_of(RefusalKind::BadLayout);
            refusal.found = n;
            refusal.line = m == 0 ? 1 : m;
            refusal.column = n;
            EXPECT_EQ(describe_refusal(refusal),
                      "line " + to_string(refusal.line) + ", column " + to_string(n) +
                          ": a width, cell width or padding cannot be negative (" + to_string(n) +
                          ")");
        }
    }
}

}  // namespace
