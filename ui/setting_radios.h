// The radio buttons of the settings window and the numbers they stand for.
#pragma once

#include <cstdint>
#include <functional>

struct RadioGroup {
    const int* ids;  // ids[n - 1] is the radio of number n
    int32_t count;
};

const RadioGroup& FrameTypeRadios();
const RadioGroup& PositionTypeRadios();

// The radio showing number; the group's first radio for a number out of range.
int RadioFor(const RadioGroup& group, int32_t number);

// The number of the checked radio, or current when none is checked.
int32_t CheckedNumber(const RadioGroup& group, const std::function<bool(int)>& isChecked,
                      int32_t current);
