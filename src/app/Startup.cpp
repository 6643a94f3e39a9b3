#include "Startup.h"

#include "KindSwitch.h"
#include "LotteryKind.h"
#include "base/AtomicSave.h"
#include "base/Combinatorics.h"
#include "base/Convert.h"
#include "base/DateText.h"
#include "base/Errors.h"
#include "base/TextFile.h"
#include "commands/CombineState.h"
#include "commands/CombineSweep.h"
#include "commands/ResultTable.h"
#include "filters/BaseChecks.h"
#include "filters/ChartModel.h"
#include "filters/Evaluation.h"
#include "filters/FilterBase.h"
#include "filters/FilterTable.h"
#include "filters/MarkBases.h"
#include "filters/RemainingViews.h"
#include "history/DrawFileCodec.h"
#include "history/DrawGrid.h"
#include "numbers/NumberLayout.h"
#include "numbers/NumberPage.h"
#include "numbers/SelectedSide.h"
#include "numbers/Selection.h"
#include "reports/ReportOpening.h"
#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

namespace vargis::app {

void formCreate(Application& app) {
    Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    app.platform().beep(ui::Beep::Default);
    ws.kindFolder = rememberedKind();
    ws.kindCaption = ws.kindFolder;
    form.at(ui::kKindCaption).caption = ws.kindCaption;
    const ParsedKind kind = parseKindFolder(ws.kindFolder);
    ws.numbersPerDraw = kind.numbersPerDraw;
    ws.highestNumber = kind.highestNumber;
    ws.dataFolder = "bd/" + ws.kindFolder;
    // A save that a killed process left half done is finished or undone
    // before anything is read.
    settleInterruptedSaves(ws.dataFolder);
    history::setupDrawGrid(form.at(history::kDrawGrid));
    reloadWorkspace(app);
    ui::Control& group = form.at(ui::kWalkthroughGroup);
    group.left = 3;
    group.top = 275;
    group.visible = true;
    form.self().visible = true;
    // The window shows its active page, whose Show runs as on a page change.
    app.dispatcher().run(form.name(), form.at(ui::kPages).activePage, ui::Event::Show);
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
        ui::Control& calendar = form.at(ui::kForecastCalendar);
        calendar.date = ws.forecastDate;
    }
    history::updateGridHighlight(ws, form);
    form.at(ui::kForecastGroup).caption = " Прогноз на " + ws.forecastDate + " ";
}

void clearHistoryResults(Application& app) {
    Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    // The last run's lists and results.
    commands::combineState(app) = commands::CombineState{};
    ws.stopFlag = 0;
    commands::clearResultTable(form);
    form.at(ui::kCombinationsLeft).caption = std::to_string(ws.combinationCount);
    form.at(ui::kCombinationCount).caption = std::to_string(ws.combinationCount);
    form.at(ui::kNumbersInPlay).caption.clear();
    form.at(ui::kNumbersLeft).caption.clear();
    filters::resetAfterFilterArea(app);
    app.form(ui::kNumbersPanelForm).self().caption = numbers::kNumbersPanelCaption;

    // The filter shown last, its chart and its marks on the ordinals line.
    if (ui::Control* button = form.find(ws.filters.row(ws.currentFilterRow).buttonName())) {
        button->fontColor = ui::colors::Default;
        button->bold = false;
    }
    ws.filterValues.clear();
    ws.matchCount = 0;
    ws.previousDrawOffset = 0;
    form.at(ui::kFilterHeader).caption = " Фильтр: Не выбран";
    form.at(ui::kMatchedDraws).caption = " " + std::to_string(ws.drawCount());
    filters::clearChart(ws, form);
    ui::Chart& chart = form.at(filters::kChart).chart;
    chart.title = {""};
    chart.footer.clear();
    // The marks name draws by ordinal; those draws are gone, so the overlay
    // starts again from the filters pressed on the new history.
    for (int row = 1; row <= context::kMarkRows; ++row)
        ws.failMarks.clearRow(row);
    form.at(ui::kOrdinalsCaption).caption = "Фильтр: ";
    filters::showOrdinals(form, ws.drawCount());
    filters::repaintOrdinalsYellow(form);
    numbers::showAnalyzerSpan(app);
}

void saveDrawTable(Application& app) {
    const context::DrawHistory& now = app.workspace().history;
    const context::DrawHistory before = now;
    history::saveStatisticsCommand(app.workspace(), app.mainForm(), app.platform());
    bool same = before.drawCount == now.drawCount;
    for (int i = 1; same && i <= now.drawCount; ++i)
        same = before.record(i).fields == now.record(i).fields;
    if (!same)
        clearHistoryResults(app);
}

