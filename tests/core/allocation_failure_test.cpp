// Every allocation of a run fails in turn: the result names the failure, the
// store frees what it holds, and the next run starts clean.
#include <gtest/gtest.h>

#include "core/allocator.h"
#include "core/frame_core.h"
#include "test_support.h"

namespace {
const std::vector<std::string> kTable = {"No|Item|Qty", "1|pen|10", "2|notebook|5"};
constexpr int kAllocationsPerRun = 9 + 2;  // nine cells, the grid as spans, one width array

TEST(AllocationFailure, EachFailingAllocationIsReportedAndNothingLeaks) {
    for (int k = 1; k <= kAllocationsPerRun + 1; ++k) {
        ft_open();
        ft_fail_allocation_at(k);
        int32_t failedLine = -1;
        int loaded = load_table(kTable, &failedLine);
        int rendered = loaded == FT_OK ? render_store(1, 1).result : loaded;
        ft_fail_allocation_at(0);

        if (k <= 9) {
            EXPECT_EQ(loaded, FT_NO_MEMORY) << "cell " << k;
            EXPECT_EQ(failedLine, (k - 1) / 3 + 1) << "cell " << k;
        } else if (k <= kAllocationsPerRun) {
            EXPECT_EQ(rendered, FT_NO_MEMORY) << "spans or width array";
        } else {
            EXPECT_EQ(rendered, FT_OK);
        }
        ft_open();
        EXPECT_EQ(ft_live_allocations(), 0) << "k = " << k;
        EXPECT_EQ(frame_of(kTable, 2, 1).result, FT_OK) << "the next run is clean, k = " << k;
        EXPECT_EQ(ft_live_allocations(), 0);
    }
}
}  // namespace
