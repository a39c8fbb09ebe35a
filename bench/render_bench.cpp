// ft_render on the largest frame that fits 102400 bytes, beside a floor
// measured in the same run: clearing the buffer and copying the frame's bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/frame_core.h"

namespace {
constexpr int32_t kBufferSize = 102400;
constexpr int32_t kCellWidth = 48;

// One column 48 bytes wide: (48 + 2 + 3) bytes a line in the box styles.
int32_t tallest_fitting_rows(int32_t frameType) {
    const int32_t lineLength = frameType == 6 ? kCellWidth + 3 : kCellWidth + 5;
    return ((kBufferSize - 1) / lineLength - 1) / 2;
}

void load_tall_column(int32_t rows) {
    ft_open();
    int32_t lineNumber = 0;
    const std::string wide(kCellWidth, 'w');
    ft_add_line(wide.c_str(), &lineNumber, '|');
    for (int32_t r = 1; r < rows; ++r) {
        ft_add_line(r % 2 == 0 ? "ab" : "\x82\xA0", &lineNumber, '|');
    }
}

void BM_Render(benchmark::State& state) {
    const auto frameType = static_cast<int32_t>(state.range(0));
    const int32_t rows = tallest_fitting_rows(frameType);
    load_tall_column(rows);
    std::vector<char> out(kBufferSize);
    for (auto _ : state) {
        int result = ft_render(out.data(), kBufferSize, frameType, 3);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    state.counters["rows"] = rows;
    state.counters["frame_bytes"] = static_cast<double>(std::strlen(out.data()));
    ft_close();
}
BENCHMARK(BM_Render)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

void BM_Floor(benchmark::State& state) {
    const auto frameType = static_cast<int32_t>(state.range(0));
    load_tall_column(tallest_fitting_rows(frameType));
    std::vector<char> frame(kBufferSize);
    ft_render(frame.data(), kBufferSize, frameType, 3);
    ft_close();
    const size_t frameBytes = std::strlen(frame.data());
    std::vector<char> out(kBufferSize);
    for (auto _ : state) {
        std::memset(out.data(), 0, kBufferSize);
        benchmark::ClobberMemory();
        std::memcpy(out.data(), frame.data(), frameBytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Floor)->Arg(1)->Arg(6)->Unit(benchmark::kMicrosecond);

// ft_add_line over a table of about 4096 bytes: 217 rows like "r17|item-17|34623".
void BM_AddLines(benchmark::State& state) {
    std::vector<std::string> lines;
    size_t bytes = 0;
    for (int r = 0; bytes < 4096 - 20; ++r) {
        lines.push_back("r" + std::to_string(r) + "|item-" + std::to_string(r) + "|" +
                        std::to_string(34606 + r));
        bytes += lines.back().size() + 2;
    }
    for (auto _ : state) {
        ft_open();
        int32_t lineNumber = 0;
        for (const std::string& line : lines) {
            ft_add_line(line.c_str(), &lineNumber, '|');
        }
    }
    ft_close();
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_AddLines)->Unit(benchmark::kMicrosecond);
}  // namespace
