// The combine engine on whole lists: generation, the first pass with every
// first-pass row enabled at settings that strike almost nothing (so every
// test runs on every entry), and the scores of a full history.

#include "LenientSettings.h"
#include "engine/FirstPass.h"
#include "engine/FirstPassSteps.h"
#include "engine/Generation.h"
#include "engine/Scores.h"
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
    input.settings = &bench::lenientSettings();
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

// Scores of 50 draws (numbers from a fixed-seed generator) against every
// combination of the kind.
void BM_DrawScores(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto list = engine::generateCombinations(n);
    std::vector<engine::DrawMultiplicity> draws;
    std::uint32_t seed = 12345;
    for (int d = 0; d < 50; ++d) {
        history::DrawRecord record;
        for (int k = 3; k <= 7; ++k) {
            seed = seed * 1664525u + 1013904223u;
            record.field(k) =
                std::to_string(1 + static_cast<int>(seed % static_cast<std::uint32_t>(n)));
        }
        draws.push_back(engine::drawMultiplicity(record));
    }
    for (auto _ : state) {
        auto scores = engine::drawScores(list, draws);
        benchmark::DoNotOptimize(scores.data());
    }
}
BENCHMARK(BM_DrawScores)->Arg(36)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace
