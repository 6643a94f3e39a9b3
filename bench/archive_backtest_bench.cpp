// The back-test over an archive of 1014 draws (targets 15..1014) with every
// row enabled at settings that strike almost nothing, so that every test of
// both passes runs on every entry of every target: the value rows "<=" 250,
// the link rows "<>" against earlier draws whose numbers (200) give
// products no combination holds. Wall time, both cores at work.

#include "LenientSettings.h"
#include "catalogue/Catalogue.h"
#include "engine/Backtest.h"
#include "engine/FirstPass.h"

#include <benchmark/benchmark.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace vargis;

context::FilterTable lenientRows() {
    context::FilterTable table;
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
    return table;
}

engine::FirstPassInput lenientFirstPass(const context::FilterTable& table) {
    engine::FirstPassInput input;
    input.highestNumber = 36;
    input.filters = &table;
    input.settings = &bench::lenientSettings();
    return input;
}

// Draws a day apart from 01.01.2020.
std::vector<history::ImportedDraw> lenientArchive(int count) {
    std::vector<history::ImportedDraw> draws;
    int day = 1, month = 1, year = 2020;
    for (int i = 0; i < count; ++i) {
        history::ImportedDraw d;
        d.date = {day, month, year};
        d.numbers = {200, 200, 200, 200, 200};
        d.line = i + 1;
        draws.push_back(d);
        if (++day > 28) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    return draws;
}

void BM_ArchiveBacktestLenient(benchmark::State& state) {
    const int targets = static_cast<int>(state.range(0));
    const context::FilterTable table = lenientRows();
    const engine::FirstPassInput first = lenientFirstPass(table);
    const engine::SecondPassInput second{36, &table, nullptr, {}, 1};
    const auto archive = lenientArchive(targets + engine::kFirstBacktestTarget - 1);
    std::size_t ran = 0;
    std::int32_t remaining = 0;
    for (auto _ : state) {
        const auto result = engine::runArchiveBacktest(first, second, archive);
        ran = result.targets.size();
        remaining = result.targets.back().remaining;
        benchmark::DoNotOptimize(ran);
    }
    state.counters["targets"] = static_cast<double>(ran);
    state.counters["remaining"] = remaining;
}
BENCHMARK(BM_ArchiveBacktestLenient)
    ->Arg(1000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
