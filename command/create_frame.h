// The create-frame pipeline: INPUT text in, frame text or a message out.
#pragma once

#include <cstdint>
#include <string>

#include "core/frame_core.h"

enum CreateFrameOutcome {
    CF_NONE,     // nothing more to show
    CF_MESSAGE,  // resultText is a message for the user
    CF_FRAME,    // resultText is the new OUTPUT text
};

struct CreateFrameResult {
    std::string convertedInput;  // the input after tab conversion
    CreateFrameOutcome outcome = CF_NONE;
    std::string resultText;
    // What lies behind "internal error": the render's result, and the
    // frame's size without its terminator once it was measured.
    int renderResult = FT_OK;
    int64_t frameBytes = 0;
};

constexpr size_t CF_INPUT_LIMIT = 4096;      // bytes of converted text that are parsed
constexpr int32_t CF_FRAME_BUFFER = 102400;  // output buffer, terminator included

CreateFrameResult create_frame_text(const std::string& input, int32_t frameType,
                                    int32_t positionType);
