// The text layer: the 217-row table in UTF-8 (both width models) beside the
// same table in code page 932, the fixed cost of a small table, and cost per
// KiB as tables grow to the input limit.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "sample_tables.h"
#include "text/frame_text.h"
#include "text/text_limits.h"

namespace {

// Rows of Japanese and ASCII cells until the table is `bytes` long.
std::string mixed_table(size_t bytes) {
    std::string text;
    for (int index = 0; text.size() < bytes - 64; ++index) {
        text += "品目 " + std::to_string(index) + "|ノート|" + std::to_string(index * 13) + "|済\n";
    }
    return text;
}

void run(benchmark::State& state, const std::string& text, TextEncoding encoding,
         WidthModel model) {
    FrameRequest request;
    request.text = text;
    request.encoding = encoding;
    request.widthModel = model;
    request.frameType = 5;
    request.positionType = 8;
    size_t frameBytes = 0;
    for (auto _ : state) {
        FrameOutcome outcome = frame_text(request);
        frameBytes = outcome.text.size();
        benchmark::DoNotOptimize(outcome.text.data());
    }
    state.counters["frame_bytes"] = static_cast<double>(frameBytes);
    state.counters["us_per_KiB"] = benchmark::Counter(
        static_cast<double>(text.size()) / 1024.0,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_Table217Utf8Narrow(benchmark::State& state) {
    run(state, table_217_rows("\n"), TextEncoding::Utf8, WidthModel::Narrow);
}
BENCHMARK(BM_Table217Utf8Narrow);

void BM_Table217Utf8Wide(benchmark::State& state) {
    run(state, table_217_rows("\n"), TextEncoding::Utf8, WidthModel::Wide);
}
BENCHMARK(BM_Table217Utf8Wide);

void BM_Table217Cp932(benchmark::State& state) {
    run(state, table_217_rows("\n"), TextEncoding::Cp932, WidthModel::Wide);
}
BENCHMARK(BM_Table217Cp932);

void BM_Table3x3Utf8(benchmark::State& state) {
    run(state, "No|Item|Qty\n1|pen|10\n2|notebook|5\n", TextEncoding::Utf8, WidthModel::Narrow);
}
BENCHMARK(BM_Table3x3Utf8);

void BM_MixedTableUtf8(benchmark::State& state) {
    run(state, mixed_table(static_cast<size_t>(state.range(0))), TextEncoding::Utf8,
        WidthModel::Narrow);
}
BENCHMARK(BM_MixedTableUtf8)->Arg(4 << 10)->Arg(64 << 10)->Arg(kTextInputLimit);

// A csv export with a long note in every row, `bytes` long.
std::string long_note_csv(size_t bytes) {
    static const char* const kWords[] = {"delivery", "address",   "倉庫", "invoice", "の",
                                         "customer", "requested", "期日", "to",      "call"};
    std::string text = "id,name,note,amount\n";
    for (int index = 0; text.size() < bytes - 512; ++index) {
        text += std::to_string(index) + ",Item " + std::to_string(index % 97) + ",\"";
        for (int word = 0; word < 40; ++word) {
            text += kWords[(index + word * 7) % 10];
            text += ' ';
        }
        text +=
            "end\"," + std::to_string(index * 13 % 1000) + "." + std::to_string(index % 10) + "\n";
    }
    return text;
}

void run_csv(benchmark::State& state, int32_t width) {
    const std::string text = long_note_csv(static_cast<size_t>(state.range(0)));
    FrameRequest request;
    request.text = text;
    request.from = TableFormat::Csv;
    request.frameType = 2;
    request.fit.width = width;
    size_t frameBytes = 0;
    for (auto _ : state) {
        FrameOutcome outcome = frame_text(request);
        frameBytes = outcome.text.size();
        benchmark::DoNotOptimize(outcome.text.data());
    }
    state.counters["frame_bytes"] = static_cast<double>(frameBytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// Framing long notes as they are, beside wrapping them to 80 columns.
void BM_LongNotesUnwrapped(benchmark::State& state) {
    run_csv(state, 0);
}
BENCHMARK(BM_LongNotesUnwrapped)->Arg(256 << 10)->Arg(kTextInputLimit);

void BM_LongNotesWrappedTo80(benchmark::State& state) {
    run_csv(state, 80);
}
BENCHMARK(BM_LongNotesWrappedTo80)->Arg(256 << 10)->Arg(kTextInputLimit);

// The floor for the 1 MiB table: copying its frame once.
void BM_MemcpyOfMixedFrame(benchmark::State& state) {
    FrameRequest request;
    const std::string text = mixed_table(kTextInputLimit);
    request.text = text;
    request.frameType = 5;
    request.positionType = 8;
    const std::string frame = frame_text(request).text;
    std::string copy(frame.size(), '\0');
    for (auto _ : state) {
        std::memcpy(copy.data(), frame.data(), frame.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyOfMixedFrame);

}  // namespace

// The first call of a process, before anything is warm, beside the second:
// in time on the clock, and in time on the processor, which a busy machine
// does not stretch.
void report_first_call() {
    const std::string text = mixed_table(kTextInputLimit);
    FrameRequest request;
    request.text = text;
    request.frameType = 5;
    request.positionType = 8;
    double micros[2];
    double cpuMicros[2];
    for (int call = 0; call < 2; ++call) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        benchmark::DoNotOptimize(frame_text(request).text.data());
        cpuMicros[call] = 1e6 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        micros[call] =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count();
    }
    std::printf(
        "1 MiB table: first call %.0f us, second %.0f us (%.2fx); processor %.0f us, %.0f us "
        "(%.2fx)\n",
        micros[0], micros[1], micros[0] / micros[1], cpuMicros[0], cpuMicros[1],
        cpuMicros[0] / cpuMicros[1]);
}

int main(int argc, char** argv) {
    report_first_call();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
