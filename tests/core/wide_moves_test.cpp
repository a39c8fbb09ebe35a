// Cells are drawn with whole-block moves wherever the frame goes on long
// enough after them, and with exact moves near its end: on random tables of
// every shape and look, both ways give the same frame. The text and the
// frame each get a block of their exact size, so a sanitizer build sees any
// move that reaches past either.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/frame_core.h"
#include "core/styles/frame_drawing.h"

namespace {
struct Drawn {
    std::unique_ptr<char[]> block;
    int64_t bytes = -1;
};

char* reserve_exact(int64_t bytes, void* context) {
    auto* drawn = static_cast<Drawn*>(context);
    drawn->block = std::make_unique<char[]>(static_cast<size_t>(bytes) + 1);
    drawn->bytes = bytes;
    return drawn->block.get();
}

std::string draw(const TableView& view, int32_t frameType, int32_t positionType, const FtLook& look,
                 bool wide) {
    ft_allow_wide_moves(wide);
    Drawn drawn;
    const int result = ft_render_table(view, frameType, positionType, look, reserve_exact, &drawn);
    ft_allow_wide_moves(true);
    EXPECT_EQ(result, FT_OK);
    return result == FT_OK ? std::string(drawn.block.get(), static_cast<size_t>(drawn.bytes))
                           : std::string();
}

TEST(WideMoves, RandomTablesDrawAsWithExactMoves) {
    std::mt19937 random(20261208);
    const FtPlacement kPlacements[] = {FT_LEFT, FT_RIGHT, FT_CENTRE};
    for (int round = 0; round < 4000; ++round) {
        const int32_t rows = 1 + static_cast<int32_t>(random() % 6);
        const int32_t columns = 1 + static_cast<int32_t>(random() % 5);
        const bool wideCells = random() % 4 == 0;  // long cells, many blocks each
        // Cells lie in the text in order, some of them empty, the last one
        // ending exactly at the text's end.
        std::vector<CellSpan> cells;
        int32_t extent = 0;
        for (int32_t k = 0; k < rows * columns; ++k) {
            const int32_t length = static_cast<int32_t>(random() % (wideCells ? 40 : 7));
            // Bytes past columns, as UTF-8 has; never fewer columns than none.
            const int32_t width = length - static_cast<int32_t>(random() % static_cast<uint32_t>(length / 2 + 1));
            cells.push_back(CellSpan{extent, length, width});
            extent += length;
        }
        auto text = std::make_unique<char[]>(static_cast<size_t>(extent) + 1);
        for (size_t k = 0; k < static_cast<size_t>(extent); ++k) {
            text[k] = static_cast<char>('a' + random() % 26);
        }
        std::vector<unsigned char> opensRow(static_cast<size_t>(rows));
        for (unsigned char& opens : opensRow) {
            opens = static_cast<unsigned char>(random() % 2);
        }
        std::vector<FtPlacement> placements(static_cast<size_t>(columns));
        for (FtPlacement& placement : placements) {
            placement = kPlacements[random() % 3];
        }
        TableView view{text.get(), cells.data(), rows, columns};
        view.opensRow = random() % 2 == 0 ? opensRow.data() : nullptr;
        view.bodyPlacements = random() % 2 == 0 ? placements.data() : nullptr;
        view.rules = static_cast<FtRules>(random() % 3);
        view.padding = static_cast<int32_t>(random() % 3);
        const FtLook look{random() % 2 == 0, random() % 2 == 0, random() % 2 == 0};
        const int32_t frameType = 1 + static_cast<int32_t>(random() % FT_FRAME_TYPE_MAX);
        const int32_t positionType = 1 + static_cast<int32_t>(random() % FT_POSITION_TYPE_MAX);

        ASSERT_EQ(draw(view, frameType, positionType, look, true),
                  draw(view, frameType, positionType, look, false))
            << "round " << round << ", type " << frameType << ", position " << positionType;
    }
}
}  // namespace
