#include "ui/setting_radios.h"

#include "ui/resource.h"

namespace {

constexpr int kFrameIds[] = {IDC_FRAME_TYPE1, IDC_FRAME_TYPE2, IDC_FRAME_TYPE3,
                             IDC_FRAME_TYPE4, IDC_FRAME_TYPE5, IDC_FRAME_TYPE6};

constexpr int kPositionIds[] = {
    IDC_POSITION_A, IDC_POSITION_B, IDC_POSITION_C, IDC_POSITION_D, IDC_POSITION_E, IDC_POSITION_F,
    IDC_POSITION_G, IDC_POSITION_H, IDC_POSITION_I, IDC_POSITION_J, IDC_POSITION_K, IDC_POSITION_L,
    IDC_POSITION_M, IDC_POSITION_N, IDC_POSITION_O, IDC_POSITION_P, IDC_POSITION_Q};

}  // namespace

const RadioGroup& FrameTypeRadios() {
    static const RadioGroup group{kFrameIds, 6};
    return group;
}

const RadioGroup& PositionTypeRadios() {
    static const RadioGroup group{kPositionIds, 17};
    return group;
}

int RadioFor(const RadioGroup& group, int32_t number) {
    if (number < 1 || number > group.count) {
        return group.ids[0];
    }
    return group.ids[number - 1];
}

int32_t CheckedNumber(const RadioGroup& group, const std::function<bool(int)>& isChecked,
                      int32_t current) {
    for (int32_t number = 1; number <= group.count; ++number) {
        if (isChecked(group.ids[number - 1])) {
            return number;
        }
    }
    return current;
}
