// The strategy search as the menu command and `vargis-cli search` run it, on
// the bundled working folder with archives of uniformly random draws of 1000
// and 8000 draws (budget 10000, 70% for training): the gathering over both
// cores, the search and the exact back-tests of the chosen settings. Then
// the exact archive back-test alone with 100 rows enabled, each bounded to
// keep 95% of the training draws, over 8000 targets. Wall time.

#include "app/Application.h"
#include "app/DefaultData.h"
#include "commands/BoundSuggestions.h"
#include "commands/CombineSweep.h"
#include "commands/StrategyCheck.h"
#include "commands/StrategySearchCommand.h"
#include "engine/StrategySearch.h"
#include "ui/SilentPlatform.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

using namespace vargis;

struct SearchApp {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("vargis-search-bench-" + std::to_string(::getpid()));
    ui::SilentPlatform platform;
    app::Application app{platform};
    SearchApp() {
        app::writeWorkingFolder(folder.string());
        std::filesystem::current_path(folder);
        app.start();
    }
    ~SearchApp() {
        std::error_code ec;
        std::filesystem::current_path("/", ec);
        std::filesystem::remove_all(folder, ec);
    }
    SearchApp(const SearchApp&) = delete;
    SearchApp& operator=(const SearchApp&) = delete;
};

// Uniformly random draws of 5 of 36, a day apart from 01.01.2000.
std::vector<history::ImportedDraw> randomArchive(int count) {
    std::vector<history::ImportedDraw> draws;
    std::uint32_t seed = 12345u;
    int day = 1, month = 1, year = 2000;
    for (int i = 0; i < count; ++i) {
        history::ImportedDraw d;
        d.date = {day, month, year};
        d.line = i + 1;
        for (std::size_t k = 0; k < 5;) {
            seed = seed * 1664525u + 1013904223u;
            const int n = 1 + static_cast<int>((seed >> 8) % 36u);
            if (std::find(d.numbers.begin(), d.numbers.begin() + k, n) == d.numbers.begin() + k)
                d.numbers[k++] = n;
        }
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

void BM_StrategySearch(benchmark::State& state) {
    SearchApp s;
    const auto archive = randomArchive(static_cast<int>(state.range(0)));
    commands::StrategySearchResult result;
    for (auto _ : state) {
        result = commands::runStrategySearch(s.app, archive, {});
        benchmark::DoNotOptimize(result.rows.size());
    }
    state.counters["rows"] = static_cast<double>(result.rows.size());
    state.counters["trainKept"] = result.train.keptCount();
    state.counters["testKept"] = result.test.keptCount();
    state.counters["found"] = result.status == commands::StrategySearchResult::Status::Found;
}
BENCHMARK(BM_StrategySearch)
    ->Arg(1000)
    ->Arg(8000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_ArchiveBacktest100Rows(benchmark::State& state) {
    SearchApp s;
    const int targets = static_cast<int>(state.range(0));
    const auto archive = randomArchive(targets + engine::kFirstBacktestTarget - 1);
    // Each candidate's bound at 95% of the draws, as `suggest --keep 95`
    // would give it over the archive; the first 100 rows enabled.
    commands::StrategySearchResult strategy;
    strategy.candidates = commands::searchCandidateRows(s.app);
    {
        // Stored parameters must be whole numbers for the passes to read.
        engine::SearchInput input;
        input.first = commands::firstPassInput(s.app);
        input.second = commands::secondPassInput(s.app);
        input.archive = &archive;
        input.firstTarget = engine::kFirstBacktestTarget;
        input.lastTarget = static_cast<int>(archive.size());
        input.rows = strategy.candidates;
        context::FilterTable table = s.app.workspace().filters;
        for (int row : strategy.candidates) {
            table.row(row).field(3) = "0";
            table.row(row).field(4) = "True";
        }
        input.first.filters = &table;
        input.second.filters = &table;
        const engine::StrategySearch search(input, [](const std::vector<int>& v, bool atMost) {
            return std::vector<int>{commands::suggestBound(v, atMost, 95).value};
        });
        for (const engine::SearchRow& r : search.rows()) {
            if (strategy.rows.size() == 100)
                break;
            strategy.rows.push_back({r.row, "", r.bounds.front()});
        }
    }
    commands::applyStrategy(s.app, strategy);
    std::size_t ran = 0;
    int kept = 0;
    for (auto _ : state) {
        const auto result = commands::runArchiveStrategyCheck(s.app, archive);
        ran = result ? result->targets.size() : 0;
        kept = result ? result->keptCount() : 0;
        benchmark::DoNotOptimize(ran);
    }
    state.counters["rows"] = static_cast<double>(strategy.rows.size());
    state.counters["targets"] = static_cast<double>(ran);
    state.counters["kept"] = kept;
}
BENCHMARK(BM_ArchiveBacktest100Rows)
    ->Arg(1000)
    ->Arg(8000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
