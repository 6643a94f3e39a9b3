// The second pass and the whole combine with every row enabled at settings
// that strike almost nothing, so that every test runs on every entry: the
// value rows "<=" 250, the link rows "<>" against earlier draws whose numbers
// (200) give products no combination holds.

#include "catalogue/Catalogue.h"
#include "engine/Backtest.h"
#include "engine/FilterWorth.h"
#include "engine/FirstPass.h"
#include "engine/FirstPassSteps.h"
#include "engine/Generation.h"
#include "engine/Scores.h"
#include "engine/SecondPass.h"
#include "history/DrawFileCodec.h"

#include <benchmark/benchmark.h>
#include <string>
#include <string_view>

namespace {

using namespace vargis;

struct LenientSettings {
    context::FilterTable table;
    context::DrawHistory history;
    int highestNumber = 36;

    explicit LenientSettings(int n) : highestNumber(n) {
        table.fileLineCount = 288;
        for (int r = 1; r <= context::kFilterRows; ++r) {
            auto& row = table.row(r);
            row.field(3) = "250";
            row.field(4) = "True";
            row.field(5) = "<=";
        }
        table.row(1).field(5) = ">=";
        table.row(1).field(3) = "5";
        table.row(2).field(3) = "46";
        for (int r = 32; r <= 150; ++r) {
            auto& row = table.row(r);
            row.field(2) = std::string(catalogue::rowControls(r).linkCode);
            row.field(5) = "<>";
        }
        table.row(31).field(5) = "<>";
        // 50 draws; every number of draws 48 and 49 is 200.
        std::uint32_t seed = 12345;
        history.drawCount = 50;
        for (int d = 1; d <= 50; ++d) {
            auto& record = history.record(d);
            record.field(2) = "01.01.2026";
            for (int k = 3; k <= 7; ++k) {
                seed = seed * 1664525u + 1013904223u;
                record.field(k) = d >= 48 ? "200" : std::to_string(1 + seed % 36u);
            }
        }
        history::deriveRankedDraws(history);
    }

    engine::FirstPassInput firstPass() const {
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

    engine::SecondPassInput secondPass() const {
        return {highestNumber, &table, &history, "28.02.2026", 50};
    }
};

void BM_SecondPassLenient(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const LenientSettings settings(n);
    const auto all = engine::generateCombinations(n);
    std::int32_t remaining = 0;
    std::size_t tests = engine::planSecondPass(settings.secondPass()).tests.size();
    for (auto _ : state) {
        state.PauseTiming();
        auto list = all;
        state.ResumeTiming();
        remaining = engine::sweepAllSelected(list, settings.secondPass()).live;
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["remaining"] = remaining;
    state.counters["tests"] = static_cast<double>(tests);
}
BENCHMARK(BM_SecondPassLenient)->Arg(36)->Arg(50)->Unit(benchmark::kMillisecond);

// The second pass over 1000 survivors: mostly the tables built once per
// target, which a back-test over many targets pays for each of them.
void BM_SecondPassSmallList(benchmark::State& state) {
    const LenientSettings settings(36);
    const auto all = engine::generateCombinations(36);
    engine::CombinationList survivors;
    for (std::size_t i = 0; i < all.size(); i += all.size() / 1000)
        survivors.push_back(all[i]);
    for (auto _ : state) {
        auto list = survivors;
        benchmark::DoNotOptimize(engine::sweepAllSelected(list, settings.secondPass()).live);
    }
}
BENCHMARK(BM_SecondPassSmallList)->Unit(benchmark::kMicrosecond);

// Generation, both passes, the compaction between them and the scores of
// the 50 draws against the remaining combinations.
void BM_WholeCombineLenient(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const LenientSettings settings(n);
    std::vector<engine::DrawMultiplicity> draws;
    for (int d = 1; d <= 50; ++d)
        draws.push_back(engine::drawMultiplicity(settings.history.record(d)));
    std::size_t remaining = 0;
    for (auto _ : state) {
        auto list = engine::generateCombinations(n);
        engine::sweepWithoutDate(list, settings.firstPass());
        auto survivors = engine::compactLive(std::move(list));
        engine::sweepAllSelected(survivors, settings.secondPass());
        const auto kept = engine::compactLive(std::move(survivors));
        auto scores = engine::drawScores(kept, draws);
        remaining = kept.size();
        benchmark::DoNotOptimize(scores.data());
    }
    state.counters["remaining"] = static_cast<double>(remaining);
}
BENCHMARK(BM_WholeCombineLenient)
    ->Arg(28)
    ->Arg(36)
    ->Arg(44)
    ->Arg(50)
    ->Unit(benchmark::kMillisecond);

// The back-test over the 36 targets 15..50: the first pass once, the
// second pass per target.
void BM_BacktestLenient(benchmark::State& state) {
    const LenientSettings settings(static_cast<int>(state.range(0)));
    int kept = 0;
    for (auto _ : state) {
        const auto result = engine::runBacktest(settings.firstPass(), settings.secondPass());
        kept = result.keptCount();
        benchmark::DoNotOptimize(kept);
    }
    state.counters["kept"] = kept;
}
BENCHMARK(BM_BacktestLenient)->Arg(36)->Unit(benchmark::kMillisecond);

// The worth of every applied row (the button counts left out: each is a
// press of a few microseconds).
void BM_FilterWorthLenient(benchmark::State& state) {
    const LenientSettings settings(static_cast<int>(state.range(0)));
    std::size_t rows = 0;
    for (auto _ : state) {
        const auto result = engine::filterWorth(settings.firstPass(), settings.secondPass(), {});
        rows = result.rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_FilterWorthLenient)->Arg(36)->Unit(benchmark::kMillisecond);

} // namespace
