#include "commands/ResultTable.h"

#include "base/ProductInfo.h"
#include "base/TextFile.h"
#include "commands/CombineState.h"
#include "context/AppContext.h"
#include "engine/Scores.h"
#include "filters/ChartModel.h"
#include "filters/ImageBase.h"
#include "filters/RemainingViews.h"
#include "history/DrawGrid.h"
#include "reports/HtmlReport.h"
#include "reports/ReportOpening.h"
#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

namespace vargis::commands {

using namespace engine;

namespace {

bool isForecastNumber(const std::vector<std::string>& texts, const std::string& cell) {
    for (const auto& t : texts)
        if (t == cell)
            return true;
    return false;
}

} // namespace

void setupResultGrid(ui::Form& form) {
    ui::Control& grid = form.at(kResultGrid);
    grid.grid.colCount = 6;
    ui::setGridRowCount(grid, grid.grid.rowCount < 2 ? 2 : grid.grid.rowCount);
    const char* header[] = {"Ном.", "1-е", "2-е", "3-е", "4-е", "5-е"};
    for (int c = 0; c < 6; ++c)
        ui::gridCell(grid, c, 0) = header[c];
    grid.grid.colWidths = {36, 29, 29, 29, 29, 29};
}

void buildResultTable(context::AppContext& app, CombineState& state) {
    context::Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    ui::Platform& platform = app.platform();
    ui::Control& progress = form.at(ui::kProgressBar);
    progress.position = 53;
    clearResultTable(form);

    const CombinationList& remaining = state.remaining;
    const auto r = remaining.size();
    filters::setChartFooter(
        form, "Количество выигрышных чисел в оставшихся перестановках для всех тиражей");
    form.at(ui::kRemainingInPlay).caption = std::string(filters::kCountLine) + std::to_string(r);

    std::vector<DrawMultiplicity> draws;
    for (int d = 1; d <= ws.drawCount(); ++d)
        draws.push_back(drawMultiplicity(ws.history.record(d)));
    state.drawScores = drawScores(remaining, draws);
    progress.position = 55;
    ui::Chart& chart = form.at(filters::kChart).chart;
    for (std::size_t d = 0; d < state.drawScores.size(); ++d)
        chart.series1.points.push_back(
            {static_cast<double>(d + 1), static_cast<double>(state.drawScores[d])});

    ui::Control& memo = form.at(ui::kTooManyMemo);
    if (r > static_cast<std::size_t>(kResultGridLimit)) {
        memo.visible = true;
        platform.sleepMs(4000);
        form.at(ui::kRemainingInPlay).caption = "Перестановок в игре:";
        memo.visible = false;
        platform.stopSound();
        return;
    }

    progress.position = 54;
    form.at(ui::kRemainingInPlay).caption = std::string(filters::kCountLine) + std::to_string(r);
    ui::Control& grid = form.at(kResultGrid);
    ui::setGridRowCount(grid, static_cast<int>(r) + 1);
    for (std::size_t i = 0; i < r; ++i) {
        const int row = static_cast<int>(i) + 1;
        ui::gridCell(grid, 0, row) = std::to_string(row);
        for (int k = 0; k < 5; ++k)
            ui::gridCell(grid, k + 1, row) =
                std::to_string(remaining[i][static_cast<std::size_t>(k)]);
    }

    // The numbers of a past forecast draw stand out in the table.
    grid.grid.highlightTexts = filters::forecastNumberTexts(ws);
    if (ws.forecastOrdinal <= ws.drawCount()) {
        const auto counts =
            commonCounts(remaining, drawMultiplicity(ws.history.record(ws.forecastOrdinal)));
        std::array<std::int32_t, 4> winning{};
        for (std::size_t k = 0; k < 4; ++k) {
            winning[k] = counts[5 - k];
            form.at(kCounterLabels[k]).caption = std::to_string(winning[k]);
        }
        state.winningCounts = winning;
        progress.position = 55;
    }

    platform.sleepMs(2000);
    memo.visible = false;
    form.at(ui::kBusyLabel).visible = false;
    progress.position = progress.min;
    platform.stopSound();
}

bool resultCellHighlighted(const context::Workspace& ws, const ui::Control& grid, int col,
                           int row) {
    if (col < 1 || col > 5 || row < 1)
        return false;
    return isForecastNumber(filters::forecastNumberTexts(ws), ui::gridText(grid, col, row));
}

reports::HtmlReport resultReport(const context::Workspace& ws, const ui::Control& grid,
                                 const ui::DateTime& now) {
    reports::HtmlReport report;
    report.title = std::string(VARGIS_NAME "-лото " VARGIS_RELEASE " Результат работы фильтров. ") +
                   base::kProductAddress;
    report.heading = reports::standardHeading(
        "<strong>" VARGIS_NAME "-лото " VARGIS_RELEASE "</strong><br>",
        {"<strong>Результат работы всех фильтров.</strong><br>"}, base::kProductAddress,
        {"<h4 align=center>Прогноз на " + reports::escapeHtml(ws.forecastDate) + "</h4></p>"});
    report.frame = {"<table width=\"60%\" border=0 cellpadding=0 cellspacing=\"0\">",
                    "<tr><td bgcolor=\"#C0C0C0\">",
                    "<table width=\"100%\" border=0 cellpadding=3 cellspacing=\"1\">"};
    const auto forecast = filters::forecastNumberTexts(ws);
    for (int row = 0; row < grid.grid.rowCount; ++row) {
        std::vector<std::string> cells;
        for (int col = 0; col < grid.grid.colCount; ++col) {
            const std::string& text = ui::gridText(grid, col, row);
            std::string cell = reports::escapeHtml(text);
            if (row >= 1 && col >= 1 && isForecastNumber(forecast, text))
                cell = "<strong>" + cell + "</strong>";
            cells.push_back(cell);
        }
        reports::appendTableRow(report.rows, cells);
    }
    report.footer = {"<small>" VARGIS_NAME "-лото " VARGIS_RELEASE "</small><br>",
                     "<small>" + filters::formatDate(now) + "г., " + filters::formatTime(now) +
                         "</small>"};
    return report;
}

std::vector<std::string> resultReportLines(const context::Workspace& ws, const ui::Control& grid,
                                           const ui::DateTime& now) {
    return reports::htmlReportLines(resultReport(ws, grid, now));
}

void printResultTable(context::AppContext& app) {
    ui::Form& form = app.mainForm();
    ui::Platform& platform = app.platform();
    ui::Control& grid = form.at(kResultGrid);
    if (ui::gridText(grid, 1, 1).empty() && ui::gridText(grid, 2, 1).empty()) {
        platform.showMessage("Таблица пустая !");
        return;
    }
    const ui::DateTime now = platform.now();
    if (grid.grid.rowCount >= kResultGridLimit + 1 &&
        !platform.askYesNo("Количество вариантов больше 1000 ! Выводить на печать ?"))
        return;
    // The file is emptied first, then written.
    writeLines(kResultReport, {});
    reports::writeHtmlReport(kResultReport, resultReport(app.workspace(), grid, now));
    reports::openReport(platform, kResultReport);
}

} // namespace vargis::commands
