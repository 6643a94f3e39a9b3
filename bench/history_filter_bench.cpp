// A press of each family of the ranked pages, "повторы", "кол-во в рядах" and
// "разности" on the 50 bundled draws, through the application model, and the
// bare value routines of the same families.

#include "app/Application.h"
#include "app/DefaultData.h"
#include "catalogue/DifferenceFilters.h"
#include "catalogue/RangeCounts.h"
#include "catalogue/RankedPositionValues.h"
#include "catalogue/RepeatFilters.h"
#include "ui/SilentPlatform.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

struct HistoryBenchApp {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("vargis-bench-history-" + std::to_string(::getpid()));
    vargis::ui::SilentPlatform platform;
    vargis::app::Application app{platform};
    HistoryBenchApp() {
        vargis::app::writeWorkingFolder(folder.string());
        std::filesystem::current_path(folder);
        app.start();
    }
    ~HistoryBenchApp() {
        std::error_code ec;
        std::filesystem::current_path("/", ec);
        std::filesystem::remove_all(folder, ec);
    }
};

HistoryBenchApp& bundled() {
    static HistoryBenchApp instance;
    return instance;
}

void BM_HistoryFilterPress(benchmark::State& state) {
    auto& app = bundled().app;
    const std::string button =
        app.workspace().filters.row(static_cast<int>(state.range(0))).buttonName();
    for (auto _ : state)
        app.click("Form1", button);
    state.SetLabel(button);
}
// Link x0.62, link of N-2, date root, position mod 9, repeats of N-1..N-10,
// range 29..34, difference 5е - 1е, distance from the running average.
BENCHMARK(BM_HistoryFilterPress)
    ->Arg(37)
    ->Arg(47)
    ->Arg(31)
    ->Arg(127)
    ->Arg(192)
    ->Arg(242)
    ->Arg(249)
    ->Arg(266)
    ->Unit(benchmark::kMicrosecond);

void BM_HistoryValueRoutines(benchmark::State& state) {
    const auto& history = bundled().app.workspace().history;
    const auto link = vargis::catalogue::decodeLinkCode("3122");
    const auto repeats = *vargis::catalogue::repeatOffsets(192);
    const auto range = *vargis::catalogue::countedRange(242, 36);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vargis::catalogue::rankedLinkValues(history, link));
        benchmark::DoNotOptimize(vargis::catalogue::rankedDateValues(history, 1));
        benchmark::DoNotOptimize(vargis::catalogue::repeatValues(history, repeats));
        benchmark::DoNotOptimize(vargis::catalogue::runningAverageDistances(history, 3));
        for (int f = 1; f <= history.drawCount; ++f)
            benchmark::DoNotOptimize(vargis::catalogue::countInRange(history.rankedRow(f), range));
    }
}
BENCHMARK(BM_HistoryValueRoutines)->Unit(benchmark::kMicrosecond);

} // namespace
