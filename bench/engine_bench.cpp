// The combine engine on whole lists: generation, the first pass with every
// first-pass row enabled at settings that strike almost nothing (so every
// test runs on every entry), and the scores of a full history.

#include "engine/FirstPass.h"
#include "engine/FirstPassSteps.h"
#include "engine/Generation.h"
#include "filters/FilterTable.h"

#include <benchmark/benchmark.h>
#include <string>
#include <string_view>

namespace {

using namespace vargis;

// Every row the first pass reads, enabled with "<=" 250 (no value exceeds
// 250), rows 1 and 2 with bounds every combination meets.
filters::FilterTable lenientTable(int highestNumber) {
    filters::FilterTable table;
    for (const auto& step : engine::firstPassSteps(highestNumber))
        for (const auto& r : step.rows) {
            auto& row = table.row(r.row);
            row.field(3) = "250";
            row.field(4) = "True";
            row.field(5) = "<=";
        }
    table.row(1).field(5) = ">=";
    table.row(2).field(5) = "<=";
    return table;
}

engine::FirstPassInput lenientInput(const filters::FilterTable& table, int highestNumber) {
    engine::FirstPassInput input;
    input.highestNumber = highestNumber;
    input.filters = &table;
    input.caption = [](std::string_view label) -> std::string {
        if (label == "StaticText33")
            return "5";
        if (label == "StaticText34")
            return "46";
        return "250";
    };
    input.checked = [](std::string_view) { return true; };
    return input;
}

void BM_Generate(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto list = engine::generateCombinations(n);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_Generate)->Arg(36)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_FirstPassLenient(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto table = lenientTable(n);
    const auto input = lenientInput(table, n);
    std::int32_t survivors = 0;
    for (auto _ : state) {
        auto list = engine::generateCombinations(n);
        const auto result = engine::sweepWithoutDate(list, input);
        survivors = result.live;
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["survivors"] = survivors;
}
BENCHMARK(BM_FirstPassLenient)->Arg(28)->Arg(36)->Arg(44)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace
