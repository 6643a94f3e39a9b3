#include "history/DrawGrid.h"

#include "base/AtomicSave.h"
#include "base/Convert.h"
#include "base/Cp1251.h"
#include "base/DateText.h"
#include "base/Errors.h"
#include "base/FolderLock.h"
#include "base/Scramble.h"
#include "base/TextFile.h"
#include "filters/ChartModel.h"
#include "filters/Evaluation.h"
#include "filters/FilterTable.h"
#include "history/DrawArchive.h"
#include "history/DrawFileCodec.h"
#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace vargis::history {

using ui::gridCell;
using ui::setGridRowCount;

void setupDrawGrid(ui::Control& grid) {
    grid.grid.colCount = 9;
    setGridRowCount(grid, grid.grid.rowCount < 2 ? 2 : grid.grid.rowCount);
    const char* header[] = {"N п/п", "", "Дата", "1-е", "2-е", "3-е", "4-е", "5-е"};
    for (int c = 0; c < 8; ++c)
        gridCell(grid, c, 0) = header[c];
    grid.grid.colWidths = {40, 0, 64, 56, 56, 56, 56, 56, 56};
    grid.grid.leftCol = 1;
    // Column 8 holds the marker that validation writes; the grid never shows it.
    grid.grid.markerCol = 8;
}

void updateGridHighlight(context::Workspace& ws, ui::Form& form) {
    ui::Control& grid = form.at(kDrawGrid);
    grid.grid.highlightRow = ws.forecastOrdinal <= ws.drawCount() ? ws.forecastOrdinal : -1;
}

void fillDrawGrid(context::Workspace& ws, ui::Form& form) {
    ui::Control& grid = form.at(kDrawGrid);
    for (int i = 1; i <= ws.drawCount(); ++i) {
        setGridRowCount(grid, i + 1);
        gridCell(grid, 0, i) = std::to_string(i);
        for (int c = 1; c <= 7; ++c)
            gridCell(grid, c, i) = ws.history.record(i).field(c);
        gridCell(grid, 8, i).clear();
    }
    const auto& settings = ws.filters.row(30);
    const char* upDowns[] = {ui::kDrawsArrows, ui::kReferenceArrows, ui::kThresholdArrows};
    for (int k = 0; k < 3; ++k) {
        ui::Control& arrows = form.at(upDowns[k]);
        // The arrows keep their position within their range, whatever the
        // file holds.
        int position = 0;
        try {
            position = toInt(settings.field(k + 2));
        } catch (const ConversionError&) {
            rethrowWithPlace(filePlace(filters::filterFileLoadPath(ws.kindFolder), 30));
        }
        arrows.position = std::clamp(position, arrows.min, arrows.max);
        if (ui::Control* label = form.find(arrows.associate))
            label->caption = std::to_string(arrows.position);
    }
    updateGridHighlight(ws, form);
    // The ordinals line under the chart numbers the draws of this table.
    filters::showOrdinals(form, ws.drawCount());
}

