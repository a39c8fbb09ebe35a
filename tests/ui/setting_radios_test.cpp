#include "ui/setting_radios.h"

#include <gtest/gtest.h>

#include <set>

#include "ui/resource.h"

namespace {

TEST(RadioFor, FindsTheRadioByTheTableNotByIdOrder) {
    const struct {
        const RadioGroup& group;
        int32_t number;
        int id;
    } cases[] = {
        {FrameTypeRadios(), 1, IDC_FRAME_TYPE1},
        {FrameTypeRadios(), 2, 1008},
        {FrameTypeRadios(), 3, 1006},
        {FrameTypeRadios(), 4, 1011},
        {FrameTypeRadios(), 5, 1007},
        {FrameTypeRadios(), 6, 1012},
        {FrameTypeRadios(), 0, IDC_FRAME_TYPE1},
        {FrameTypeRadios(), 7, IDC_FRAME_TYPE1},
        {PositionTypeRadios(), 1, 1013},
        {PositionTypeRadios(), 3, 1016},
        {PositionTypeRadios(), 7, 1015},
        {PositionTypeRadios(), 8, 1018},
        {PositionTypeRadios(), 10, 1022},
        {PositionTypeRadios(), 17, 1029},
        {PositionTypeRadios(), -1, IDC_POSITION_A},
        {PositionTypeRadios(), 18, IDC_POSITION_A},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RadioFor(c.group, c.number), c.id) << c.number;
    }
}

TEST(RadioGroups, HoldEveryRadioOnce) {
    std::set<int> ids;
    for (const RadioGroup* group : {&FrameTypeRadios(), &PositionTypeRadios()}) {
        ids.insert(group->ids, group->ids + group->count);
    }
    EXPECT_EQ(ids.size(), 23u);
}

TEST(CheckedNumber, ReadsTheCheckedRadioOrKeepsTheCurrentNumber) {
    const struct {
        int checkedId;
        int32_t current;
        int32_t expected;
    } cases[] = {
        {IDC_POSITION_G, 1, 7},
        {IDC_POSITION_Q, 3, 17},
        {IDC_POSITION_A, 9, 1},
        {0, 5, 5},  // nothing checked
    };
    for (const auto& c : cases) {
        const auto isChecked = [&c](int id) { return id == c.checkedId; };
        EXPECT_EQ(CheckedNumber(PositionTypeRadios(), isChecked, c.current), c.expected)
            << c.checkedId;
    }
}

}  // namespace
