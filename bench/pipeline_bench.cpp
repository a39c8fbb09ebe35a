// create_frame_text on the largest frame the pipeline can reach and on a
// typical 217-line table, beside the floor of touching the output buffer.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "command/create_frame.h"
#include "command/crlf_lines.h"
#include "command/frame_line_ends.h"
#include "command/tab_conversion.h"
#include "sample_tables.h"

namespace {

// One column 48 bytes wide over 965 rows: (48 + 5) x 1931 = 102343 bytes of
// box frame, the most that fits 102400 with a 48-byte column, from 2940
// bytes of input.
std::string largest_frame_input() {
    std::string text(48, 'w');
    for (int row = 1; row < 965; ++row) {
        text += "\r\nx";
    }
    return text;
}

void BM_CreateFrameLargest(benchmark::State& state) {
    const std::string input = largest_frame_input();
    size_t frameBytes = 0;
    for (auto _ : state) {
        CreateFrameResult result = create_frame_text(input, 1, 1);
        frameBytes = result.resultText.size();
        benchmark::DoNotOptimize(result.resultText.data());
    }
    state.counters["frame_bytes"] = static_cast<double>(frameBytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * frameBytes));
}
BENCHMARK(BM_CreateFrameLargest);

// What any pipeline must do at least: clear the output buffer and copy the
// frame out of it.
void BM_FloorLargest(benchmark::State& state) {
    const std::string frame = create_frame_text(largest_frame_input(), 1, 1).resultText;
    std::vector<char> buffer(CF_FRAME_BUFFER);
    std::string copy(frame.size(), '\0');
    for (auto _ : state) {
        std::memset(buffer.data(), 0, buffer.size());
        benchmark::ClobberMemory();
        std::memcpy(copy.data(), frame.data(), frame.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * frame.size()));
}
BENCHMARK(BM_FloorLargest);

void BM_CreateFrame217Rows(benchmark::State& state) {
    const std::string input = table_217_rows();
    for (auto _ : state) {
        CreateFrameResult result = create_frame_text(input, 1, 1);
        benchmark::DoNotOptimize(result.resultText.data());
    }
    state.counters["input_bytes"] = static_cast<double>(input.size());
}
BENCHMARK(BM_CreateFrame217Rows);

std::string without_crs(std::string frame) {
    for (size_t cr = frame.find("\r\n"); cr != std::string::npos; cr = frame.find("\r\n", cr)) {
        frame.erase(cr, 1);
    }
    return frame;
}

// The line-end rewrite alone, on the largest frame.
void BM_LineEndsLargest(benchmark::State& state) {
    const std::string frame =
        without_crs(create_frame_text(largest_frame_input(), 1, 1).resultText);
    for (auto _ : state) {
        std::string rewritten = frame_crlf_line_ends(frame);
        benchmark::DoNotOptimize(rewritten.data());
    }
}
BENCHMARK(BM_LineEndsLargest);

// The pipeline's own work on the same table, without the core: conversion,
// the split into lines, and the line-end rewrite of the finished frame.
void BM_PipelineOwnSteps217Rows(benchmark::State& state) {
    const std::string input = table_217_rows();
    const std::string frame = without_crs(create_frame_text(input, 1, 1).resultText);
    std::vector<char> working(input.size() + 1);
    for (auto _ : state) {
        std::string converted = convert_tabs(input);
        std::memcpy(working.data(), converted.c_str(), converted.size() + 1);
        size_t lines = 0;
        for_each_crlf_line(working.data(), converted.size(), [&lines](const char* line, size_t) {
            benchmark::DoNotOptimize(line);
            ++lines;
            return true;
        });
        std::string rewritten = frame_crlf_line_ends(frame);
        benchmark::DoNotOptimize(rewritten.data());
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_PipelineOwnSteps217Rows);

}  // namespace

BENCHMARK_MAIN();
