#include <gtest/gtest.h>

#include "winfx/placement.h"

namespace {

struct Case {
    const char* name;
    RECT window, area, work;
    LONG left, top;
};

TEST(WinfxPlacement, CentresOverTheAreaWithinTheWorkArea) {
    const RECT primary{0, 0, 1920, 1040};
    const RECT right{1920, 0, 3840, 1040};
    const RECT left{-1600, 200, 0, 1100};
    const Case cases[] = {
        {"over a window on the primary monitor",
         {0, 0, 400, 100},
         {100, 100, 900, 700},
         primary,
         300,
         350},
        // The About box must stay on the main window's monitor.
        {"over a window on a monitor to the right",
         {0, 0, 400, 100},
         {2500, 100, 3300, 700},
         right,
         2700,
         350},
        {"over a window on a monitor to the left",
         {0, 0, 400, 100},
         {-1200, 300, -400, 900},
         left,
         -1000,
         550},
        {"pushed in at the right edge", {0, 0, 400, 100}, {3700, 100, 3800, 200}, right, 3440, 100},
        {"pushed in at the left edge",
         {0, 0, 400, 100},
         {-1600, 300, -1500, 400},
         left,
         -1600,
         300},
        {"larger than the work area keeps its top-left corner on it",
         {0, 0, 2500, 1200},
         {2500, 100, 3300, 700},
         right,
         1920,
         0},
        {"on the screen, no owner", {0, 0, 600, 400}, primary, primary, 660, 320},
    };
    for (const Case& c : cases) {
        const RECT placed = winfx::CentredWithin(c.window, c.area, c.work);
        EXPECT_EQ(placed.left, c.left) << c.name;
        EXPECT_EQ(placed.top, c.top) << c.name;
        EXPECT_EQ(placed.right - placed.left, c.window.right - c.window.left) << c.name;
        EXPECT_EQ(placed.bottom - placed.top, c.window.bottom - c.window.top) << c.name;
    }
}

}  // namespace
