#include "Startup.h"

#include "LotteryKind.h"
#include "base/Combinatorics.h"
#include "base/Convert.h"
#include "base/DateText.h"
#include "base/Errors.h"
#include "base/TextFile.h"
#include "engine/ResultTable.h"
#include "engine/StrategyCheck.h"
#include "filters/ChartModel.h"
#include "filters/FilterBase.h"
#include "filters/FilterTable.h"
#include "filters/MarkBases.h"
#include "filters/SharedAreas.h"
#include "history/DrawGrid.h"
#include "history/DrawHistory.h"
#include "numbers/SelectedSide.h"
#include "numbers/Selection.h"
#include "ui/GridCells.h"

namespace vargis::app {

void formCreate(Application& app) {
    Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    app.platform().beep(ui::Beep::Default);
    ws.kindFolder = "5_36";
    form.at("StaticText108").caption = ws.kindFolder;
    const ParsedKind kind = parseKindFolder(ws.kindFolder);
    ws.numbersPerDraw = kind.numbersPerDraw;
    ws.highestNumber = kind.highestNumber;
    ws.dataFolder = "bd/" + ws.kindFolder;
    history::setupDrawGrid(form.at(history::kDrawGrid));
    reloadWorkspace(app);
    ui::Control& group = form.at("GroupBox6");
    group.left = 3;
    group.top = 275;
    group.visible = true;
    form.self().visible = true;
    // The window shows its active page, whose Show runs as on a page change.
    app.dispatcher().run(form.name(), form.at("PageControl1").activePage, ui::Event::Show);
}

void restoreForecastTarget(Application& app) {
    Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    ws.forecastDate = trim(ws.filters.row(25).field(4));
    ws.forecastOrdinal = static_cast<std::uint8_t>(ws.drawCount() + 1);
    ui::Control& grid = form.at(history::kDrawGrid);
    if (ws.drawCount() > 12) {
        for (int i = 13; i <= ws.drawCount(); ++i) {
            if (trim(ws.history.record(i).date()) == ws.forecastDate) {
                ws.forecastOrdinal = static_cast<std::uint8_t>(i);
                grid.grid.topRow = i;
                break;
            }
        }
        parseDate(ws.forecastDate);
        ui::Control& calendar = form.at("MonthCalendar2");
        calendar.date = ws.forecastDate;
    }
    history::updateGridHighlight(ws, form);
    form.at("GroupBox1").caption = " Прогноз на " + ws.forecastDate + " ";
}

namespace {

void reloadWorkspace(Application& app, const std::vector<std::string>* drawLines) {
    Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    ui::Platform& platform = app.platform();
    platform.beep(ui::Beep::Default);

    const std::string drawPath = history::statisticsPath(ws.kindFolder);
    if (drawLines)
        history::decodeDrawHistory(ws.history, *drawLines, drawPath);
    else
        history::loadDrawHistory(ws.history, drawPath);
    filters::loadFilterTable(ws.filters, filters::filterFileLoadPath(ws.kindFolder));
    const std::string folder = "bd/" + ws.kindFolder;
    filters::loadGraphicsBase(ws.failMarks, filters::graphicsPath(folder));
    filters::loadDigitsBase(ws.digits, filters::digitsPath(folder));
    numbers::checkDigitsBase(ws.digits, filters::digitsPath(folder));

    ui::Control& grid = form.at(history::kDrawGrid);
    ui::setGridRowCount(grid, 2);
    history::fillDrawGrid(ws, form);

    ws.combinationCount = vargis::countCombinations(ws.highestNumber, ws.numbersPerDraw);
    platform.beep(ui::Beep::Default);
    form.at("StaticText8").caption = std::to_string(ws.combinationCount);
    form.at("StaticText10").caption = std::to_string(ws.combinationCount);

    form.at("StaticText4").caption = " Фильтр: Не выбран";
    form.at("StaticText3").caption = " " + std::to_string(ws.drawCount());

    filters::restoreFilterControls(ws, form, 1, 287);
    filters::restoreFilterChecks(app, 1, 287);

    applyNumberRange(form, ws.highestNumber);
    applyKindAdjustments(form, ws, ws.highestNumber);

    if (ws.drawCount() == 0)
        throw RangeError("В статистике нет ни одного тиража - прогноз не может быть определён");
    restoreForecastTarget(app);

    filters::resetChartAxis(ws, form);
    engine::setupResultGrid(form);
    ws.stopFlag = 0;
}

} // namespace

void reloadWorkspace(Application& app) {
    reloadWorkspace(app, nullptr);
}

void reloadWorkspace(Application& app, const std::vector<std::string>& drawLines) {
    reloadWorkspace(app, &drawLines);
}

void formShow(Application& app) {
    Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    ui::Control& grid = form.at(history::kDrawGrid);
    if (ws.drawCount() < ws.forecastOrdinal) {
        grid.grid.selectedRow = ws.drawCount();
        grid.grid.selectedCol = 7;
    } else {
        grid.grid.selectedRow = ws.forecastOrdinal;
        grid.grid.selectedCol = 2;
    }
    form.at("StaticText1").visible = true;
    form.at("Timer1").enabled = true;
    for (int sheet = 2; sheet <= 6; ++sheet)
        form.at("TabSheet" + std::to_string(sheet)).tabVisible = false;
    const ui::Control& pages = form.at("PageControl1");
    ui::Control& progress = form.at("ProgressBar1");
    progress.top = pages.top;
    progress.left = pages.left + pages.width + 4;
}

void formActivate(Application& app) {
    app.mainForm().at("ProgressBar1").color = ui::colors::White;
}

void systemCommand(Application& app, int command) {
    ui::Control& panel = app.form("Form7").self();
    if (command == kSysCommandMinimize) {
        panel.visible = false;
        return;
    }
    numbers::showNumbersPanel(app);
    if (command == kSysCommandClose)
        app.closeMainWindow();
}

void formClose(Application& app) {
    for (const char* report : {"statistic.html", "result.html", "graphics.html",
                               engine::kBacktestReport, engine::kWorthReport})
        removeFile(report);
    app.form("Form7").self().visible = false;
    app.form("Form2").self().visible = false;
    app.mainForm().self().visible = false;
    app.platform().quit();
}

} // namespace vargis::app
