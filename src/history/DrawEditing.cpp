#include "history/DrawEditing.h"

#include "base/Convert.h"
#include "base/Errors.h"
#include "base/ProductInfo.h"
#include "base/TextFile.h"
#include "context/AppContext.h"
#include "context/Workspace.h"
#include "filters/ImageBase.h"
#include "history/DrawGrid.h"
#include "reports/ReportOpening.h"
#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

#include <climits>
#include <vector>

namespace vargis::history {

namespace {

void selectAndFocus(ui::Form& form, int col, int row) {
    ui::Control& grid = form.at(kDrawGrid);
    ui::gridCell(grid, col, row); // the cell must exist
    grid.grid.selectedCol = col;
    grid.grid.selectedRow = row;
    form.setFocus(kDrawGrid);
}

} // namespace

void startEditing(const context::Workspace& ws, ui::Form& form, ui::Platform& platform) {
    platform.showInformation(
        "После завершения редактирования\r\n  СРАЗУ СОХРАНИТЕ\r\nновый вариант статистики !");
    selectAndFocus(form, 2, ws.drawCount());
}

void appendDrawRow(ui::Form& form, ui::Platform& platform) {
    ui::Control& grid = form.at(kDrawGrid);
    const int previous = grid.grid.rowCount - 1;
    // The ordinal is worked out before the row is added, so a faulty
    // ordinal cell leaves the grid as it was.
    const int ordinal = toInt(ui::gridCell(grid, 0, previous));
    if (ordinal == INT_MAX)
        throw OverflowError("Номер тиража " + std::to_string(ordinal) + " не может быть увеличен");
    ui::setGridRowCount(grid, previous + 2);
    const int n = previous + 1;
    ui::gridCell(grid, 0, n) = std::to_string(ordinal + 1);
    ui::gridCell(grid, 1, n) = "8";
    for (int c = 2; c <= 7; ++c)
        ui::gridCell(grid, c, n).clear();
    ui::gridCell(grid, 8, n) = "8";
    selectAndFocus(form, 2, n);
    platform.showMessage(
        "После добавления тиражей\r\n   СРАЗУ СОХРАНИТЕ\r\nновый вариант статистики !");
}

void switchGridEditorOn(ui::Form& form) {
    ui::Grid& grid = form.at(kDrawGrid).grid;
    grid.editable = true;
    grid.editorShown = true;
}

reports::HtmlReport statisticsReport(const ui::Control& grid, const ui::DateTime& now) {
    ui::Control cells = grid; // gridCell gives checked access to a copy
    reports::HtmlReport report;
    report.title = VARGIS_NAME " - Лото " VARGIS_RELEASE ". Таблица тиражей";
    report.heading = reports::standardHeading(
        "<strong>" VARGIS_NAME "-лото " VARGIS_RELEASE "</strong><br>",
        {"<strong>Таблица тиражей.</strong><br>"}, base::kProductAddress, {});
    report.frame = {"<TABLE cellspacing=0 cellpadding=0 width=40% border=0>"};
    // The whole table stands on one line, closed at its end.
    std::string line =
        "<tr><td bgcolor=\"silver\"><table cellspacing=1 cellpadding=4 width=100% border=0>";
    for (int row = 0; row < cells.grid.rowCount; ++row) {
        line += "<tr style=\"font-family: MS Sans Serif; font-size: 12px\">";
        for (int col = 0; col < cells.grid.colCount; ++col) {
            if (col == 1)
                continue;
            line += "<td align=\"center\" bgcolor=\"white\">" +
                    reports::escapeHtml(ui::gridCell(cells, col, row)) + "</td>";
        }
        line += "</tr>";
    }
    report.rows = {line + "</table></td></tr></table>"};
    report.rowsCloseTables = true;
    report.footer = {"<small>", VARGIS_NAME " - Лото " VARGIS_RELEASE "<br />",
                     filters::formatDate(now) + "г., " + filters::formatTime(now), "</small>"};
    return report;
}

void writeStatisticsReport(ui::Form& form, ui::Platform& platform) {
    const ui::DateTime now = platform.now();
    writeLines(kStatisticsReport, {});
    reports::writeHtmlReport(kStatisticsReport, statisticsReport(form.at(kDrawGrid), now));
    reports::openReport(platform, kStatisticsReport);
}

void registerDrawEditingHandlers(context::AppContext& app) {
    ui::Dispatcher& d = app.dispatcher();
    d.on(ui::kMainForm, ui::kEditDrawsLabel, ui::Event::Click, [&app](const std::string&) {
        startEditing(app.workspace(), app.mainForm(), app.platform());
    });
    for (const char* name : {ui::kAddDrawLabel, ui::kAddDrawSlash})
        d.on(ui::kMainForm, name, ui::Event::Click,
             [&app](const std::string&) { appendDrawRow(app.mainForm(), app.platform()); });
    d.on(ui::kMainForm, kDrawGrid, ui::Event::MouseDown,
         [&app](const std::string&) { switchGridEditorOn(app.mainForm()); });
    for (const char* name : {ui::kPrintDrawsLabel, ui::kPrintDrawsImage})
        d.on(ui::kMainForm, name, ui::Event::Click,
             [&app](const std::string&) { writeStatisticsReport(app.mainForm(), app.platform()); });
}

} // namespace vargis::history
