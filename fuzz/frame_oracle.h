// What create_frame_text must give for an input, worked out without the core:
// the outcome and message from the shape of the input, and the byte length
// that the renderer reserves for a frame.
#pragma once

#include <cstdint>
#include <string>

#include "command/create_frame.h"

struct ExpectedFrame {
    std::string convertedInput;
    CreateFrameOutcome outcome = CF_NONE;
    std::string message;     // for CF_MESSAGE
    int64_t frameBytes = 0;  // for CF_FRAME: the need, without CRs
    int64_t frameLines = 0;  // for CF_FRAME: 2 x rows + 1
};

ExpectedFrame expect_frame(const std::string& input, int32_t frameType, int32_t positionType);

// The tab conversion as its four replacement steps.
std::string four_step_tab_conversion(const std::string& text);

// The line-end rewrite as its eleven replacement passes.
std::string eleven_pass_line_ends(const std::string& frame);
