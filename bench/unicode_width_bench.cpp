// display_width over ASCII, Japanese and emoji text; the byte rate gives ns per byte.
// Wrapping a long cell line to 80 columns beside measuring the same text.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "text/unicode/cell_wrap.h"
#include "text/unicode/display_width.h"

namespace {

std::string repeat_to(const std::string& piece, size_t size) {
    std::string text;
    while (text.size() < size) {
        text += piece;
    }
    return text;
}

void measure(benchmark::State& state, const std::string& piece) {
    std::string text = repeat_to(piece, static_cast<size_t>(state.range(0)));
    auto model = state.range(1) != 0 ? WidthModel::Wide : WidthModel::Narrow;
    for (auto _ : state) {
        benchmark::DoNotOptimize(display_width(text, model));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["ns_per_byte"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(text.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Ascii(benchmark::State& state) {
    measure(state, "Item 42, qty 7 | price 3.40 | Apple Kiwi Pear; ");
}

void BM_Japanese(benchmark::State& state) {
    measure(state, "東京都の売上は前年比で一二％増えました。ノートとペンを注文する。");
}

void BM_MixedEmoji(benchmark::State& state) {
    measure(state,
            "ok \xF0\x9F\x98\x80 team \xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D"
            "\xF0\x9F\x91\xA7 \xF0\x9F\x87\xAF\xF0\x9F\x87\xB5 \xE2\x9D\xA4\xEF\xB8\x8F caf"
            "e\xCC\x81 \xE2\x94\x80\xE2\x94\x83 \xCE\xB1 ");
}

// Cell-sized and page-sized text, in the narrow and the wide model.
#define ZENTAB_WIDTH_ARGS ArgsProduct({{16, 4096}, {0, 1}})
BENCHMARK(BM_Ascii)->ZENTAB_WIDTH_ARGS;
BENCHMARK(BM_Japanese)->ZENTAB_WIDTH_ARGS;
BENCHMARK(BM_MixedEmoji)->ZENTAB_WIDTH_ARGS;

// A long note: English and Japanese prose with a little colour, 1 MiB.
std::string long_note() {
    return repeat_to(
        "The delivery address changed twice; call before noon. \x1b[1mUrgent\x1b[0m: "
        "東京都千代田区の倉庫へ、午前中に届けてください。ノートとペンを注文する。 ",
        size_t{1} << 20);
}

void rate(benchmark::State& state, const std::string& text) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

void BM_LongNoteWidth(benchmark::State& state) {
    const std::string text = long_note();
    for (auto _ : state) {
        benchmark::DoNotOptimize(display_width(text, WidthModel::Narrow));
    }
    rate(state, text);
}

void BM_LongNoteWrap80(benchmark::State& state) {
    const std::string text = long_note();
    std::vector<FittedLine> lines;
    for (auto _ : state) {
        fit_cell_line(text, 80, WidthModel::Narrow, Overflow::Wrap, lines);
        benchmark::DoNotOptimize(lines.data());
    }
    rate(state, text);
}

BENCHMARK(BM_LongNoteWidth);
BENCHMARK(BM_LongNoteWrap80);

}  // namespace
