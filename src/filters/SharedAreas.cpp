#include "filters/SharedAreas.h"

#include "ui/GridCells.h"

namespace vargis::filters {

namespace {

void clearGridRows(ui::Control& grid) {
    for (int r = 1; r < grid.grid.rowCount; ++r)
        for (int c = 0; c < grid.grid.colCount; ++c)
            ui::gridCell(grid, c, r).clear();
    ui::setGridRowCount(grid, 2);
}

} // namespace

void resetAfterFilterArea(context::Application& app) {
    ui::Form& panel = app.form(kNumbersPanel);
    panel.at("Memo4").lines.clear();
    clearGridRows(panel.at("StringGrid2"));
    panel.at("Label7").caption = "??";
    panel.at("Label13").caption = "??";
}

void clearResultTable(ui::Form& form) {
    ui::Control& grid = form.at(kResultGrid);
    for (int r = 1; r < grid.grid.rowCount; ++r)
        for (int c = 0; c < grid.grid.colCount; ++c)
            ui::gridCell(grid, c, r).clear();
    ui::setGridRowCount(grid, 2);
    grid.grid.highlightTexts.clear();
    form.at("StaticText20").caption = kCountLine;
    for (const char* name : kCounterLabels)
        form.at(name).caption = "-";
}

std::vector<std::string> forecastNumberTexts(const context::Workspace& ws) {
    std::vector<std::string> texts;
    if (ws.forecastOrdinal <= ws.drawCount())
        for (int k = 3; k <= 7; ++k)
            texts.push_back(ws.history.record(ws.forecastOrdinal).field(k));
    return texts;
}

} // namespace vargis::filters
