#include "numbers/SelectedSide.h"

#include "base/Combinatorics.h"
#include "base/Convert.h"
#include "base/Errors.h"
#include "filters/RemainingViews.h"
#include "numbers/Selection.h"
#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

#include <array>

namespace vargis::numbers {

void writeCombinationRows(ui::Control& grid, const std::vector<int>& numbers) {
    const std::size_t n = numbers.size();
    if (n < 5)
        return;
    if (n > static_cast<std::size_t>(context::kNumbers))
        throw RangeError("Чисел в перестановках " + std::to_string(n) + " - больше 50");
    if (grid.grid.colCount < 6)
        throw RangeError("Таблица " + grid.name + " должна иметь 6 столбцов");
    const int total = countCombinations(static_cast<std::uint8_t>(n), std::uint8_t{5});
    // One resize for all rows: the row count ends at total + 1 as if it grew
    // row by row.
    ui::setGridRowCount(grid, total + 1);
    std::array<std::string, context::kNumbers> texts;
    for (std::size_t i = 0; i < n; ++i)
        texts[i] = std::to_string(numbers[i]);
    auto& cells = grid.grid.cells;
    std::size_t row = 0;
    for (std::size_t i1 = 0; i1 + 4 < n; ++i1)
        for (std::size_t i2 = i1 + 1; i2 + 3 < n; ++i2)
            for (std::size_t i3 = i2 + 1; i3 + 2 < n; ++i3)
                for (std::size_t i4 = i3 + 1; i4 + 1 < n; ++i4)
                    for (std::size_t i5 = i4 + 1; i5 < n; ++i5) {
                        auto& line = cells[++row];
                        line[0] = std::to_string(row);
                        line[1] = texts[i1];
                        line[2] = texts[i2];
                        line[3] = texts[i3];
                        line[4] = texts[i4];
                        line[5] = texts[i5];
                    }
}

void fillSelectedGrid(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    ui::Form& panel = app.form(ui::kNumbersPanelForm);
    const int playing = toInt(panel.at(ui::kPlayingCount).caption);
    std::vector<int> numbers;
    for (int b = 1; b <= ws.highestNumber && static_cast<int>(numbers.size()) < playing; ++b)
        if (ws.digits.row(b).fields[2] == "1")
            numbers.push_back(toInt(ws.digits.row(b).fields[0]));
    writeCombinationRows(panel.at(ui::kSelectedGrid), numbers);
    app.platform().beep(ui::Beep::Default);
}

void clearSelectedGrid(context::AppContext& app) {
    ui::clearGridRows(app.form(ui::kNumbersPanelForm).at(ui::kSelectedGrid));
}

void numbersPanelShow(context::AppContext& app) {
    const std::string& count =
        app.form(ui::kNumbersPanelForm).at(ui::kSelectedCombinations).caption;
    int combinations = 0;
    try {
        combinations = toInt(count);
    } catch (const ConversionError&) {
        return; // no count yet
    }
    if (combinations <= kSelectedGridLimit)
        fillSelectedGrid(app);
}

void showNumbersPanel(context::AppContext& app) {
    ui::Form& panel = app.form(ui::kNumbersPanelForm);
    const bool wasHidden = !panel.self().visible;
    panel.self().visible = true;
    ++panel.self().raiseCount; // in front
    if (wasHidden)
        app.dispatcher().run(panel.name(), panel.name(), ui::Event::Show);
}

void hideNumbersPanel(context::AppContext& app) {
    app.form(ui::kNumbersPanelForm).self().visible = false;
}

} // namespace vargis::numbers