namespace {

// More lines than any base holds; a longer file is refused unsplit.
constexpr std::size_t kMostBaseLines = 1000;

void reloadWorkspace(Application& app, const std::vector<std::string>* drawLines) {
    Workspace& ws = app.workspace();
    ui::Form& form = app.mainForm();
    ui::Platform& platform = app.platform();
    platform.beep(ui::Beep::Default);

    // Each file is checked before it is taken in: a damaged one is refused
    // with its line, and its table keeps what it held.
    const std::string drawPath = history::statisticsPath(ws.kindFolder);
    const std::vector<std::string> fileLines =
        drawLines ? std::vector<std::string>{} : history::readDrawFileLines(drawPath);
    const std::vector<std::string>& lines = drawLines ? *drawLines : fileLines;
    history::checkDrawFileLines(lines, drawPath);
    history::decodeDrawHistory(ws.history, lines, drawPath);
    const std::string filterPath = filters::filterFileLoadPath(ws.kindFolder);
    filters::checkFilterFile(readLinesAtMost(filterPath, kMostBaseLines), filterPath, form);
    filters::loadFilterTable(ws.filters, filterPath);
    const std::string folder = "bd/" + ws.kindFolder;
    const std::string graphicsPath = filters::graphicsPath(folder);
    filters::checkGraphicsFile(readLinesAtMost(graphicsPath, kMostBaseLines), graphicsPath);
    filters::loadGraphicsBase(ws.failMarks, graphicsPath);
    filters::loadDigitsBase(ws.digits, filters::digitsPath(folder));
    numbers::checkDigitsBase(ws.digits, filters::digitsPath(folder));

    ui::Control& grid = form.at(history::kDrawGrid);
    ui::setGridRowCount(grid, 2);
    // An empty table shows an empty row, not the last kind's first draw.
    if (ws.drawCount() == 0)
        for (int col = 0; col < grid.grid.colCount; ++col)
            ui::gridCell(grid, col, 1).clear();
    history::fillDrawGrid(ws, form);

    ws.combinationCount = vargis::countCombinations(ws.highestNumber, ws.numbersPerDraw);
    platform.beep(ui::Beep::Default);
    form.at(ui::kCombinationsLeft).caption = std::to_string(ws.combinationCount);
    form.at(ui::kCombinationCount).caption = std::to_string(ws.combinationCount);

    form.at(ui::kFilterHeader).caption = " Фильтр: Не выбран";
    form.at(ui::kMatchedDraws).caption = " " + std::to_string(ws.drawCount());

    filters::restoreFilterControls(ws, form, 1, 287);
    filters::restoreFilterChecks(app, 1, 287);

    applyNumberRange(form, ws.highestNumber);
    applyKindAdjustments(form, ws, ws.highestNumber);

    // A kind without draws yet starts with an empty table; the import fills it.
    restoreForecastTarget(app);

    filters::resetChartAxis(ws, form);
    commands::setupResultGrid(form);
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
    form.at(ui::kGoodLuck).visible = true;
    form.at(ui::kGoodLuckTimer).enabled = true;
    for (int sheet = 2; sheet <= 6; ++sheet)
        form.at(ui::numberedName(ui::kTabSheetPrefix, sheet)).tabVisible = false;
    const ui::Control& pages = form.at(ui::kPages);
    ui::Control& progress = form.at(ui::kProgressBar);
    progress.top = pages.top;
    progress.left = pages.left + pages.width + 4;
}

void switchPositionPages(Application& app) {
    ui::Form& form = app.mainForm();
    ui::Control& item = form.at(kPositionPagesMenuItem);
    item.checked = !item.checked;
    const std::string active = form.at(ui::kPages).activePage;
    bool leaveActive = false;
    for (int sheet = 2; sheet <= 6; ++sheet) {
        const std::string name = ui::numberedName(ui::kTabSheetPrefix, sheet);
        form.at(name).tabVisible = item.checked;
        leaveActive = leaveActive || (!item.checked && name == active);
    }
    // The page of a tab that goes is left for "статические".
    if (leaveActive)
        commands::showPage(app, ui::kNumberChoicePage);
}

void formActivate(Application& app) {
    // The bar fills navy: a white fill on the grey groove reads as empty.
    app.mainForm().at(ui::kProgressBar).color = ui::colors::Navy;
}

void systemCommand(Application& app, int command) {
    Workspace& ws = app.workspace();
    ui::Control& panel = app.form(ui::kNumbersPanelForm).self();
    if (command == kSysCommandMinimize) {
        // A second minimise must not forget that the panel was showing.
        ws.panelHiddenByMinimise = ws.panelHiddenByMinimise || panel.visible;
        panel.visible = false;
        return;
    }
    // The panel comes back only where the minimise hid it: it belongs to
    // the number page, not to whatever page is shown.
    if (ws.panelHiddenByMinimise)
        numbers::showNumbersPanel(app);
    ws.panelHiddenByMinimise = false;
    if (command == kSysCommandClose)
        app.closeMainWindow();
}

void formClose(Application& app) {
    for (const char* report : reports::kReportsRemovedOnClose)
        removeFile(report);
    app.form(ui::kNumbersPanelForm).self().visible = false;
    app.form(ui::kAboutForm).self().visible = false;
    app.mainForm().self().visible = false;
    app.platform().quit();
}

} // namespace vargis::app
