// What a zentab_options holds: the request every conversion starts from.
// Inside the library only, and for tests that check what the setters set.
#pragma once

#include "text/frame_text.h"

struct zentab_options {
    FrameRequest request;
    bool positionGiven = false;
    // What request.titles views, set by each conversion.
    std::string title;
    std::string footer;
};
