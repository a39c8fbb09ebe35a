#include "core/styles/box_styles.h"

#include "core/styles/box_glyphs.h"

using namespace box_glyph;

// Line pieces: first, second, later, horizontal, right end.
const BoxStyle kBoxStyles[5] = {
    {
        // type 1: everything heavy
        {kHeavyDownRight, kHeavyDownHorizontal, kHeavyDownHorizontal, kHeavyHorizontal,
         kHeavyDownLeft},
        {kHeavyVertical, kHeavyVertical, kHeavyVertical, nullptr, kHeavyVertical},
        {kHeavyVerticalRight, kHeavyCross, kHeavyCross, kHeavyHorizontal, kHeavyVerticalLeft},
        {kHeavyVerticalRight, kHeavyCross, kHeavyCross, kHeavyHorizontal, kHeavyVerticalLeft},
        {kHeavyUpRight, kHeavyUpHorizontal, kHeavyUpHorizontal, kHeavyHorizontal, kHeavyUpLeft},
    },
    {
        // type 2: everything light
        {kLightDownRight, kLightDownHorizontal, kLightDownHorizontal, kLightHorizontal,
         kLightDownLeft},
        {kLightVertical, kLightVertical, kLightVertical, nullptr, kLightVertical},
        {kLightVerticalRight, kLightCross, kLightCross, kLightHorizontal, kLightVerticalLeft},
        {kLightVerticalRight, kLightCross, kLightCross, kLightHorizontal, kLightVerticalLeft},
        {kLightUpRight, kLightUpHorizontal, kLightUpHorizontal, kLightHorizontal, kLightUpLeft},
    },
    {
        // type 3: heavy outline and header rule
        {kHeavyDownRight, kDownLightHorizontalHeavy, kDownLightHorizontalHeavy, kHeavyHorizontal,
         kHeavyDownLeft},
        {kHeavyVertical, kLightVertical, kLightVertical, nullptr, kHeavyVertical},
        {kHeavyVerticalRight, kVerticalLightHorizontalHeavy, kVerticalLightHorizontalHeavy,
         kHeavyHorizontal, kHeavyVerticalLeft},
        {kVerticalHeavyRightLight, kLightCross, kLightCross, kLightHorizontal,
         kVerticalHeavyLeftLight},
        {kHeavyUpRight, kUpLightHorizontalHeavy, kUpLightHorizontalHeavy, kHeavyHorizontal,
         kHeavyUpLeft},
    },
    {
        // type 4: heavy outline and first column line
        {kHeavyDownRight, kHeavyDownHorizontal, kDownLightHorizontalHeavy, kHeavyHorizontal,
         kHeavyDownLeft},
        {kHeavyVertical, kHeavyVertical, kLightVertical, nullptr, kHeavyVertical},
        {kVerticalHeavyRightLight, kVerticalHeavyHorizontalLight, kLightCross, kLightHorizontal,
         kVerticalHeavyLeftLight},
        {kVerticalHeavyRightLight, kVerticalHeavyHorizontalLight, kLightCross, kLightHorizontal,
         kVerticalHeavyLeftLight},
        {kHeavyUpRight, kHeavyUpHorizontal, kUpLightHorizontalHeavy, kHeavyHorizontal,
         kHeavyUpLeft},
    },
    {
        // type 5: heavy outline, header rule and first column line
        {kHeavyDownRight, kHeavyDownHorizontal, kDownLightHorizontalHeavy, kHeavyHorizontal,
         kHeavyDownLeft},
        {kHeavyVertical, kHeavyVertical, kLightVertical, nullptr, kHeavyVertical},
        {kHeavyVerticalRight, kHeavyCross, kVerticalLightHorizontalHeavy, kHeavyHorizontal,
         kHeavyVerticalLeft},
        {kVerticalHeavyRightLight, kVerticalHeavyHorizontalLight, kLightCross, kLightHorizontal,
         kVerticalHeavyLeftLight},
        {kHeavyUpRight, kHeavyUpHorizontal, kUpLightHorizontalHeavy, kHeavyHorizontal,
         kHeavyUpLeft},
    },
};
