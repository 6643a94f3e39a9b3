// A press of each family of the pages "ЦИФРЫ" and "нумерология и дата" on the
// 50 bundled draws (the whole road: parameter, values, count, chart, marks),
// the "+" chart, the lunar overlay and the bare numerology routines.

#include "app/Application.h"
#include "app/DefaultData.h"
#include "catalogue/NumerologyFilters.h"
#include "catalogue/WordVibrations.h"
#include "ui/SilentPlatform.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

// Starts the application on a freshly written working folder.
struct DigitBenchApp {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("vargis-bench-digits-" + std::to_string(::getpid()));
    vargis::ui::SilentPlatform platform;
    vargis::app::Application app{platform};
    DigitBenchApp() {
        vargis::app::writeWorkingFolder(folder.string());
        std::filesystem::current_path(folder);
        app.start();
    }
    ~DigitBenchApp() {
        std::error_code ec;
        std::filesystem::current_path("/", ec);
        std::filesystem::remove_all(folder, ec);
    }
};

DigitBenchApp& bundled() {
    static DigitBenchApp instance;
    return instance;
}

void BM_DigitNumerologyPress(benchmark::State& state) {
    auto& b = bundled();
    const std::string button =
        b.app.workspace().filters.row(static_cast<int>(state.range(0))).buttonName();
    for (auto _ : state)
        b.app.click("Form1", button);
    state.SetLabel(button);
}
// Date digits, one digit, the reduced sum; vibrations of n1 and of all five
// numbers (family A), date digits in n1/n5 and in n1/S (family B), n1/S (C).
BENCHMARK(BM_DigitNumerologyPress)
    ->Arg(268)
    ->Arg(270)
    ->Arg(280)
    ->Arg(151)
    ->Arg(159)
    ->Arg(152)
    ->Arg(162)
    ->Arg(161)
    ->Unit(benchmark::kMicrosecond);

void BM_PlusChartAndLunarOverlay(benchmark::State& state) {
    auto& b = bundled();
    const std::string control = state.range(0) == 0 ? "BitBtn307" : "N6";
    for (auto _ : state)
        b.app.click("Form1", control);
    state.SetLabel(control);
}
BENCHMARK(BM_PlusChartAndLunarOverlay)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_VibrationsOfADrawAndADate(benchmark::State& state) {
    const std::array<int, 5> numbers{5, 12, 23, 30, 36};
    for (auto _ : state) {
        const std::string date = vargis::catalogue::dateVibration("15.06.2026");
        benchmark::DoNotOptimize(vargis::catalogue::vibrationMatch(
            date, std::string_view(vargis::catalogue::drawVibration(numbers))));
    }
}
BENCHMARK(BM_VibrationsOfADrawAndADate)->Unit(benchmark::kNanosecond);

} // namespace
