// Lead bytes of code page 932: the byte after one belongs to the same
// character, and is never a separator or the start of a match. Fixed here
// rather than asked of the C library, so no locale can change them.
#pragma once

constexpr bool cp932_is_lead_byte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
