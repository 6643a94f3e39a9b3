#include "numbers/PanelReports.h"

#include "base/ProductInfo.h"
#include "filters/ImageBase.h"
#include "filters/RemainingViews.h"
#include "reports/ReportOpening.h"
#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

#include <vector>

namespace vargis::numbers {

namespace {

constexpr const char* kProduct = VARGIS_NAME "-лото " VARGIS_RELEASE_PANEL;

// The frame and rows as result.html has them: the numbers of a past
// forecast draw in bold.
void fillTable(reports::HtmlReport& report, const context::Workspace& ws, const ui::Control& grid) {
    report.frame = {"<table width=\"60%\" border=0 cellpadding=0 cellspacing=\"0\">",
                    "<tr><td bgcolor=\"#C0C0C0\">",
                    "<table width=\"100%\" border=0 cellpadding=3 cellspacing=\"1\">"};
    const auto forecast = filters::forecastNumberTexts(ws);
    report.rows.reserve(static_cast<std::size_t>(grid.grid.rowCount) * 2);
    std::vector<std::string> cells;
    for (int row = 0; row < grid.grid.rowCount; ++row) {
        cells.clear();
        for (int col = 0; col < grid.grid.colCount; ++col) {
            const std::string& text = ui::gridText(grid, col, row);
            std::string cell = reports::escapeHtml(text);
            bool bold = false;
            if (row >= 1 && col >= 1)
                for (const auto& number : forecast)
                    bold = bold || number == text;
            cells.push_back(bold ? "<strong>" + cell + "</strong>" : cell);
        }
        reports::appendTableRow(report.rows, cells);
    }
}

std::string footerTime(const ui::DateTime& now) {
    return "<small>" + filters::formatDate(now) + "г., " + filters::formatTime(now) + "</small>";
}

const std::string kParagraph = "<p style=\"font-family: MS Sans Serif; font-size: 13px\">";
const std::string kProductLine = std::string("<strong>") + kProduct + "</strong><br>";

} // namespace

reports::HtmlReport selectedReport(const context::Workspace& ws, const ui::Control& grid,
                                   const std::string& selected, const ui::DateTime& now) {
    const std::string date = reports::escapeHtml(ws.forecastDate);
    reports::HtmlReport report;
    report.title =
        std::string(kProduct) + " Перестановки из выбранных чисел. " + base::kProductAddress;
    report.heading = {kParagraph,
                      kProductLine,
                      "Прогноз на " + date + ".<br>",
                      "<br>Выбраны числа: <strong>" + reports::escapeHtml(selected) + "</strong>",
                      "<h4 align=center>Перестановки из ВЫБРАННЫХ чисел. Прогноз на " + date +
                          "</h4></p>",
                      "<div align=\"center\">"};
    fillTable(report, ws, grid);
    report.footer = {std::string("<small>") + kProduct + "</small><br>", footerTime(now)};
    return report;
}

reports::HtmlReport afterFilterReport(const context::Workspace& ws, const ui::Control& grid,
                                      const ui::DateTime& now) {
    const std::string date = reports::escapeHtml(ws.forecastDate);
    reports::HtmlReport report;
    report.title = std::string(kProduct) + " Перестановки из чисел, оставшихся после фильтров. " +
                   base::kProductAddress;
    report.heading = {kParagraph, kProductLine, "Прогноз на " + date + "<br>",
                      "<h4 align=center>Перестановки из ЧИСЕЛ, ОСТАВШИХСЯ ПОСЛЕ фильтров. Прогноз "
                      "на " +
                          date + "</h4></p>",
                      "<div align=\"center\">"};
    fillTable(report, ws, grid);
    report.footer = {std::string("<small>") + kProduct +
                         " Сайт программы: " + base::kProductAddress + "</small><br>",
                     footerTime(now)};
    return report;
}

void printPanelReport(context::AppContext& app, PanelSide side) {
    const bool left = side == PanelSide::Selected;
    ui::Form& panel = app.form(ui::kNumbersPanelForm);
    ui::Platform& platform = app.platform();
    const ui::Control& grid = panel.at(left ? ui::kSelectedGrid : ui::kAfterFilterGrid);
    if (ui::gridText(grid, 1, 1).empty() && ui::gridText(grid, 2, 1).empty()) {
        platform.showMessage("Таблица пустая !");
        return;
    }
    const ui::DateTime now = platform.now();
    std::string selected;
    for (const auto& line : panel.at(ui::kPlayingMemo).lines)
        selected += line;
    if (grid.grid.rowCount >= kReportQuestionRows &&
        !platform.askYesNo("Количество перестановок больше 500 ! Выводить на печать ?"))
        return;
    const context::Workspace& ws = app.workspace();
    const char* path = left ? kSelectedReport : kAfterFilterReport;
    reports::writeHtmlReport(path, left ? selectedReport(ws, grid, selected, now)
                                        : afterFilterReport(ws, grid, now));
    reports::openReport(platform, path);
}

} // namespace vargis::numbers