namespace {

void selectCell(ui::Control& grid, int col, int row) {
    grid.grid.selectedCol = col;
    grid.grid.selectedRow = row;
}

bool isDigits(const std::string& text) {
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

bool validateDrawRow(context::Workspace& ws, ui::Form& form, ui::Platform& platform, int row) {
    ui::Control& grid = form.at(kDrawGrid);
    gridCell(grid, 1, row) = "8";
    gridCell(grid, 8, row) = "8";
    for (int col = 1; col <= 8; ++col) {
        const std::string& text = gridCell(grid, col, row);
        // The message names the cell, and the typing after OK goes into it.
        auto fail = [&](const char* message) {
            selectCell(grid, col, row);
            form.setFocus(kDrawGrid);
            platform.showMessage(std::string(message) + "\r\nСтрока " + std::to_string(row) +
                                 ", столбец \"" + gridCell(grid, col, 0) + "\"");
            return false;
        };
        if (text.empty())
            return fail("Ошибка в заполнении поля");
        if (col == 2) {
            bool ok = text.size() == 10;
            for (char c : text)
                ok = ok && ((c >= '0' && c <= '9') || c == '.');
            if (!ok)
                return fail("Ошибка в заполнении поля\r\nФормат поля ДАТА: 05.12.2009");
        } else if (col >= 3 && col <= 7) {
            if (!isDigits(text))
                return fail("Ошибка в заполнении поля");
            if (text.size() > 9 || toInt(text) > ws.highestNumber)
                return fail("Число не из этой лотереи");
        }
    }
    return true;
}

namespace {

// The draws of the table as loaded; a row the archive could not hold (a date
// not of the calendar) is left out.
std::vector<ImportedDraw> tableDraws(const context::DrawHistory& history) {
    std::vector<ImportedDraw> draws;
    for (int i = 1; i <= history.drawCount; ++i) {
        try {
            ImportedDraw draw;
            draw.date = parseDate(history.record(i).date());
            for (int k = 0; k < 5; ++k)
                draw.numbers[static_cast<std::size_t>(k)] = toInt(history.record(i).field(k + 3));
            draws.push_back(draw);
        } catch (const VargisError&) {
        }
    }
    return draws;
}

// A validated grid row as the archive keeps it: a calendar date and five
// distinct numbers from 1. Otherwise the cell is selected and the message
// shown (nothing is saved).
std::optional<ImportedDraw> archiveDraw(context::Workspace& ws, ui::Form& form,
                                        ui::Platform& platform, int row) {
    ui::Control& grid = form.at(kDrawGrid);
    auto refuse = [&](int col, const std::string& what) -> std::optional<ImportedDraw> {
        selectCell(grid, col, row);
        form.setFocus(kDrawGrid);
        platform.showMessage(what + " - в архив тиражей такой тираж не войдёт\r\nСтрока " +
                             std::to_string(row) + ", столбец \"" + gridCell(grid, col, 0) + "\"");
        return std::nullopt;
    };
    ImportedDraw draw;
    try {
        draw.date = parseDate(gridCell(grid, 2, row));
    } catch (const ConversionError&) {
        return refuse(2, "Даты " + gridCell(grid, 2, row) + " нет в календаре");
    }
    for (int col = 3; col <= 7; ++col) {
        const int n = toInt(gridCell(grid, col, row));
        const auto k = static_cast<std::size_t>(col - 3);
        if (n < 1)
            return refuse(col, "Число " + std::to_string(n) + " вне 1.." +
                                   std::to_string(ws.highestNumber));
        const auto end = draw.numbers.begin() + static_cast<std::ptrdiff_t>(k);
        if (std::find(draw.numbers.begin(), end, n) != end)
            return refuse(col, "Число " + std::to_string(n) + " повторяется в тираже");
        draw.numbers[k] = n;
    }
    return draw;
}

} // namespace

bool saveDrawHistory(context::Workspace& ws, ui::Form& form, ui::Platform& platform,
                     bool announce) {
    ui::Control& grid = form.at(kDrawGrid);
    if (grid.grid.rowCount <= 14) {
        platform.showMessage("Записей в статистике должно быть не меньше 14-ти");
        return false;
    }
    std::vector<std::string> lines;
    std::vector<int> lineRows;
    for (int r = 1; r < grid.grid.rowCount; ++r) {
        int empty = 0;
        for (int c = 2; c <= 7; ++c)
            empty += gridCell(grid, c, r).empty() ? 1 : 0;
        // A row appended by "добавить" carries its trailing marker; left empty
        // it stops the save at its date, so the user fills it in. Other empty
        // rows are skipped.
        if (empty == 6 && gridCell(grid, 8, r) != "8")
            continue;
        if (!validateDrawRow(ws, form, platform, r))
            return false;
        std::array<std::string, 6> cells;
        for (int c = 2; c <= 7; ++c)
            cells[static_cast<std::size_t>(c - 2)] = gridCell(grid, c, r);
        lines.push_back(drawLine(cells));
        lineRows.push_back(r);
    }
    // Empty rows are skipped, so a long grid of mostly empty rows would
    // otherwise replace the table with fewer draws than a grid of 15 rows
    // holds, or with none at all.
    if (lines.size() < 14) {
        platform.showMessage("Записей в статистике должно быть не меньше 14-ти");
        return false;
    }
    // The archive, where there is one, takes the same edits in the same save.
    std::optional<std::vector<ImportedDraw>> archive;
    if (archiveExists(ws.kindFolder)) {
        std::vector<ImportedDraw> edited;
        for (int r : lineRows) {
            const auto draw = archiveDraw(ws, form, platform, r);
            if (!draw)
                return false;
            edited.push_back(*draw);
        }
        archive =
            mergeTableIntoArchive(loadDrawArchive(archivePath(ws.kindFolder), ws.highestNumber),
                                  tableDraws(ws.history), edited);
    }
    if (lines.size() > kMaxDraws)
        lines.erase(lines.begin(), lines.end() - kMaxDraws);
    {
        const FolderLock lock;
        // A set that a killed save left half done is finished or undone first.
        settleInterruptedSaves(ws.dataFolder);
        SaveSet files;
        files.stage(statisticsPath(ws.kindFolder), joinLines(encodeDrawLines(lines)));
        if (archive)
            files.stage(archivePath(ws.kindFolder), drawArchiveText(*archive));
        files.commit();
    }
    if (announce)
        platform.showInformation("Таблица тиражей сохранена");
    reloadAfterSave(ws, form);
    return true;
}

void reloadAfterSave(context::Workspace& ws, ui::Form& form) {
    loadDrawHistory(ws.history, statisticsPath(ws.kindFolder));
    fillDrawGrid(ws, form);
    filters::resetChartAxis(ws, form);
    selectCell(form.at(kDrawGrid), 2, ws.drawCount());
}

void saveStatisticsCommand(context::Workspace& ws, ui::Form& form, ui::Platform& platform,
                           bool announce) {
    if (form.at(kDrawGrid).grid.rowCount > 14) {
        saveDrawHistory(ws, form, platform, announce);
        filters::clearChart(ws, form);
        form.at(ui::kChart).chart.title = {""};
    } else {
        platform.showMessage("В статистике\r\n должно быть НЕ МЕНЬШЕ\r\n14-ти тиражей");
    }
}

} // namespace vargis::history
