// Both kernels against a byte at a time, on random bytes weighted to the
// ones they look for: blocks, 64-byte masks, comparisons and target scans.
#include "core/byte_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <type_traits>
#include <vector>

namespace {

constexpr unsigned char kAlphabet[] = {'a',  ' ',  '|',  ',',  '"',  '\t',
                                       '\n', 0x7F, 0x1F, 0x80, 0xE3, 'z',
                                       '~',  0xFF, 0xA0};

std::vector<unsigned char> random_bytes(std::mt19937& random, size_t count) {
    std::vector<unsigned char> bytes(count);
    for (unsigned char& byte : bytes) {
        byte = random() % 3 == 0 ? static_cast<unsigned char>(random())
                                 : kAlphabet[random() % sizeof kAlphabet];
    }
    return bytes;
}

bool printable(unsigned char byte) {
    return byte >= 0x20 && byte < 0x7F;
}

// A kernel's mask of the bytes set.
template <typename K>
uint64_t mask_of(const std::vector<bool>& set) {
    uint64_t mask = 0;
    for (size_t k = 0; k < set.size(); ++k) {
        // A byte's bit is the highest of those bytes_below gives it.
        const uint64_t byte = K::bytes_below(k + 1) & ~K::bytes_below(k);
        mask |= set[k] ? byte & ~(byte >> 1) : 0;
    }
    return mask;
}

// A run of separators and printable bytes other than two stops: exact with
// SSE2; the portable kernel may end it early past a separator that is not
// printable (TAB), never before one.
template <typename K>
void expect_run_agrees(const std::vector<unsigned char>& bytes, char stop) {
    for (const char separator : {',', '\t', '|'}) {
        if (separator == stop) {
            continue;  // never asked: a separator is not a stop
        }
        const byte_blocks::Run run = K::run_at(bytes.data(), separator, stop, '"');
        auto taken = [&](unsigned char b) {
            return b == static_cast<unsigned char>(separator) ||
                   (printable(b) && b != '"' && b != static_cast<unsigned char>(stop));
        };
        size_t exact = 0;
        while (exact < K::kBlockBytes && taken(bytes[exact])) {
            ++exact;
        }
        size_t sure = 0;
        while (sure < exact && printable(bytes[sure])) {
            ++sure;
        }
        ASSERT_LE(run.plain, exact);
        const bool exactRun = !std::is_same<K, byte_blocks::WordKernel>::value;
        ASSERT_GE(run.plain, exactRun ? exact : std::min(exact, sure + 1));
        std::vector<bool> separators(run.plain);
        for (size_t k = 0; k < run.plain; ++k) {
            separators[k] = bytes[k] == static_cast<unsigned char>(separator);
        }
        ASSERT_EQ(run.separators, mask_of<K>(separators));
    }
}

template <typename K>
void expect_blocks_agree(std::mt19937& random) {
    for (int round = 0; round < 2000; ++round) {
        const std::vector<unsigned char> bytes = random_bytes(random, 64);
        const char stop = static_cast<char>(kAlphabet[random() % sizeof kAlphabet]);
        const byte_blocks::Block block = K::block_at(bytes.data(), stop, '"');
        size_t plain = 0;
        while (plain < K::kBlockBytes && printable(bytes[plain]) && bytes[plain] != '"' &&
               bytes[plain] != static_cast<unsigned char>(stop)) {
            ++plain;
        }
        ASSERT_EQ(block.plain, plain);
        std::vector<bool> bars(plain);
        std::vector<bool> solid(plain);
        for (size_t k = 0; k < plain; ++k) {
            bars[k] = bytes[k] == '|';
            solid[k] = bytes[k] != ' ';
        }
        ASSERT_EQ(block.bars, mask_of<K>(bars));
        ASSERT_EQ(block.solid, mask_of<K>(solid));
        if (block.solid != 0) {
            size_t first = 0;
            while (!solid[first]) {
                ++first;
            }
            size_t last = plain;
            while (!solid[last - 1]) {
                --last;
            }
            ASSERT_EQ(K::byte_index(block.solid), first);
            ASSERT_EQ(K::past_highest(block.solid), last);
        }
        expect_run_agrees<K>(bytes, stop);
    }
}

template <typename K>
void expect_scans_agree(std::mt19937& random) {
    for (int round = 0; round < 2000; ++round) {
        const std::vector<unsigned char> bytes = random_bytes(random, random() % 150);
        const char* line = reinterpret_cast<const char*>(bytes.data());
        const auto length = static_cast<int32_t>(bytes.size());
        const bool high = random() % 2 == 0;
        auto is_target = [&](int32_t at) {
            return bytes[static_cast<size_t>(at)] == '|' ||
                   bytes[static_cast<size_t>(at)] == '\t' ||
                   (high && bytes[static_cast<size_t>(at)] >= 0x80);
        };
        byte_blocks::BasicTargetScanner<K> scanner(line, length, '|', '\t', high);
        for (int32_t from = 0; from < length;) {
            int32_t expected = from;
            while (expected < length && !is_target(expected)) {
                ++expected;
            }
            ASSERT_EQ(scanner.next(from), expected);
            ASSERT_EQ(byte_blocks::next_target<K>(line, from, length, {'|', '\t', high}), expected);
            from = expected + 1 + static_cast<int32_t>(random() % 3);
        }
    }
}

TEST(ByteBlocks, PortableKernelMatchesBytes) {
    std::mt19937 random(7);
    expect_blocks_agree<byte_blocks::WordKernel>(random);
    expect_scans_agree<byte_blocks::WordKernel>(random);
}

TEST(ByteBlocks, BuiltInKernelMatchesBytes) {
    std::mt19937 random(11);
    expect_blocks_agree<byte_blocks::Kernel>(random);
    expect_scans_agree<byte_blocks::Kernel>(random);
}

}  // namespace
