// The number page and its panel on the 50 bundled draws: the panel's grid
// filled with the 8568 combinations of 18 numbers (the bare rows and a box
// click that fills them), and the analyzer's re-run on a press of its
// threshold arrows.

#include "app/Application.h"
#include "app/DefaultData.h"
#include "filters/MarkBases.h"
#include "numbers/SelectedSide.h"
#include "ui/SilentPlatform.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

using namespace vargis;

// Answers Yes, so that the analyzer can be switched on.
class YesPlatform : public ui::SilentPlatform {
public:
    bool askYesNo(const std::string&) override { return true; }
};

struct NumbersBenchApp {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("vargis-bench-numbers-" + std::to_string(::getpid()));
    YesPlatform platform;
    app::Application app{platform};
    NumbersBenchApp() {
        app::writeWorkingFolder(folder.string());
        std::filesystem::current_path(folder);
        app.start();
    }
    ~NumbersBenchApp() {
        std::error_code ec;
        std::filesystem::current_path("/", ec);
        std::filesystem::remove_all(folder, ec);
    }
    bool mark(int number, bool on) {
        return app.toggleCheckBox("Form1", "CheckBox" + filters::numberCheckBoxSuffix(number), on);
    }
};

NumbersBenchApp& bundled() {
    static NumbersBenchApp instance;
    return instance;
}

std::vector<int> firstNumbers(int count) {
    std::vector<int> numbers;
    for (int n = 1; n <= count; ++n)
        numbers.push_back(n);
    return numbers;
}

void BM_CombinationRows8568(benchmark::State& state) {
    const auto numbers = firstNumbers(18);
    for (auto _ : state) {
        state.PauseTiming();
        ui::Control grid;
        grid.name = "StringGrid1";
        grid.grid.colCount = 6;
        grid.grid.rowCount = 2;
        state.ResumeTiming();
        numbers::writeCombinationRows(grid, numbers);
        benchmark::DoNotOptimize(grid.grid.cells.data());
    }
}
BENCHMARK(BM_CombinationRows8568)->Unit(benchmark::kMillisecond);

// Unmarking the 19th number leaves 18: the click empties the panel's grid,
// redraws the hits chart and fills the 8568 rows.
void BM_ClickFillingThePanelGrid(benchmark::State& state) {
    NumbersBenchApp& b = bundled();
    for (int n = 36; n > 19; --n)
        b.mark(n, false);
    for (auto _ : state) {
        state.PauseTiming();
        b.mark(19, true);
        state.ResumeTiming();
        b.mark(19, false);
    }
    state.counters["rows"] = b.app.form("Form7").at("StringGrid1").grid.rowCount - 1;
    b.app.click("Form1", "BitBtn199");
}
BENCHMARK(BM_ClickFillingThePanelGrid)->Unit(benchmark::kMillisecond);

// A press of the threshold's arrows with the analyzer on: the arrow, then the
// analyzer over every number with the clicks it makes (and the panel grids
// they fill), the chart and the lists. t moves between 0 and 1 so that each
// press changes the selection.
void BM_AnalyzerArrowPress(benchmark::State& state) {
    NumbersBenchApp& b = bundled();
    b.app.click("Form1", "BitBtn199");
    b.app.click("Form1", "Image24");
    bool up = true;
    for (auto _ : state) {
        b.app.upDownClick("Form1", "UpDown124", up);
        b.app.mouseDown("Form1", "UpDown124");
        up = !up;
    }
    int playing = 0;
    for (int n = 1; n <= 36; ++n)
        playing += b.app.workspace().digits.plays(n) ? 1 : 0;
    state.counters["playing"] = playing;
    b.app.click("Form1", "Image37");
}
BENCHMARK(BM_AnalyzerArrowPress)->Unit(benchmark::kMillisecond);

} // namespace
