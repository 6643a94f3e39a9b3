#include "engine/ResultTable.h"

#include "history/DrawGrid.h"

namespace vargis::engine {

void setupResultGrid(ui::Form& form) {
    ui::Control& grid = form.at("StringGrid3");
    grid.grid.colCount = 6;
    history::setGridRowCount(grid, grid.grid.rowCount < 2 ? 2 : grid.grid.rowCount);
    const char* header[] = {"Ном.", "1-е", "2-е", "3-е", "4-е", "5-е"};
    for (int c = 0; c < 6; ++c)
        history::gridCell(grid, c, 0) = header[c];
    grid.grid.colWidths = {40, 30, 30, 30, 30, 30};
}

void clearResultTable(ui::Form& form) {
    ui::Control& grid = form.at("StringGrid3");
    for (int r = 1; r < grid.grid.rowCount; ++r)
        for (int c = 0; c < grid.grid.colCount; ++c)
            history::gridCell(grid, c, r).clear();
    history::setGridRowCount(grid, 2);
    form.at("StaticText20").caption = "Перестановок в игре: ";
    for (const char* name : kCounterLabels)
        form.at(name).caption = "-";
}

} // namespace vargis::engine
