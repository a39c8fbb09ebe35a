// What COPY TO CLIPBOARD puts on the clipboard for a Shift-JIS text: the
// bytes themselves as CF_TEXT, the same text as CF_UNICODETEXT, and the
// Japanese locale, so that every program pastes the same characters.
#pragma once

#include <string>
#include <vector>

#include "winfx/clipboard.h"

std::vector<winfx::ClipboardItem> ClipboardPayload(const std::string& shiftJisText);
