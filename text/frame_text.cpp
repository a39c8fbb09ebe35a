#include "text/frame_text.h"

FrameOutcome frame_text(const FrameRequest&) {
    FrameOutcome outcome;
    outcome.refusal.kind = RefusalKind::NoCells;
    return outcome;
}

std::string describe_refusal(const Refusal&) {
    return "no cells in the input";
}
