#include "text/cp932_codec.h"

#include <array>
#include <cstddef>

#include "core/text_rules.h"

namespace {

#include "text/cp932_table.inc"

constexpr size_t kTrails = 188;  // 0x40-0xFC without 0x7F
constexpr size_t kLeadCount = sizeof kCp932Leads;
constexpr uint32_t kReplacement = 0xFFFD;

struct Tables {
    std::array<uint8_t, 256> leadSlot{};  // index into kCp932Leads plus one; 0: none
    std::array<uint16_t, kLeadCount * kTrails> toUnicode{};
    std::array<uint16_t, 0x10000> toCp932{};  // 0: no code
};

int trail_index(uint8_t trail) {
    if (!text_rules::is_cp932_trail_byte(trail)) {
        return -1;
    }
    return trail - 0x40 - (trail > 0x7F ? 1 : 0);
}

uint16_t code_of(size_t lead, size_t trailIndex) {
    return static_cast<uint16_t>(lead << 8 | (0x40 + trailIndex + (trailIndex >= 0x3F ? 1 : 0)));
}

bool one_way(uint16_t code) {
    for (const auto& range : kCp932OneWay) {
        if (code >= range[0] && code <= range[1]) {
            return true;
        }
    }
    return false;
}

#ifdef ZENTAB_CP932_TABLE_FROM_CALLER
uint16_t gCallerTable[kCp932CallerTableSize];

uint16_t from_caller(uint8_t lead, size_t trail) {
    const size_t leadIndex = lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 0x1F;
    return gCallerTable[leadIndex * kTrails + trail];
}
#endif

Tables build_tables() {
    Tables tables;
    size_t at = 0;
    uint16_t previous = 0;
    for (size_t lead = 0; lead < kLeadCount; ++lead) {
        tables.leadSlot[kCp932Leads[lead]] = static_cast<uint8_t>(lead + 1);
        for (size_t trail = 0; trail < kTrails; ++trail) {
#ifdef ZENTAB_CP932_TABLE_FROM_CALLER
            (void)at;
            previous = from_caller(kCp932Leads[lead], trail);
            if (previous == 0) {
                continue;
            }
#else
            uint32_t zigzag = kCp932Deltas[at++];
            if (zigzag == 0) {
                continue;
            }
            if (zigzag >= 0xC0) {
                zigzag = ((zigzag & 0x3Fu) << 16) | (uint32_t{kCp932Deltas[at]} << 8) |
                         kCp932Deltas[at + 1];
                at += 2;
            } else if (zigzag >= 0x80) {
                zigzag = ((zigzag & 0x3Fu) << 8) | kCp932Deltas[at++];
            }
            uint32_t delta = (zigzag >> 1) ^ (0u - (zigzag & 1u));
            previous = static_cast<uint16_t>(previous + delta);
#endif
            tables.toUnicode[lead * kTrails + trail] = previous;
            uint16_t code = code_of(kCp932Leads[lead], trail);
            if (!one_way(code)) {
                tables.toCp932[previous] = code;
            }
        }
    }
    for (uint32_t unicode = 0xE000; unicode < 0xE000 + 10 * kTrails; ++unicode) {
        uint32_t offset = unicode - 0xE000;
        tables.toCp932[unicode] = code_of(0xF0 + offset / kTrails, offset % kTrails);
    }
    for (uint32_t byte = 0xA1; byte <= 0xDF; ++byte) {
        tables.toCp932[0xFF61 + byte - 0xA1] = static_cast<uint16_t>(byte);
    }
    return tables;
}

const Tables& tables() {
    static const Tables built = build_tables();
    return built;
}

void append_utf8(std::string& out, uint32_t value) {
    char bytes[4];
    out.append(bytes, text_rules::encode_utf8(value, bytes));
}

}  // namespace

#ifdef ZENTAB_CP932_TABLE_FROM_CALLER
uint16_t* cp932_caller_table() {
    return gCallerTable;
}
#endif

Cp932Encoded cp932_encode_utf8(std::string_view utf8) {
    const Tables& table = tables();
    Cp932Encoded encoded;
    encoded.bytes.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        const text_rules::Utf8Char decoded = text_rules::decode_utf8(utf8, at);
        uint16_t code = 0;
        bool known = decoded.length != 0 && decoded.codePoint < 0x10000;
        if (known) {
            code = decoded.codePoint < 0x80 ? static_cast<uint16_t>(decoded.codePoint)
                                            : table.toCp932[decoded.codePoint];
            known = decoded.codePoint < 0x80 || code != 0;
        }
        if (!known) {
            const text_rules::TextPlace place = text_rules::place_of(utf8, at, false);
            encoded.bytes.clear();
            encoded.ok = false;
            encoded.invalidUtf8 = decoded.length == 0;
            encoded.line = place.line;
            encoded.column = place.column;
            encoded.codePoint = decoded.codePoint;
            return encoded;
        }
        if (code > 0xFF) {
            encoded.bytes += static_cast<char>(code >> 8);
        }
        encoded.bytes += static_cast<char>(code & 0xFF);
        at += decoded.length;
    }
    return encoded;
}

Cp932Char cp932_decode_char(std::string_view cp932, size_t at) {
    const auto byte = static_cast<uint8_t>(cp932[at]);
    if (byte < 0x80) {
        return {byte, 1};
    }
    if (text_rules::is_cp932_single(byte)) {
        return {0xFF61u + byte - 0xA1, 1};
    }
    const int trail = at + 1 < cp932.size() ? trail_index(static_cast<uint8_t>(cp932[at + 1])) : -1;
    if (!text_rules::is_cp932_lead_byte(byte) || trail < 0) {
        // A lead byte before a byte that cannot trail it stands alone.
        return {kReplacement, 1};
    }
    if (byte >= 0xF0 && byte <= 0xF9) {
        return {
            static_cast<uint32_t>(0xE000u + (byte - 0xF0u) * kTrails + static_cast<size_t>(trail)),
            2};
    }
    const Tables& table = tables();
    if (table.leadSlot[byte] == 0) {
        return {kReplacement, 2};
    }
    const uint16_t found =
        table.toUnicode[(table.leadSlot[byte] - 1u) * kTrails + static_cast<size_t>(trail)];
    return {found != 0 ? found : kReplacement, 2};
}

std::string cp932_decode_to_utf8(std::string_view cp932) {
    std::string utf8;
    utf8.reserve(cp932.size() * 3 / 2);
    for (size_t at = 0; at < cp932.size();) {
        const Cp932Char decoded = cp932_decode_char(cp932, at);
        append_utf8(utf8, decoded.codePoint);
        at += decoded.length;
    }
    return utf8;
}
