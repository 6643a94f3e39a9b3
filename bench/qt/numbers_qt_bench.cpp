// The Qt side of the numbers panel: the window of Form7 brought up to date
// after its grid was filled with the 8568 combinations of 18 numbers.

#include "numbers/NumberLayout.h"
#include "numbers/SelectedSide.h"
#include "qt/ActionSink.h"
#include "qt/FormRenderer.h"
#include "qt/FrontEnd.h"
#include "ui/Form.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace vargis;

// Takes the widgets' actions and does nothing with them.
class IdleSink final : public qt::ActionSink {
public:
    bool click(const std::string&, const std::string&) override { return true; }
    bool toggleCheckBox(const std::string&, const std::string&, bool) override { return true; }
    bool upDownClick(const std::string&, const std::string&, bool) override { return true; }
    bool selectPage(const std::string&, const std::string&, const std::string&) override {
        return true;
    }
    bool openPopup(const std::string&, const std::string&, const std::string&) override {
        return true;
    }
    bool chooseMenuItem(const std::string&, const std::string&) override { return true; }
    bool editCell(const std::string&, const std::string&, int, int, const std::string&) override {
        return true;
    }
    bool selectCell(const std::string&, const std::string&, int, int) override { return true; }
    bool calendarClick(const std::string&, const std::string&, const std::string&) override {
        return true;
    }
    bool timerTick(const std::string&, const std::string&) override { return true; }
    bool focusLost(const std::string&, const std::string&) override { return true; }
    bool mouseDown(const std::string&, const std::string&) override { return true; }
    bool systemCommand(int) override { return true; }
    bool activate() override { return true; }
    bool closeMainWindow() override { return true; }
    void formClosed(const std::string&) override {}
    std::uint64_t revision() const override { return 0; }
};

void BM_PanelGridShown8568(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "vargis_qt_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    ui::Form panel("Form7");
    numbers::buildNumbersPanel(panel);
    panel.self().visible = true;
    IdleSink sink;
    qt::FrontEnd front(sink);
    qt::FormRenderer& renderer = front.addForm(panel);
    std::vector<int> numbers;
    for (int n = 1; n <= 18; ++n)
        numbers.push_back(n);
    ui::Control& grid = panel.at("StringGrid1");
    for (auto _ : state) {
        state.PauseTiming();
        grid.grid.rowCount = 2;
        grid.grid.cells.resize(2);
        grid.grid.cells[1].assign(6, "");
        renderer.sync();
        numbers::writeCombinationRows(grid, numbers);
        state.ResumeTiming();
        renderer.sync();
        QApplication::processEvents();
    }
    state.counters["rows"] = grid.grid.rowCount - 1;
}
BENCHMARK(BM_PanelGridShown8568)->Unit(benchmark::kMillisecond);

} // namespace
