// Bound suggestions for every "<=" / ">=" row on the 50 bundled draws: the
// row values worked out without pressing and the count of what each
// suggestion passes, as the menu command and `vargis-cli suggest` run them.

#include "app/Application.h"
#include "app/DefaultData.h"
#include "app/RowValues.h"
#include "commands/BoundSuggestions.h"
#include "ui/SilentPlatform.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

struct SuggestApp {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("vargis-suggest-bench-" + std::to_string(::getpid()));
    vargis::ui::SilentPlatform platform;
    vargis::app::Application app{platform};
    SuggestApp() {
        vargis::app::writeWorkingFolder(folder.string());
        std::filesystem::current_path(folder);
        app.start();
    }
    ~SuggestApp() {
        std::error_code ec;
        std::filesystem::current_path("/", ec);
        std::filesystem::remove_all(folder, ec);
    }
};

void BM_SuggestEveryRow(benchmark::State& state) {
    static SuggestApp bundled;
    std::size_t rows = 0;
    for (auto _ : state) {
        const vargis::app::RowValues pressed(bundled.app);
        const auto result = vargis::commands::runBoundSuggestions(
            bundled.app, 90, [&pressed](int row) { return pressed.values(row); });
        rows = result ? result->rows.size() : 0;
        benchmark::DoNotOptimize(rows);
    }
    state.SetLabel(std::to_string(rows) + " rows");
}
BENCHMARK(BM_SuggestEveryRow)->Unit(benchmark::kMillisecond);

} // namespace
