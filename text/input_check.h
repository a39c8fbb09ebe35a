// What the text layer asks of any input before reading it.
#pragma once

#include <cstdint>
#include <string_view>

#include "text/refusal.h"
#include "text/text_types.h"

// At most limit bytes, then text of its encoding after a leading byte order
// mark: no malformed sequences and no control characters but TAB, CR and LF.
Refusal check_input_text(std::string_view text, TextEncoding encoding, int64_t limit);

// Text of its encoding, as check_input_text checks it, with no limit and no
// byte order mark skipped: the refusal is placed in text.
Refusal check_text(std::string_view text, TextEncoding encoding);

// The text after a UTF-8 byte order mark; code page 932 has none.
std::string_view without_bom(std::string_view text, TextEncoding encoding);
