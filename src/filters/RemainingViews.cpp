#include "filters/RemainingViews.h"

#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

namespace vargis::filters {

void resetAfterFilterArea(context::AppContext& app) {
    ui::Form& panel = app.form(ui::kNumbersPanelForm);
    panel.at(ui::kAfterFilterMemo).lines.clear();
    ui::clearGridRows(panel.at(ui::kAfterFilterGrid));
    panel.at(ui::kAfterFilterCount).caption = "??";
    panel.at(ui::kAfterFilterCombinations).caption = "??";
}

void clearResultTable(ui::Form& form) {
    ui::Control& grid = form.at(kResultGrid);
    ui::clearGridRows(grid);
    grid.grid.highlightTexts.clear();
    form.at(ui::kRemainingInPlay).caption = kCountLine;
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
