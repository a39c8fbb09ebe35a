#include <gtest/gtest.h>

#include <string>

#include "core/frame_core.h"

namespace {
// Padding of every length the byte copies treat apart (short, 8 to 15, 16 to
// 255, and the library's run), in all three placements.
TEST(CellPlacement, PaddingOfAnyLengthIsSpaces) {
    struct Placement {
        int32_t positionType;  // body row, later column: A left, B right, C centred
        int32_t beforeOfPad(int32_t pad) const {
            return positionType == 1 ? 0 : positionType == 2 ? pad : pad / 2;
        }
    };
    for (const Placement placement : {Placement{1}, Placement{2}, Placement{3}}) {
        for (int32_t pad = 0; pad <= 300; ++pad) {
            std::string out(static_cast<size_t>(pad) + 8, '\0');
            int32_t pos = 1;
            ft_put_cell(placement.positionType, out.data(), "ab", 2, pad, 1, 1, pos);
            pos += 2;
            const int32_t before = placement.beforeOfPad(pad);
            const std::string expected = std::string(1, '\0') +
                                         std::string(static_cast<size_t>(before), ' ') + "ab" +
                                         std::string(static_cast<size_t>(pad - before), ' ');
            ASSERT_EQ(pos, 3 + pad);
            ASSERT_EQ(out.substr(0, static_cast<size_t>(pos)), expected)
                << "type " << placement.positionType << ", pad " << pad;
        }
    }
}
}  // namespace
