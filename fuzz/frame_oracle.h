// What create_frame_text must give for an input, worked out without the core:
// the outcome and message from the shape of the input, and the byte length
// that the renderer reserves for a frame.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

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

// The last character of every line of every frame style in code page 932, in
// the order in which the passes rewrite their line ends.
inline constexpr std::array<std::string_view, 11> kRightBorderPasses = {
    "\x84\xAD", "\x84\xAB", "\x84\xB2", "\x84\xAE", "+",        "|",
    "\x84\xA2", "\x84\xA0", "\x84\xA7", "\x84\xA3", "\x84\xB7",
};

// The line-end rewrite as its eleven replacement passes.
std::string eleven_pass_line_ends(const std::string& frame);
