// Kept for the parser, which has yet to include core/text_rules.h itself.
#pragma once

#include "core/text_rules.h"

constexpr bool cp932_is_lead_byte(unsigned char byte) {
    return text_rules::is_cp932_lead_byte(byte);
}
