// 1 MiB of CSV, as a spreadsheet exports it, to a frame and back, through the
// text layer as the command calls it. us_per_KiB counts KiB of that CSV, so
// the two halves add up to the round trip.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "text/formats/table.h"
#include "text/frame_text.h"

namespace {

// Rows of a price list: quoted names with commas and quotes, Japanese and
// ASCII notes, numbers, an empty field.
std::string spreadsheet_csv(size_t limit) {
    std::string csv = "Id,Name,Note,Qty,Price,Memo\r\n";
    for (int row = 1;; ++row) {
        std::string line = std::to_string(row) + ",\"Pen, blue No." + std::to_string(row % 97) +
                           "\",東京支店の在庫," + std::to_string(row % 1000) + "," +
                           std::to_string(row % 50) + ".40," +
                           (row % 3 == 0 ? "\"said \"\"rush\"\"\"" : "") + "\r\n";
        if (csv.size() + line.size() > limit) {
            return csv;
        }
        csv += line;
    }
}

const std::string& csv_input() {
    static const std::string csv = spreadsheet_csv(size_t{1} << 20);
    return csv;
}

FrameOutcome convert(const std::string& text, TableFormat from, TableFormat to) {
    FrameRequest request;
    request.text = text;
    request.from = from;
    request.to = to;
    return frame_text(request);
}

void report(benchmark::State& state, size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    const double csvKiB = static_cast<double>(csv_input().size()) / 1024.0;
    state.counters["us_per_KiB"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * csvKiB / 1e6,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_CsvToFrame(benchmark::State& state) {
    const std::string& csv = csv_input();
    for (auto _ : state) {
        FrameOutcome frame = convert(csv, TableFormat::Csv, TableFormat::Frame);
        benchmark::DoNotOptimize(frame.text.data());
        if (!frame.ok()) {
            state.SkipWithError("refused");
        }
    }
    report(state, csv.size());
}

void BM_FrameToCsv(benchmark::State& state) {
    const std::string frame = convert(csv_input(), TableFormat::Csv, TableFormat::Frame).text;
    const std::string expected = convert(csv_input(), TableFormat::Csv, TableFormat::Csv).text;
    if (convert(frame, TableFormat::Frame, TableFormat::Csv).text != expected) {
        state.SkipWithError("the cells came back changed");
    }
    for (auto _ : state) {
        FrameOutcome csv = convert(frame, TableFormat::Frame, TableFormat::Csv);
        benchmark::DoNotOptimize(csv.text.data());
    }
    state.counters["frame_KiB"] = static_cast<double>(frame.size()) / 1024.0;
    report(state, frame.size());
}

// Rule lines with no rows under them: each must be looked at a bounded number
// of times, or 1 MiB of them takes minutes.
void BM_RulesWithoutRows(benchmark::State& state) {
    std::string rules;
    while (rules.size() + 6 <= csv_input().size()) {
        rules += "+-+-+\n";
    }
    for (auto _ : state) {
        FrameOutcome psv = convert(rules, TableFormat::Frame, TableFormat::Psv);
        benchmark::DoNotOptimize(psv.refusal.kind);
    }
    report(state, rules.size());
}

// One table of 25000 rows as psv, csv, tsv, Markdown and a frame, each read
// to the same frame: the readers side by side, psv the path to keep up with.
std::string same_table_psv() {
    std::string psv;
    char row[80];
    for (int index = 0; index < 25000; ++index) {
        std::snprintf(row, sizeof row, "r%d|item %d|%05d|済\n", index, index,
                      (index * 7919) % 100000);
        psv += row;
    }
    return psv;
}

const std::string& same_table(TableFormat format) {
    static const std::string psv = same_table_psv();
    static const std::string csv = convert(psv, TableFormat::Psv, TableFormat::Csv).text;
    static const std::string tsv = convert(psv, TableFormat::Psv, TableFormat::Tsv).text;
    static const std::string markdown = convert(psv, TableFormat::Psv, TableFormat::Markdown).text;
    static const std::string frame = convert(psv, TableFormat::Psv, TableFormat::Frame).text;
    switch (format) {
        case TableFormat::Csv:
            return csv;
        case TableFormat::Tsv:
            return tsv;
        case TableFormat::Markdown:
            return markdown;
        case TableFormat::Frame:
            return frame;
        default:
            return psv;
    }
}

void BM_SameTableToFrame(benchmark::State& state) {
    const auto from = static_cast<TableFormat>(state.range(0));
    const std::string& text = same_table(from);
    const std::string& expected = same_table(TableFormat::Frame);
    if (convert(text, from, TableFormat::Frame).text != expected) {
        state.SkipWithError("another frame than psv's");
        return;
    }
    for (auto _ : state) {
        FrameOutcome frame = convert(text, from, TableFormat::Frame);
        benchmark::DoNotOptimize(frame.text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

BENCHMARK(BM_CsvToFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SameTableToFrame)
    ->ArgName("from")
    ->Arg(static_cast<int>(TableFormat::Psv))
    ->Arg(static_cast<int>(TableFormat::Csv))
    ->Arg(static_cast<int>(TableFormat::Tsv))
    ->Arg(static_cast<int>(TableFormat::Markdown))
    ->Arg(static_cast<int>(TableFormat::Frame))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameToCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RulesWithoutRows)->Unit(benchmark::kMillisecond);

}  // namespace
