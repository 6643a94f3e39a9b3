// A filter press on the 50 bundled draws: the whole road through the
// application model (parameter, values, count, chart, marks), and the bare
// value functions.

#include "app/Application.h"
#include "app/DefaultData.h"
#include "catalogue/StaticFilters.h"
#include "ui/SilentPlatform.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

using QuietPlatform = vargis::ui::SilentPlatform;

// Starts the application on a freshly written working folder.
struct BundledApp {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vargis-bench-" + std::to_string(::getpid()));
    QuietPlatform platform;
    vargis::app::Application app{platform};
    BundledApp() {
        vargis::app::writeWorkingFolder(folder.string());
        std::filesystem::current_path(folder);
        app.start();
    }
    ~BundledApp() {
        std::error_code ec;
        std::filesystem::current_path("/", ec);
        std::filesystem::remove_all(folder, ec);
    }
};

void BM_FilterPress(benchmark::State& state) {
    static BundledApp bundled;
    const auto& rc = bundled.app.workspace().filters.row(static_cast<int>(state.range(0)));
    const std::string button = rc.buttonName();
    for (auto _ : state)
        bundled.app.click("Form1", button);
    state.SetLabel(button);
}
// Sum of numbers, date pairs, the division pairs and a previous-draw filter.
BENCHMARK(BM_FilterPress)->Arg(4)->Arg(5)->Arg(15)->Arg(16)->Unit(benchmark::kMicrosecond);

void BM_StaticValuesOf50Draws(benchmark::State& state) {
    std::vector<vargis::catalogue::DrawNumbers> draws;
    for (const auto& d : vargis::app::bundledDraws()) {
        vargis::catalogue::DrawNumbers n;
        n.drawn = d.numbers;
        n.ranked = d.numbers;
        std::sort(n.ranked.begin(), n.ranked.end());
        for (std::size_t k = 0; k < 5; ++k)
            n.texts[k] = std::to_string(d.numbers[k]);
        n.date = d.date;
        draws.push_back(n);
    }
    for (auto _ : state)
        for (int row = 1; row <= 24; ++row)
            for (std::size_t i = 1; i < draws.size(); ++i)
                benchmark::DoNotOptimize(
                    vargis::catalogue::staticValue(row, draws[i], &draws[i - 1]));
}
BENCHMARK(BM_StaticValuesOf50Draws)->Unit(benchmark::kMicrosecond);

} // namespace
