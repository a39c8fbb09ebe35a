#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/allocator.h"
#include "core/frame_core.h"
#include "test_support.h"

namespace {
class RenderDriver : public testing::Test {
  protected:
    void SetUp() override { ft_open(); }
    void TearDown() override {
        ft_close();
        EXPECT_EQ(ft_live_allocations(), 0);
    }
    static bool all_bytes(const std::vector<char>& buffer, char value) {
        return std::all_of(buffer.begin(), buffer.end(), [=](char b) { return b == value; });
    }
};

TEST_F(RenderDriver, RefusesBadArgumentsWithoutTouchingTheBuffer) {
    struct Case {
        bool nullBuffer;
        int32_t frameType;
        int32_t positionType;
    };
    const Case cases[] = {{false, 0, 1},  {false, 7, 1}, {false, 1, 0},
                          {false, 1, 18}, {true, 1, 1},  {false, -1, 1}};
    for (bool emptyStore : {true, false}) {
        ft_open();
        if (!emptyStore) {
            load_table({"a|b"});
        }
        for (const Case& c : cases) {
            std::vector<char> buffer(64, 'x');
            EXPECT_EQ(
                ft_render(c.nullBuffer ? nullptr : buffer.data(), 64, c.frameType, c.positionType),
                FT_BAD_ARGUMENT);
            EXPECT_TRUE(all_bytes(buffer, 'x'));
        }
    }
}

TEST_F(RenderDriver, RefusesATableWithoutRowsOrColumns) {
    for (const std::vector<std::string>& lines : {std::vector<std::string>{}, {"|", "|"}}) {
        load_table(lines);
        std::vector<char> buffer(64, 'x');
        EXPECT_EQ(ft_render(buffer.data(), 64, 1, 1), FT_BAD_SHAPE);
        EXPECT_TRUE(all_bytes(buffer, 'x'));
    }
}

struct NeedCase {
    const char* name;
    std::vector<std::string> lines;
    int32_t boxNeed;
    int32_t asciiNeed;
};

const NeedCase kNeeds[] = {
    {"one empty cell", {""}, 21, 9},
    {"widths 2 and 3 over two rows", {"ab|cde", "x|y"}, 65, 45},
    {"a two-byte character counts two", {"\x82\xA0|a", "b|c"}, 55, 35},
    {"three rows of the order", {"No|Item|Qty", "1|pen|10", "2|notebook|5"}, 161, 126},
};

TEST_F(RenderDriver, AcceptsExactlyNeedPlusOneBytes) {
    for (const NeedCase& c : kNeeds) {
        for (int32_t frameType = 1; frameType <= 6; ++frameType) {
            const int32_t need = frameType == 6 ? c.asciiNeed : c.boxNeed;
            load_table(c.lines);
            Rendered fits = render_store(frameType, 1, need + 1);
            EXPECT_EQ(fits.result, FT_OK) << c.name << " type " << frameType;
            EXPECT_EQ(fits.text.size(), static_cast<size_t>(need))
                << c.name << " type " << frameType;

            std::vector<char> buffer(static_cast<size_t>(need), 'x');
            EXPECT_EQ(ft_render(buffer.data(), need, frameType, 1), FT_BUFFER_TOO_SMALL) << c.name;
            EXPECT_TRUE(all_bytes(buffer, '\0')) << "a refused buffer is left cleared";
        }
    }
}

TEST_F(RenderDriver, ZeroSizedBufferWritesNothing) {
    load_table({"a"});
    char sentinel = 'x';
    EXPECT_EQ(ft_render(&sentinel, 0, 1, 1), FT_BUFFER_TOO_SMALL);
    EXPECT_EQ(sentinel, 'x');
}

TEST_F(RenderDriver, EveryLineOfAFrameHasTheSameLength) {
    load_table({"\x82\xA0\x82\xA2|abc||d", "|x|yy||z|", "e|\xB1|f|ghi"});
    for (int32_t frameType = 1; frameType <= 6; ++frameType) {
        Rendered r = render_store(frameType, 3);
        ASSERT_EQ(r.result, FT_OK);
        size_t lines = 0;
        size_t start = 0;
        const size_t lineLength = r.text.find('\n') + 1;
        for (size_t end; (end = r.text.find('\n', start)) != std::string::npos; start = end + 1) {
            EXPECT_EQ(end + 1 - start, lineLength) << "type " << frameType;
            ++lines;
        }
        EXPECT_EQ(lines, 7u);
        EXPECT_EQ(start, r.text.size());
    }
}

// A caller that renders after a refused line must not meet a ragged grid.
TEST_F(RenderDriver, RefusesTheRaggedGridThatARefusedLineLeaves) {
    const std::vector<std::string> refusedRuns[] = {
        {"a|b|c", "d|e|f|g"},  // a row longer than row 0
        {"a|b|c", "d"},        // a partial row
        {"a|b|c", "d|e|f", "g|h"},
    };
    for (const auto& lines : refusedRuns) {
        ASSERT_NE(load_table(lines), FT_OK);
        for (int32_t frameType = 1; frameType <= 6; ++frameType) {
            EXPECT_EQ(render_store(frameType, 1).result, FT_BAD_SHAPE);
        }
    }
}

// Builds a one-column table directly: one wide cell over many empty rows, as
// a caller could through the API, without the parser's per-line walk.
void build_tall_column(int32_t width, int32_t rows) {
    FrameTable& table = ft_table();
    std::fill(table.pool, table.pool + width, 'w');
    CellNode** link = &table.grid;
    for (int32_t r = 0; r < rows; ++r) {
        auto* cell = static_cast<CellNode*>(ft_allocate(sizeof(CellNode)));
        const int32_t length = r == 0 ? width : 0;
        *cell = CellNode{0, length, length, nullptr, nullptr};
        *link = cell;
        link = &cell->down;
    }
    table.rows = rows;
    table.columns = 1;
}

// The frame length would wrap in 32 bits to a size that fits the buffer.
TEST_F(RenderDriver, HugeFramesAreTooSmallNeverAnOverrun) {
    struct Case {
        int32_t width;
        int32_t rows;
        int32_t frameType;
    };
    // (10240 + 5) x (2 x 209613 + 1) and (10240 + 3) x (2 x 209654 + 1) exceed 2^32
    // by less than 102400.
    for (const Case& c : {Case{10239, 209613, 1}, Case{10240, 209654, 6}}) {
        ft_open();
        build_tall_column(c.width, c.rows);
        std::vector<char> buffer(102400, 'x');
        EXPECT_EQ(ft_render(buffer.data(), 102400, c.frameType, 1), FT_BUFFER_TOO_SMALL);
    }
}
}  // namespace
