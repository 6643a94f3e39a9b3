#include "commands/ForecastTarget.h"

#include "base/Convert.h"
#include "base/DateText.h"
#include "base/Errors.h"
#include "commands/CombineSweep.h"
#include "commands/ResultTable.h"
#include "context/AppContext.h"
#include "filters/ChartModel.h"
#include "filters/FilterTable.h"
#include "filters/ImageBase.h"
#include "filters/RemainingViews.h"
#include "history/DrawGrid.h"
#include "numbers/NumbersPanel.h"
#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace vargis::commands {

using namespace engine;

namespace {

constexpr int kFirstForecastDraw = 14;

std::string shortDate(const Date& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day % 100, d.month % 100, d.year % 10000);
    return buf;
}

auto key(const Date& d) {
    return std::tie(d.year, d.month, d.day);
}

void selectCell(ui::Form& form, ui::Control& grid, int col, int row) {
    grid.grid.selectedCol = col;
    grid.grid.selectedRow = row;
    form.setFocus(grid.name);
}

} // namespace

void chooseForecastDate(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    ui::Platform& platform = app.platform();
    ui::Control& calendar = form.at(ui::kForecastCalendar);
    ui::Control& grid = form.at(history::kDrawGrid);

    // The earliest target is draw 14: a shorter table has no date to hold
    // the calendar to.
    if (ws.drawCount() < kFirstForecastDraw) {
        platform.showMessage("  Тиражей в статистике\r\n  ДОЛЖНО БЫТЬ НЕ МЕНЬШЕ 14-ти,\r\n\r\n"
                             "  ДОПОЛНИТЕ СТАТИСТИКУ ТИРАЖЕЙ");
        return;
    }
    const Date chosen = parseDate(calendar.date);
    const std::string firstText = ui::gridText(grid, 2, kFirstForecastDraw);
    const Date first = parseDate(firstText);
    if (key(chosen) < key(first)) {
        platform.showMessage("Выбрана ДАТА меньше минимальной для работы фильтров !");
        calendar.date = shortDate(first);
        return;
    }
    const Date last = parseDate(ui::gridText(grid, 2, ws.drawCount()));
    const std::string chosenText = shortDate(chosen);
    int found = 0;
    if (key(chosen) <= key(last)) {
        for (int i = 1; i <= ws.drawCount(); ++i) {
            if (ui::gridText(grid, 2, i) == chosenText) {
                found = i;
                break;
            }
        }
        if (found == 0) {
            platform.showMessage("Выбранной ДАТЫ\r\nНЕТ в статистике !!!");
            return;
        }
        const int ordinal = toInt(ui::gridText(grid, 0, found));
        if (ordinal < 1 || ordinal > ws.drawCount() + 1)
            throw RangeError("Номер тиража " + std::to_string(ordinal) + " вне статистики");
        ws.forecastDate = ui::gridText(grid, 2, found);
        ws.forecastOrdinal = static_cast<std::uint8_t>(ordinal);
        grid.grid.topRow = found;
        history::updateGridHighlight(ws, form);
        selectCell(form, grid, 1, found);
    }

    filters::clearResultTable(form);
    filters::clearChart(ws, form);
    for (const char* label : {ui::kNumbersLeft, ui::kCombinationsLeft, ui::kMatchedDraws})
        form.at(label).caption = "-";
    ws.filters.row(25).field(4) = chosenText;

    if (platform.askYesNo("ВЫКЛЮЧИТЬ ВСЕ ВЫБРАННЫЕ ФИЛЬТРЫ ?"))
        switchOffAllFilters(app);
    const ui::Control& pages = form.at(ui::kPages);
    if (!pages.pages.empty())
        showPage(app, pages.pages.front());

    ui::Band& band = form.at(filters::kChart).chart.band;
    if (found != 0) {
        band = {static_cast<double>(ws.forecastOrdinal - 1), 1,
                static_cast<double>(ws.drawCount() + 1), 0};
    } else {
        ws.forecastOrdinal = static_cast<std::uint8_t>(ws.drawCount() + 1);
        ws.forecastDate = chosenText;
        selectCell(form, grid, 8, ws.drawCount());
        band = {static_cast<double>(ws.drawCount()), 1, static_cast<double>(ws.drawCount() + 1), 0};
        history::updateGridHighlight(ws, form);
    }
    // Once a target is chosen the band is drawn opaque.
    band.opaque = true;
    platform.repaint();
    form.at(ui::kForecastGroup).caption = " Прогноз на " + ws.forecastDate + " ";

    filters::clearChartImages(app);
    filters::resetAfterFilterArea(app);
    app.form(ui::kNumbersPanelForm).self().caption =
        " Числа - дополнительная панель. Прогноз на " + ws.forecastDate + " ";
}

void switchOffAllFilters(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    int smallestLargest = ws.highestNumber;
    int largestSmallest = 1;
    for (int d = 1; d <= ws.drawCount(); ++d) {
        const auto& ranked = ws.history.rankedRow(d);
        smallestLargest = std::min(smallestLargest, int{ranked[4]});
        largestSmallest = std::max(largestSmallest, int{ranked[0]});
    }
    ws.filters.row(1).field(3) = std::to_string(smallestLargest);
    ws.filters.row(1).field(5) = ">=";
    ws.filters.row(2).field(3) = std::to_string(largestSmallest);
    ws.filters.row(2).field(5) = "<=";
    for (int r = 3; r <= filters::kFilterRows; ++r) {
        auto& row = ws.filters.row(r);
        if (row.field(4) != "True")
            continue;
        row.field(4) = "False";
        if (form.has(row.field(8)))
            app.setChecked(form, row.field(8), false);
    }
}

} // namespace vargis::commands
