#include "text/formats/frame_pieces.h"

namespace formats {

namespace {

// Code page 932's box-drawing row 0x849F..0x84BE.
constexpr uint16_t kCp932Boxes[] = {
    0x2500, 0x2502, 0x250C, 0x2510, 0x2518, 0x2514, 0x251C, 0x252C, 0x2524, 0x2534, 0x253C,
    0x2501, 0x2503, 0x250F, 0x2513, 0x251B, 0x2517, 0x2523, 0x2533, 0x252B, 0x253B, 0x254B,
    0x2520, 0x252F, 0x2528, 0x2537, 0x253F, 0x251D, 0x2530, 0x2525, 0x2538, 0x2542,
};

}  // namespace

uint32_t piece_code(std::string_view ch, TextEncoding encoding) {
    const auto lead = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 1) {
        return lead < 0x80 ? lead : kNone;
    }
    if (encoding == TextEncoding::Cp932) {
        const auto trail = static_cast<unsigned char>(ch[1]);
        const size_t index = static_cast<size_t>(trail) - 0x9F;
        return lead == 0x84 && trail >= 0x9F && index < sizeof kCp932Boxes / sizeof(uint16_t)
                   ? kCp932Boxes[index]
                   : kNone;
    }
    if (ch.size() != 3 || lead != 0xE2) {
        return kNone;
    }
    return 0x2000u | ((static_cast<unsigned char>(ch[1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(ch[2]) & 0x3Fu);
}

Piece piece_of(uint32_t code) {
    switch (code) {
        case '+':
            return Piece::Joint;
        case '-':
        case '=':
        // light, heavy, dashed and double horizontals, and the light-heavy halves
        case 0x2500:
        case 0x2501:
        case 0x2504:
        case 0x2505:
        case 0x2508:
        case 0x2509:
        case 0x254C:
        case 0x254D:
        case 0x2550:
        case 0x257C:
        case 0x257E:
            return Piece::Fill;
        case '|':
        case 0x2502:
        case 0x2503:
        case 0x2506:
        case 0x2507:
        case 0x250A:
        case 0x250B:
        case 0x254E:
        case 0x254F:
        case 0x2551:
        case 0x257D:
        case 0x257F:
            return Piece::Vertical;
        default:
            break;
    }
    const bool halfLine = code >= 0x2574 && code <= 0x257B;
    return code >= 0x250C && code <= 0x2573 && !halfLine ? Piece::Joint : Piece::Other;
}

Stroke vertical_stroke(uint32_t code) {
    switch (code) {
        case '|':
            return Stroke::Ascii;
        case 0x2502:
        case 0x2506:
        case 0x250A:
        case 0x254E:
            return Stroke::Light;
        case 0x2503:
        case 0x2507:
        case 0x250B:
        case 0x254F:
            return Stroke::Heavy;
        case 0x2551:
            return Stroke::Double;
        default:
            return Stroke::None;
    }
}

Stroke down_stroke(uint32_t code) {
    // The line down from each joint, as the character's name gives it:
    // l light, h heavy, d double, - none.
    constexpr std::string_view kSingleJoints =
        "llhhllhh--------lllhhlhhlllhhlhhllllhhhh--------lllllhhllhhlhhhh";    // U+250C..
    constexpr std::string_view kDoubleJoints = "lddldd------lddlddldd---ldd";  // U+2552..
    char line = '-';
    if (code == '+') {
        return Stroke::Ascii;
    }
    if (code >= 0x250C && code < 0x250C + kSingleJoints.size()) {
        line = kSingleJoints[code - 0x250C];
    } else if (code >= 0x2552 && code < 0x2552 + kDoubleJoints.size()) {
        line = kDoubleJoints[code - 0x2552];
    }
    return line == 'l'   ? Stroke::Light
           : line == 'h' ? Stroke::Heavy
           : line == 'd' ? Stroke::Double
                         : Stroke::None;
}

bool is_half_horizontal(uint32_t code) {
    return code == 0x2574 || code == 0x2576 || code == 0x2578 || code == 0x257A;
}

bool is_half_vertical(uint32_t code) {
    return code == 0x2575 || code == 0x2577 || code == 0x2579 || code == 0x257B;
}

bool opens_frame(uint32_t code) {
    switch (code) {
        case '+':
        case 0x250C:
        case 0x250D:
        case 0x250E:
        case 0x250F:
        case 0x2552:
        case 0x2553:
        case 0x2554:
        case 0x256D:
            return true;
        default:
            return false;
    }
}

bool closes_frame(uint32_t code) {
    switch (code) {
        case '+':
        case 0x2514:
        case 0x2515:
        case 0x2516:
        case 0x2517:
        case 0x2558:
        case 0x2559:
        case 0x255A:
        case 0x2570:
            return true;
        default:
            return false;
    }
}

}  // namespace formats
